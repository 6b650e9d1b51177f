#include "mainwindow/properties_window_win.h"

#include <string>

#include "common/child_controls_win.h"
#include "common/ui_texts.h"
#include "common/wide_text_win.h"
#include "links/link_images_win.h"
#include "mainwindow/accessible_events_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"

namespace qb {

namespace {

constexpr int kWidth = 306;
constexpr int kHeight = 180;

const ChildControl kControls[] = {
    {kPropertiesNameLabel, "STATIC", text::kPropertiesName, 0, 8, 16, 70, 13},
    {kPropertiesTargetLabel, "STATIC", text::kPropertiesTarget, 0, 8, 48, 70, 13},
    {kPropertiesCaptionEdit, "EDIT", kNoText, WS_BORDER | ES_AUTOHSCROLL, 82, 16, 207, 21},
    {kPropertiesTargetEdit, "EDIT", kNoText, WS_BORDER | ES_AUTOHSCROLL, 82, 48, 207, 21},
    {kPropertiesCloseCheck, "BUTTON", text::kPropertiesCloseOnOpen, BS_AUTOCHECKBOX, 20, 80, 260, 17},
    {kPropertiesSave, "BUTTON", text::kPropertiesSave, 0, 106, 112, 85, 25},
    {kPropertiesCancel, "BUTTON", text::kPropertiesCancel, 0, 196, 112, 85, 25},
};

MainWindow* data_of(HWND window) { return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

HWND create_properties_window(MainWindow& data, HWND owner) {
    const ProgramState& program = data.program;
    HWND window = CreateWindowExW(WS_EX_NOPARENTNOTIFY, to_wide(kPropertiesClass).c_str(),
                                  to_wide(ui_text(text::kPropertiesTitle, program.language)).c_str(), WS_SYSMENU,
                                  program.screen.cx / 2 - kWidth / 2, program.screen.cy / 2 - kHeight / 2, kWidth,
                                  kHeight, owner, nullptr, program.instance, &data);
    if (window == nullptr) return nullptr;
    for (const ChildControl& c : kControls) {
        set_control_font(create_child_control(window, c, WS_VISIBLE, program.instance, program.language),
                         program.ui_font.get());
    }
    return window;
}

// The text of an edit, its first 1023 characters.
std::wstring edit_text(HWND window, int id) {
    std::wstring text = window_text_wide(GetDlgItem(window, id));
    if (text.size() > kPropertiesTextLimit) text.resize(kPropertiesTextLimit);
    return text;
}

bool is_full_path(std::wstring_view path) {
    return path.starts_with(L"\\\\") || (path.size() >= 3 && path[1] == L':' && path[2] == L'\\');
}

// A typed target as the link keeps it: the typed text, or, where code page
// 1251 cannot hold a name, the item's short name. None when neither holds.
std::optional<std::string> storable_target(std::wstring_view typed, const std::string& drive_root) {
    if (std::optional<std::string> narrow = to_1251(typed)) return narrow;
    if (is_full_path(typed)) return storable_path(std::wstring(typed));
    const std::optional<std::string> full = storable_path(to_wide(drive_root) + std::wstring(typed));
    // The root's own bytes come back unchanged: the rest is the target.
    if (!full || drive_root.empty() || !full->starts_with(drive_root)) return full;
    return full->substr(drive_root.size());
}

void save(MainWindow& data, HWND window) {
    Link* link = data.edited_link;
    if (link == nullptr) {  // its link was deleted meanwhile
        ShowWindow(window, SW_HIDE);
        return;
    }
    ProgramState& program = data.program;
    // Nothing is stored broken: the window stays open for a change.
    const std::optional<std::string> caption = to_1251(edit_text(window, kPropertiesCaptionEdit));
    if (!caption) {
        program.seams.message_box(window, text::kCaptionCannotBeKept, text::kErrorCaption, MB_OK, program.language);
        return;
    }
    const std::optional<std::string> target =
        storable_target(edit_text(window, kPropertiesTargetEdit), program.location.drive_root);
    if (!target) {
        program.seams.message_box(window, text::kNameCannotBeKept, text::kErrorCaption, MB_OK, program.language);
        return;
    }
    LinkList::set_caption(*link, *caption);
    LinkList::set_target(*link, *target, program.location.drive_root);
    link->close_on_activate = SendDlgItemMessageW(window, kPropertiesCloseCheck, BM_GETCHECK, 0, 0) == BST_CHECKED;
    make_icon_image(*link, full_target(*link, program.location.drive_root), program.main_window,
                    default_picture_path(program.theme_folder()));
    note_change(program, &ChangeFlags::links_changed);
    // The caption is the link's name, the target its description.
    announce_link_renamed(program, *link);
    repaint_areas(program.main_window, AREA_ALL, program.header_height);
    ShowWindow(window, SW_HIDE);
}

LRESULT on_command(MainWindow& data, HWND window, WPARAM wparam) {
    // Typing counts as input: every keystroke in an edit comes as a command.
    note_input(data);
    switch (LOWORD(wparam)) {
        case kPropertiesSave: save(data, window); break;
        case kPropertiesCancel: ShowWindow(window, SW_HIDE); break;
        default: break;
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK properties_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    MainWindow* data = data_of(window);
    if (data == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
        case WM_COMMAND: return on_command(*data, window, wparam);
        case WM_DESTROY:
            // The next request makes a new window.
            if (data->properties_window == window) {
                data->properties_window = nullptr;
                data->edited_link = nullptr;
            }
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wparam, lparam);
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

void show_link_properties(MainWindow& data, HWND owner, Link* link) {
    if (data.properties_window == nullptr) data.properties_window = create_properties_window(data, owner);
    HWND window = data.properties_window;
    if (link == nullptr || window == nullptr) return;
    data.edited_link = link;
    set_window_text(GetDlgItem(window, kPropertiesCaptionEdit), link->caption.value_or(""));
    set_window_text(GetDlgItem(window, kPropertiesTargetEdit), link->target.value_or(""));
    SendDlgItemMessageW(window, kPropertiesCloseCheck, BM_SETCHECK,
                        link->close_on_activate ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowWindow(window, SW_SHOWNORMAL);
}

void retext_properties_window(const MainWindow& data) {
    HWND window = data.properties_window;
    if (window == nullptr) return;
    SetWindowTextW(window, to_wide(ui_text(text::kPropertiesTitle, data.program.language)).c_str());
    set_control_texts(window, kControls, data.program.language);
}

void forget_edited_link(MainWindow& data, const Link* link) {
    if (link == nullptr || data.edited_link != link) return;
    data.edited_link = nullptr;
    // A window that edits nothing has nothing to offer.
    if (data.properties_window) ShowWindow(data.properties_window, SW_HIDE);
}

}  // namespace qb

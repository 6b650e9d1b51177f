#include "mainwindow/properties_window_win.h"

#include <string>

#include "common/child_controls_win.h"
#include "common/ui_texts.h"
#include "links/link_images_win.h"
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
    {kPropertiesCaptionEdit, "EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 82, 16, 207, 21},
    {kPropertiesTargetEdit, "EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 82, 48, 207, 21},
    {kPropertiesCloseCheck, "BUTTON", text::kPropertiesCloseOnOpen, BS_AUTOCHECKBOX, 20, 80, 260, 17},
    {kPropertiesSave, "BUTTON", text::kPropertiesSave, 0, 106, 112, 85, 25},
    {kPropertiesCancel, "BUTTON", text::kPropertiesCancel, 0, 196, 112, 85, 25},
};

MainWindow* data_of(HWND window) { return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

HWND create_properties_window(MainWindow& data, HWND owner) {
    const ProgramState& program = data.program;
    HWND window = CreateWindowExA(WS_EX_NOPARENTNOTIFY, kPropertiesClass, text::kPropertiesTitle, WS_SYSMENU,
                                  program.screen.cx / 2 - kWidth / 2, program.screen.cy / 2 - kHeight / 2, kWidth,
                                  kHeight, owner, nullptr, program.instance, &data);
    if (window == nullptr) return nullptr;
    for (const ChildControl& c : kControls) {
        set_control_font(create_child_control(window, c, WS_VISIBLE, program.instance), program.ui_font.get());
    }
    return window;
}

// The text of an edit, as much as a buffer of 1023 characters holds.
std::string edit_text(HWND window, int id) {
    char text[kPropertiesTextLimit + 1] = {};
    GetWindowTextA(GetDlgItem(window, id), text, sizeof text);
    return text;
}

void save(MainWindow& data, HWND window) {
    Link* link = data.edited_link;
    if (link == nullptr) {  // its link was deleted meanwhile
        ShowWindow(window, SW_HIDE);
        return;
    }
    ProgramState& program = data.program;
    LinkList::set_caption(*link, edit_text(window, kPropertiesCaptionEdit));
    LinkList::set_target(*link, edit_text(window, kPropertiesTargetEdit), program.location.drive_root);
    link->close_on_activate = SendDlgItemMessageA(window, kPropertiesCloseCheck, BM_GETCHECK, 0, 0) == BST_CHECKED;
    make_icon_image(*link, full_target(*link, program.location.drive_root), program.main_window,
                    default_picture_path(program.theme_folder()));
    note_change(program, &ChangeFlags::links_changed);
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
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    MainWindow* data = data_of(window);
    if (data == nullptr) return DefWindowProcA(window, message, wparam, lparam);
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
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            return DefWindowProcA(window, message, wparam, lparam);
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

void show_link_properties(MainWindow& data, HWND owner, Link* link) {
    if (data.properties_window == nullptr) data.properties_window = create_properties_window(data, owner);
    HWND window = data.properties_window;
    if (link == nullptr || window == nullptr) return;
    data.edited_link = link;
    SetDlgItemTextA(window, kPropertiesCaptionEdit, link->caption.value_or("").c_str());
    SetDlgItemTextA(window, kPropertiesTargetEdit, link->target.value_or("").c_str());
    SendDlgItemMessageA(window, kPropertiesCloseCheck, BM_SETCHECK,
                        link->close_on_activate ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowWindow(window, SW_SHOWNORMAL);
}

void forget_edited_link(MainWindow& data, const Link* link) {
    if (link == nullptr || data.edited_link != link) return;
    data.edited_link = nullptr;
    // A window that edits nothing has nothing to offer.
    if (data.properties_window) ShowWindow(data.properties_window, SW_HIDE);
}

}  // namespace qb

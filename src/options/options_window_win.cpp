#include "options/options_window_win.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "autorun/autorun_file_win.h"
#include "autorun/autorun_policy_win.h"
#include "common/child_controls_win.h"
#include "common/ui_texts.h"
#include "common/wide_text_win.h"
#include "common/win_handles_win.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/window_shape_win.h"
#include "options/options_pages.h"
#include "options/theme_switch_win.h"
#include "render/skin_win.h"
#include "render/window_areas.h"
#include "theme/theme_catalogue_win.h"
#include "theme/theme_file_win.h"

namespace qb {

namespace {

constexpr int kPageItemHeight = 30;
constexpr COLORREF kButtonOutline = RGB(10, 10, 10);
constexpr int kButtonCorner = 8;
// A theme folder's name, as the list holds it (the longest a folder's name can be).
constexpr int kThemeNameLimit = 259;

// Every control of the four pages, created hidden; show_page shows one page.
const ChildControl kControls[] = {
    // General
    {kOptionsShowHints, "BUTTON", text::kOptionsShowHints, BS_AUTOCHECKBOX, 115, 20, 290, 17},
    {kOptionsCheckAutorunAtStart, "BUTTON", text::kOptionsCheckAutorunAtStart, BS_AUTOCHECKBOX, 115, 45, 290, 17},
    {kOptionsCloseWhenIdle, "BUTTON", text::kOptionsCloseWhenIdle, BS_AUTOCHECKBOX, 115, 70, 310, 17},
    {kOptionsSaveGeneral, "BUTTON", text::kOptionsSave, BS_PUSHBUTTON, 335, 260, 105, 25},
    {kOptionsAutoArrange, "BUTTON", text::kOptionsAutoArrange, BS_AUTOCHECKBOX, 115, 95, 310, 17},
    {kOptionsSearchService, "BUTTON", text::kOptionsSearchService, BS_AUTOCHECKBOX, 115, 120, 330, 17},
    // Autorun
    {kOptionsAutorunFileLabel, "STATIC", text::kOptionsAutorunFileLabel, SS_LEFT, 115, 20, 290, 17},
    {kOptionsCheckAutorunFile, "BUTTON", text::kOptionsRunCheck, BS_PUSHBUTTON, 380, 16, 50, 26},
    {kOptionsAutorunFileNote, "STATIC", text::kOptionsAutorunFileNote, SS_LEFT | WS_THICKFRAME, 115, 50, 274, 73},
    {kOptionsAutorunPolicyLabel, "STATIC", text::kOptionsAutorunPolicyLabel, SS_LEFT, 115, 140, 290, 17},
    {kOptionsCheckAutorunPolicy, "BUTTON", text::kOptionsRunCheck, BS_PUSHBUTTON, 380, 136, 50, 26},
    {kOptionsAutorunPolicyNote, "STATIC", text::kOptionsAutorunPolicyNote, SS_LEFT | WS_THICKFRAME, 115, 170, 274,
     98},
    // Themes
    {kOptionsDoubleFont, "BUTTON", text::kOptionsDoubleFont, BS_AUTOCHECKBOX, 220, 205, 310, 17},
    {kOptionsThemeList, "LISTBOX", kNoText, WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT, 115, 20, 95, 220},
    {kOptionsWorkAreaLabel, "STATIC", text::kOptionsWorkArea, SS_LEFT, 220, 20, 290, 17},
    {kOptionsFillType, "COMBOBOX", kNoText, CBS_DROPDOWNLIST | WS_BORDER | WS_VSCROLL, 220, 45, 220, 170},
    {kOptionsHeaderColorLabel, "STATIC", text::kOptionsHeaderColor, SS_LEFT, 220, 80, 290, 17},
    {kOptionsHeaderColor, "BUTTON", kNoText, BS_OWNERDRAW, 388, 76, 50, 26},
    {kOptionsFontColorLabel, "STATIC", text::kOptionsFontColor, SS_LEFT, 220, 110, 290, 17},
    {kOptionsFontColor, "BUTTON", kNoText, BS_OWNERDRAW, 388, 106, 50, 26},
    {kOptionsFrameColorLabel, "STATIC", text::kOptionsFrameColor, SS_LEFT, 220, 140, 290, 17},
    {kOptionsFrameColor, "BUTTON", kNoText, BS_OWNERDRAW, 388, 136, 50, 26},
    {kOptionsBackgroundColorLabel, "STATIC", text::kOptionsBackgroundColor, SS_LEFT, 220, 170, 290, 17},
    {kOptionsBackgroundColor, "BUTTON", kNoText, BS_OWNERDRAW, 388, 166, 50, 26},
    {kOptionsSaveTheme, "BUTTON", text::kOptionsSaveTheme, BS_PUSHBUTTON, 335, 260, 105, 25},
    // About
    {kOptionsLogo, "STATIC", text::kOptionsLogo, SS_BITMAP | WS_THICKFRAME, 175, 10, 105, 25},
    {kOptionsWebAddress, "STATIC", text::kOptionsWebAddress, SS_LEFT, 240, 180, 80, 17},
    {kOptionsMailAddress, "STATIC", text::kOptionsMailAddress, SS_LEFT, 238, 210, 85, 17},
};

const text::Id kPageNames[kOptionsPageCount] = {text::kOptionsPageGeneral, text::kOptionsPageAutorun,
                                                   text::kOptionsPageThemes, text::kOptionsPageAbout};
const text::Id kFillTypeNames[] = {text::kOptionsFillNone, text::kOptionsFillNormal, text::kOptionsFillTile,
                                      text::kOptionsFillStretch};
const int kColorButtons[] = {kOptionsHeaderColor, kOptionsFontColor, kOptionsFrameColor, kOptionsBackgroundColor};

// A string item of a list or combo box, handed over as the system's text.
void add_string(HWND box, UINT message, const char* text) {
    const std::wstring wide = to_wide(text);
    SendMessageW(box, message, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

ProgramState* program_of(HWND window) {
    return reinterpret_cast<ProgramState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool ticked(HWND window, int id) { return SendDlgItemMessageW(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void set_tick(HWND window, int id, bool on) {
    SendDlgItemMessageW(window, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void repaint_main_window(const ProgramState& program, std::uint16_t areas) {
    if (program.main_window) repaint_areas(program.main_window, areas, program.header_height);
}

void create_page_list(HWND window, const ProgramState& program) {
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, 10, 10, 95,
                                320 - program.header_height, window, control_menu_id(kOptionsPageList), program.instance,
                                nullptr);
    set_control_font(list, program.ui_font.get());
    for (text::Id name : kPageNames) add_string(list, LB_ADDSTRING, ui_text(name, program.language));
    SendMessageW(list, LB_SETITEMHEIGHT, 0, kPageItemHeight);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
}

void create_controls(HWND window, const ProgramState& program) {
    for (const ChildControl& c : kControls) {
        // The picture's text names a resource, which is looked for in the
        // program's own file (it has none): the picture comes from the cache.
        HINSTANCE instance = c.id == kOptionsLogo ? GetModuleHandleW(nullptr) : program.instance;
        // Siblings overlap (a label runs under its colour button); clipping
        // keeps each one's paint out of the others.
        HWND control = create_child_control(window, c, WS_CLIPSIBLINGS, instance, program.language);
        if (c.id != kOptionsLogo) set_control_font(control, program.ui_font.get());
    }
    // The colour buttons lie above the labels that run under them.
    for (int id : kColorButtons) {
        SetWindowPos(GetDlgItem(window, id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    HWND fill_list = GetDlgItem(window, kOptionsFillType);
    for (text::Id name : kFillTypeNames) add_string(fill_list, CB_ADDSTRING, ui_text(name, program.language));
    if (HBITMAP logo = program.bitmaps.bitmap_of("LOGO")) {
        SendDlgItemMessageW(window, kOptionsLogo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo));
    }

    const AppSettings& settings = program.settings;
    set_tick(window, kOptionsShowHints, settings.show_hints);
    set_tick(window, kOptionsCheckAutorunAtStart, settings.check_autorun_at_start);
    set_tick(window, kOptionsCloseWhenIdle, settings.auto_close_when_idle);
    set_tick(window, kOptionsAutoArrange, settings.auto_arrange);
    set_tick(window, kOptionsSearchService, settings.use_search_service);
    set_tick(window, kOptionsDoubleFont, program.theme.double_font);
}

void repaint_color_buttons(HWND window) {
    for (int id : kColorButtons) InvalidateRect(GetDlgItem(window, id), nullptr, TRUE);
}

void apply_general(ProgramState& program, HWND window) {
    const GeneralPageTicks ticks{
        .show_hints = ticked(window, kOptionsShowHints),
        .check_autorun_at_start = ticked(window, kOptionsCheckAutorunAtStart),
        .auto_close_when_idle = ticked(window, kOptionsCloseWhenIdle),
        .auto_arrange = ticked(window, kOptionsAutoArrange),
        .use_search_service = ticked(window, kOptionsSearchService),
    };
    const bool arrange = apply_general_page(ticks, program.settings, program.changes);
    note_change(program, &ChangeFlags::options_changed);  // saved soon
    if (!arrange || !program.main_window) return;
    RECT client{};
    GetClientRect(program.main_window, &client);
    if (program.links.resolve_overlaps(client.right, client.bottom, program.link_grid())) {
        repaint_main_window(program, AREA_WORK);
    }
}

void check_autorun(ProgramState& program, HWND window) {
    const std::uint16_t findings = check_autorun_file(program.location.drive_root, process_command_line());
    program.autorun_state = findings;
    text::Id question = text::kAutorunMissingQuestion;
    switch (autorun_report(findings)) {
        case AutorunReport::InOrder:
            program.seams.message_box(window, text::kAutorunInOrder, text::kCheckResultCaption, MB_OK, program.language);
            return;
        case AutorunReport::OfferCreate: question = text::kAutorunMissingQuestion; break;
        case AutorunReport::OfferRewrite: question = text::kAutorunMisconfiguredQuestion; break;
    }
    if (program.seams.message_box(window, question, text::kCheckResultCaption, MB_YESNO, program.language) != IDYES) {
        return;
    }
    const AutorunWriteResult written =
        write_autorun_file(autorun_place(program), program.seams, window, program.language, /*show_messages=*/true);
    program.autorun_state = findings_after_write(written, program.autorun_state);
}

void switch_theme(ProgramState& program, HWND window) {
    HWND list = GetDlgItem(window, kOptionsThemeList);
    const LRESULT item = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (item == LB_ERR) return;
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, item, 0);
    if (length <= 0 || length > kThemeNameLimit) return;
    wchar_t text[kThemeNameLimit + 1] = {};
    if (SendMessageW(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text)) != length) return;
    // The list holds only names that came from code page 1251.
    const std::optional<std::string> name = to_1251(std::wstring_view(text, static_cast<std::size_t>(length)));
    if (!name) return;

    if (!apply_theme(program, *name, window)) {
        // Still the theme it was: the list shows it again.
        fill_theme_list(list, program.location.beside_program("\\Data"), program.settings.theme_name);
        return;
    }
    note_change(program, &ChangeFlags::theme_changed);
    set_tick(window, kOptionsDoubleFont, program.theme.double_font);
    SendDlgItemMessageW(window, kOptionsFillType, CB_SETCURSEL, fill_type_item(program.theme.fill_type), 0);
    repaint_color_buttons(window);
}

void change_fill_type(ProgramState& program, HWND window) {
    const LRESULT item = SendDlgItemMessageW(window, kOptionsFillType, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR) return;
    program.theme.fill_type = static_cast<std::int8_t>(item);
    note_change(program, &ChangeFlags::theme_colors_changed);
    if (HWND main = program.main_window) {
        RECT outer{};
        GetWindowRect(main, &outer);
        compose_skin(program.bitmaps, {0, 0, outer.right - outer.left, outer.bottom - outer.top}, main,
                     program.theme.fill_type, program.header_height);
    }
    repaint_main_window(program, AREA_ALL);
}

void choose_color(ProgramState& program, HWND window, int id) {
    Color* field = button_color(program.theme, id);
    if (field == nullptr) return;
    COLORREF chosen = *field;
    if (!program.seams.choose_color(window, chosen)) return;
    *field = chosen;
    InvalidateRect(GetDlgItem(window, id), nullptr, TRUE);
    repaint_main_window(program, AREA_ALL);
    note_change(program, &ChangeFlags::theme_colors_changed);
}

void save_theme(ProgramState& program) {
    // A file that could not be written keeps the edits pending, so that
    // shutdown tries again.
    if (write_theme(program.theme_folder(), program.theme)) program.changes.theme_colors_changed = false;
}

LRESULT on_command(ProgramState& program, HWND window, WPARAM wparam) {
    if (program.main_window) {
        if (MainWindow* main = main_window_data(program.main_window)) note_input(*main);
    }
    const int id = LOWORD(wparam);
    switch (options_command(id, HIWORD(wparam))) {
        case OptionsCommand::ShowPage: show_page(program, window); break;
        case OptionsCommand::ApplyGeneral: apply_general(program, window); break;
        case OptionsCommand::CheckAutorunFile: check_autorun(program, window); break;
        case OptionsCommand::CheckAutorunPolicy: check_autorun_policy(program.seams, window, program.language); break;
        case OptionsCommand::DoubleFont:
            // Reaches Theme.ini only with "Сохранить тему" or another edit.
            program.theme.double_font = ticked(window, kOptionsDoubleFont);
            repaint_main_window(program, AREA_ALL);
            break;
        case OptionsCommand::SwitchTheme: switch_theme(program, window); break;
        case OptionsCommand::FillType: change_fill_type(program, window); break;
        case OptionsCommand::ChooseColor: choose_color(program, window, id); break;
        case OptionsCommand::SaveTheme: save_theme(program); break;
        case OptionsCommand::None: break;
    }
    return 0;
}

LRESULT on_draw_item(const ProgramState& program, LPARAM lparam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    const Color* color = button_color(program.theme, static_cast<int>(item->CtlID));
    if (color == nullptr) return FALSE;
    const RECT& r = item->rcItem;
    draw_color_button(item->hDC, {0, 0, r.right - r.left, r.bottom - r.top}, *color);
    return TRUE;
}

// Labels and check boxes on the window's own face instead of the system's.
LRESULT on_control_color(HWND window, WPARAM wparam) {
    SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
    return static_cast<LRESULT>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
}

void on_destroy(ProgramState& program, HWND window) {
    if (program.options_window == window) program.options_window = nullptr;
    ShowWindow(window, SW_HIDE);
    if (program.main_window) BringWindowToTop(program.main_window);
}

}  // namespace

void draw_color_button(HDC dc, const Rect& rect, Color color) {
    UniqueBrush brush(CreateSolidBrush(color));
    UniquePen pen(CreatePen(PS_SOLID, 1, kButtonOutline));
    SelectGuard select_brush(dc, brush.get());
    SelectGuard select_pen(dc, pen.get());
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, kButtonCorner, kButtonCorner);
}

LRESULT CALLBACK options_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    ProgramState* program = program_of(window);
    if (program == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
        case WM_COMMAND: return on_command(*program, window, wparam);
        case WM_DRAWITEM: return on_draw_item(*program, lparam);
        case WM_CTLCOLORSTATIC: return on_control_color(window, wparam);
        case WM_DESTROY: on_destroy(*program, window); return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wparam, lparam);
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

HWND build_options_window(ProgramState& program, HWND owner) {
    const std::wstring class_name = to_wide(kOptionsClass);
    const std::wstring title = to_wide(ui_text(text::kOptionsTitle, program.language));
    HWND window = CreateWindowExW(WS_EX_NOPARENTNOTIFY, class_name.c_str(), title.c_str(),
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, program.screen.cx / 2 - kOptionsWidth / 2,
                                  program.screen.cy / 2 - kOptionsHeight / 2, kOptionsWidth, kOptionsHeight, owner,
                                  nullptr, program.instance, &program);
    if (window == nullptr) return nullptr;
    create_page_list(window, program);
    create_controls(window, program);
    show_page(program, window);
    return window;
}

void open_options_window(ProgramState& program, HWND owner) {
    if (program.options_window == nullptr) program.options_window = build_options_window(program, owner);
    if (program.options_window == nullptr) return;
    ShowWindow(program.options_window, SW_SHOWNORMAL);
}

// The items of a list or combo box in another language, the chosen one kept.
void retext_items(HWND box, UINT get_selection, UINT set_selection, UINT remove, UINT insert,
                  std::span<const text::Id> names, Language language) {
    const LRESULT chosen = SendMessageW(box, get_selection, 0, 0);
    for (std::size_t i = 0; i < names.size(); ++i) {
        SendMessageW(box, remove, i, 0);
        const std::wstring wide = to_wide(ui_text(names[i], language));
        SendMessageW(box, insert, i, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(box, set_selection, static_cast<WPARAM>(chosen), 0);
}

void retext_options_window(const ProgramState& program) {
    HWND window = program.options_window;
    if (window == nullptr) return;
    SetWindowTextW(window, to_wide(ui_text(text::kOptionsTitle, program.language)).c_str());
    set_control_texts(window, kControls, program.language);
    retext_items(GetDlgItem(window, kOptionsPageList), LB_GETCURSEL, LB_SETCURSEL, LB_DELETESTRING, LB_INSERTSTRING,
                 kPageNames, program.language);
    retext_items(GetDlgItem(window, kOptionsFillType), CB_GETCURSEL, CB_SETCURSEL, CB_DELETESTRING, CB_INSERTSTRING,
                 kFillTypeNames, program.language);
}

void show_page(ProgramState& program, HWND window) {
    const LRESULT page = SendDlgItemMessageW(window, kOptionsPageList, LB_GETCURSEL, 0, 0);
    if (page == LB_ERR) return;
    const ControlRange shown = page_controls(static_cast<int>(page));
    for (int id = kFirstPageControl; id <= kLastPageControl; ++id) {
        if (HWND control = GetDlgItem(window, id)) ShowWindow(control, shown.holds(id) ? SW_SHOW : SW_HIDE);
    }
    if (page != kThemesPage) return;
    SendDlgItemMessageW(window, kOptionsFillType, CB_SETCURSEL, fill_type_item(program.theme.fill_type), 0);
    fill_theme_list(GetDlgItem(window, kOptionsThemeList), program.location.beside_program("\\Data"),
                    program.settings.theme_name);
}

}  // namespace qb

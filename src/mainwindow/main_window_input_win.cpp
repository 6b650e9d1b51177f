#include "mainwindow/main_window_input_win.h"

#include <iterator>
#include <string_view>
#include <vector>

#include "common/system_libraries_win.h"
#include "common/ui_texts.h"
#include "common/wide_text_win.h"

#include "mainwindow/accessible_events_win.h"
#include "mainwindow/drag.h"
#include "mainwindow/hints.h"
#include "mainwindow/hit_zones.h"
#include "mainwindow/keys.h"
#include "mainwindow/language_switch_win.h"
#include "mainwindow/link_actions_win.h"
#include "mainwindow/new_programs_panel.h"
#include "mainwindow/properties_window_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/type_to_find.h"
#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"

namespace qb {

namespace {

// Mouse points come as two signed 16-bit values, so points left of or
// above the window are negative.
Point point_of(LPARAM lparam) {
    return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

Size client_size(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// The countdown starts again; the header that showed it is to be repainted.
std::uint16_t noted_input(MainWindow& data) {
    return note_user_input(data.view) ? AREA_HEADER : std::uint16_t{0};
}

void repaint(MainWindow& data, HWND window, std::uint16_t areas) {
    repaint_view(window, areas, data.program, data.paint_cache);
}

// The system cursors by number: the names' macros are the narrow forms.
LPCWSTR cursor_of(ZoneCursor cursor) {
    switch (cursor) {
        case ZoneCursor::SizeWestEast: return MAKEINTRESOURCEW(32644);            // IDC_SIZEWE
        case ZoneCursor::SizeNorthSouth: return MAKEINTRESOURCEW(32645);          // IDC_SIZENS
        case ZoneCursor::SizeNorthWestSouthEast: return MAKEINTRESOURCEW(32642);  // IDC_SIZENWSE
        case ZoneCursor::SizeNorthEastSouthWest: return MAKEINTRESOURCEW(32643);  // IDC_SIZENESW
        case ZoneCursor::Arrow: break;
    }
    return MAKEINTRESOURCEW(32512);  // IDC_ARROW
}

// A popup menu of `items` at the window point `at`.
void show_menu(MainWindow& data, HWND window, const std::vector<MenuItem>& items, Point at) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    for (const MenuItem& item : items) {
        if (item.text == nullptr) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, item.command, to_wide(item.text).c_str());
            if (item.checked) CheckMenuRadioItem(menu, item.command, item.command, item.command, MF_BYCOMMAND);
        }
    }
    RECT placed{};
    GetWindowRect(window, &placed);
    data.program.seams.popup_menu(menu, placed.left + at.x, placed.top + at.y, window);
    DestroyMenu(menu);
}

void show_link_menu(MainWindow& data, HWND window, const Link& link, Point at) {
    show_menu(data, window, link_menu_items(link, data.program.language), at);
}

void show_language_menu(MainWindow& data, HWND window, Point at) {
    show_menu(data, window, language_menu_items(data.program.language), at);
}

// Where the keyboard opens the desktop's own menu: the work area's corner.
Point desktop_menu_point(const MainWindow& data) { return {10, data.program.header_height + 10}; }

bool key_held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Bit 29 of a key message's data: Alt is held.
bool alt_held(LPARAM lparam) { return (static_cast<DWORD>(lparam) >> 29) & 1u; }

// The middle of a link's square, in window coordinates.
Point link_middle(const MainWindow& data, const Link& link) {
    const Point at = link_to_client(link.x, link.y, data.program.header_height);
    return {at.x + kHitSize / 2, at.y + kHitSize / 2};
}

// The Menu key, Shift+F10 and Alt+Enter act on the selected link; none
// selected: nothing. False for any other key.
bool link_key(MainWindow& data, HWND window, unsigned key, bool system, LPARAM lparam) {
    const KeyAction action = link_key_action(key, system, key_held(VK_SHIFT), alt_held(lparam));
    if (action == KeyAction::None) return false;
    if (system) note_input(data);
    Link* selected = data.program.links.selected_link();
    if (selected == nullptr) {
        if (action == KeyAction::LinkMenu) show_language_menu(data, window, desktop_menu_point(data));
        return true;
    }
    if (action == KeyAction::LinkMenu) show_link_menu(data, window, *selected, link_middle(data, *selected));
    if (action == KeyAction::LinkProperties) show_link_properties(data, window, selected);
    return true;
}

}  // namespace

LRESULT on_hit_test(MainWindow& data, HWND window, LPARAM lparam) {
    repaint(data, window, noted_input(data));
    POINT screen{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    ScreenToClient(window, &screen);
    const HitZone zone = hit_zone({screen.x, screen.y}, client_size(window), data.program.header_height);
    SetCursor(LoadCursorW(nullptr, cursor_of(zone_cursor(zone))));
    return hit_test_code(zone);
}

LRESULT on_mouse_move(MainWindow& data, HWND window, LPARAM lparam) {
    std::uint16_t areas = noted_input(data);
    DragRepaint drag;
    if (data.view.drag.dragging && data.view.drag.link) {
        drag = drag_move_repaint(data.view.drag, point_of(lparam), data.program.settings.auto_arrange,
                                 data.program.header_height);
    }
    repaint_areas_and_rects(window, areas | drag.areas, drag.rects, data.program.header_height);
    return 0;
}

LRESULT on_left_button_down(MainWindow& data, HWND window, LPARAM lparam) {
    ProgramState& program = data.program;
    std::uint16_t areas = noted_input(data);
    const Point point = point_of(lparam);
    const int header = program.header_height;

    // A shown balloon takes the press: nothing beneath it sees it.
    const HintHit hint = hint_hit_test(data.view.hints, point, header);
    if (hint != HintHit::Outside) {
        data.view.drag.dragging = false;
        data.view.drag.link = nullptr;
        repaint(data, window, areas | (hint == HintHit::CloseBox ? AREA_WORK : 0));
        return 0;
    }

    const PanelPress press = panel_left_press(program.found_files, data.view, point, client_size(window), header,
                                              program.location.drive_root);
    if (press.taken) {
        if (press.adopt) add_link_for_path(data, window, press.adopt->path, press.adopt->position);
        if (press.repaint) announce_children_changed(program);
        repaint(data, window, areas | press.repaint);
        return 0;
    }

    Link* link = program.links.hit_test(point.x, point.y, header);
    if (link) {
        // Moving it changes the children's order for a screen reader.
        if (link != &*std::prev(program.links.end())) announce_children_changed(program);
        program.links.move_to_end(link);  // drawn on top, and first for later hit tests
        areas |= AREA_LINKS;
    }
    press_on_work_area(data.view.drag, link, point, header);
    if (select_link(data, link)) areas |= AREA_LINKS;
    repaint(data, window, areas);
    return 0;
}

LRESULT on_left_button_up(MainWindow& data, HWND window) {
    ProgramState& program = data.program;
    std::uint16_t areas = noted_input(data);
    DragState& drag = data.view.drag;
    if (drag.link) {
        const bool on_grid = program.settings.auto_arrange;
        if (const std::optional<Point> landing = drag_landing(drag, on_grid, program.header_height)) {
            LinkList::set_x(*drag.link, landing->x, on_grid);
            LinkList::set_y(*drag.link, landing->y, on_grid);
        }
        if (drag_moved_link(drag, *drag.link)) note_change(program, &ChangeFlags::links_changed);
        const Size client = client_size(window);
        if (on_grid && program.links.resolve_overlaps(client.cx, client.cy, program.link_grid())) {
            note_change(program, &ChangeFlags::links_changed);
        }
    }
    areas |= end_drag(drag);
    repaint(data, window, areas);
    return 0;
}

LRESULT on_left_button_double_click(MainWindow& data, HWND window, LPARAM lparam) {
    ProgramState& program = data.program;
    std::uint16_t areas = noted_input(data);
    const Point point = point_of(lparam);
    Link* link = program.links.hit_test(point.x, point.y, program.header_height);
    if (select_link(data, link)) areas |= AREA_LINKS;
    if (link) open_link(data, *link, window, /*keep_running=*/false);
    repaint(data, window, areas);
    return 0;
}

LRESULT on_right_button_down(MainWindow& data, HWND window, LPARAM lparam) {
    ProgramState& program = data.program;
    std::uint16_t areas = noted_input(data);
    const Point point = point_of(lparam);
    const int header = program.header_height;

    const HintHit hint = hint_hit_test(data.view.hints, point, header);
    if (hint != HintHit::Outside) {
        repaint(data, window, areas | (hint == HintHit::CloseBox ? AREA_WORK : 0));
        return 0;
    }
    const PanelPress press = panel_right_press(program.found_files, point, client_size(window), header);
    if (press.taken) {
        announce_children_changed(program);
        repaint(data, window, areas | press.repaint);
        return 0;
    }

    Link* link = program.links.hit_test(point.x, point.y, header);
    if (select_link(data, link)) areas |= AREA_LINKS;
    // The selection shows before the menu opens.
    repaint(data, window, areas);
    if (link) {
        show_link_menu(data, window, *link, point);
    } else {
        show_language_menu(data, window, point);
    }
    return 0;
}

LRESULT on_key_down(MainWindow& data, HWND window, WPARAM key, LPARAM lparam) {
    ProgramState& program = data.program;
    std::uint16_t areas = noted_input(data);
    if (link_key_action(static_cast<unsigned>(key), false, key_held(VK_SHIFT), false) != KeyAction::None) {
        repaint(data, window, areas);
        link_key(data, window, static_cast<unsigned>(key), false, lparam);
        return 0;
    }
    const KeyCommand command =
        key_command(static_cast<unsigned>(key), is_extended_key(static_cast<std::uint32_t>(lparam)));
    Link* selected = program.links.selected_link();
    switch (command.action) {
        case KeyAction::Navigate:
            if (selected == nullptr) {
                Link* first = program.links.at(0);
                if (select_link(data, first) && first) areas |= AREA_LINKS;
            } else if (Link* next = program.links.neighbour(command.direction, selected, program.settings.auto_arrange)) {
                if (select_link(data, next)) areas |= AREA_LINKS;
            }
            break;
        case KeyAction::Delete:
            repaint(data, window, areas);
            areas = 0;
            delete_link_confirmed(data, selected, window);
            break;
        case KeyAction::Open:
            if (selected) open_link(data, *selected, window, /*keep_running=*/false);
            break;
        case KeyAction::Quit: PostQuitMessage(0); break;
        case KeyAction::LinkMenu:
        case KeyAction::LinkProperties:
        case KeyAction::None: break;
    }
    repaint(data, window, areas);
    return 0;
}

LRESULT on_system_key_down(MainWindow& data, HWND window, WPARAM key, LPARAM lparam) {
    if (!link_key(data, window, static_cast<unsigned>(key), true, lparam)) {
        return DefWindowProcW(window, WM_SYSKEYDOWN, key, lparam);
    }
    return 0;
}

LRESULT on_key_up(HWND window, UINT message, WPARAM key, LPARAM lparam) {
    // The system's own handling would open the menu a second time.
    if (link_key_action(static_cast<unsigned>(key), message == WM_SYSKEYUP, key_held(VK_SHIFT), alt_held(lparam)) ==
        KeyAction::LinkMenu) {
        return 0;
    }
    return DefWindowProcW(window, message, key, lparam);
}

LRESULT on_char(MainWindow& data, HWND window, WPARAM character) {
    ProgramState& program = data.program;
    std::uint16_t areas = noted_input(data);
    const std::optional<std::string> typed = to_1251(std::wstring(1, static_cast<wchar_t>(character)));
    if (typed && typed->size() == 1) {
        std::vector<std::string_view> captions;
        std::optional<int> selected;
        for (const Link& link : program.links) {
            if (link.selected) selected = static_cast<int>(captions.size());
            captions.push_back(link.caption ? std::string_view(*link.caption) : std::string_view());
        }
        const TypeToFind found = type_to_find(data.typed, typed->front(), GetTickCount(), captions, selected);
        data.typed = found.typed;
        if (found.select && select_link(data, program.links.at(*found.select))) areas |= AREA_LINKS;
    }
    repaint(data, window, areas);
    return 0;
}

LRESULT on_context_menu(MainWindow& data, HWND window, LPARAM lparam) {
    // From the keyboard the point is (-1, -1): the menu opens at the link.
    // A right click has shown its menu on the press already.
    if (point_of(lparam) == Point{-1, -1}) {
        if (Link* selected = data.program.links.selected_link()) {
            show_link_menu(data, window, *selected, link_middle(data, *selected));
        } else {
            show_language_menu(data, window, desktop_menu_point(data));
        }
    }
    return 0;
}

LRESULT on_command(MainWindow& data, HWND window, WPARAM wparam) {
    ProgramState& program = data.program;
    repaint(data, window, noted_input(data));
    Link* selected = program.links.selected_link();
    switch (command_of(static_cast<std::uint32_t>(wparam))) {
        case Command::Close: PostQuitMessage(0); break;
        case Command::Options:
            if (data.hooks.open_options) data.hooks.open_options(program);
            break;
        case Command::Open:
            if (selected) open_link(data, *selected, window, /*keep_running=*/false);
            break;
        case Command::OpenStay:
            if (selected) open_link(data, *selected, window, /*keep_running=*/true);
            break;
        case Command::Properties: show_link_properties(data, window, selected); break;
        case Command::Delete: delete_link_confirmed(data, selected, window); break;
        case Command::ChooseLanguage:
            switch_language(data, window, language_of_command(static_cast<std::uint32_t>(wparam)));
            break;
        case Command::None: break;
    }
    return 0;
}

LRESULT on_drop_files(MainWindow& data, HWND window, WPARAM wparam) {
    auto drop = reinterpret_cast<HDROP>(wparam);
    std::uint16_t areas = noted_input(data);
    // Without the shell's functions the drop cannot be read; its block,
    // global memory, is freed as DragFinish would.
    const ShellFunctions* shell = shell_functions();
    if (!shell) {
        GlobalFree(reinterpret_cast<HGLOBAL>(drop));
        repaint(data, window, areas);
        return 0;
    }
    // Only the first name counts; a longer one is cut to 1023 characters.
    wchar_t name[1024] = {};
    if (shell->DragQueryFileW(drop, 0, name, 1024) > 0 && name[0] != L'\0') {
        // A name that code page 1251 cannot hold is kept by its short name,
        // or not at all: never with stand-in characters.
        if (const std::optional<std::string> path = storable_path(name)) {
            POINT at{};
            shell->DragQueryPoint(drop, &at);
            add_link_for_path(data, window, *path, {at.x, at.y});
            areas |= AREA_WORK;
        } else {
            data.program.seams.message_box(window, text::kNameCannotBeKept, text::kErrorCaption, MB_OK, data.program.language);
        }
    }
    repaint(data, window, areas);
    shell->DragFinish(drop);
    return 0;
}

}  // namespace qb

#include "mainwindow/main_window_win.h"

#include "links/app_settings.h"
#include "mainwindow/window_shape_win.h"
#include "render/painter_win.h"
#include "render/window_areas.h"

namespace qb {

namespace {

std::optional<Point> child_place(HWND window, int id) {
    HWND child = GetDlgItem(window, id);
    if (child == nullptr) return std::nullopt;
    RECT place{};
    GetWindowRect(child, &place);
    RECT placed{};
    GetWindowRect(window, &placed);
    return Point{place.left - placed.left, place.top - placed.top};
}

LRESULT on_destroy(MainWindow& self) {
    // The program closes its own window at the very end; only a window
    // destroyed from outside ends the run.
    if (self.program.main_window != nullptr) PostQuitMessage(0);
    return 0;
}

LRESULT on_paint(MainWindow& self, HWND window) {
    RECT update{};
    if (!GetUpdateRect(window, &update, FALSE)) return 1;
    paint_main_window(window, paint_scene(self, window), {update.left, update.top, update.right, update.bottom});
    return 0;
}

LRESULT on_get_min_max_info(LPARAM lparam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
    info->ptMinTrackSize = {kMinWindowWidth, kMinWindowHeight};
    return 0;
}

LRESULT on_draw_item(MainWindow& self, HWND window, WPARAM wparam, LPARAM lparam) {
    const char* name = wparam == CMD_CLOSE ? "CloseButton" : wparam == CMD_OPTIONS ? "OptButton" : nullptr;
    if (name == nullptr) return 0;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    // The button's own DC, not the one in the structure.
    WindowDc dc(GetDlgItem(window, static_cast<int>(wparam)));
    const int offset = (item->itemState & ODS_SELECTED) ? 1 : 0;
    self.program.bitmaps.draw(dc.get(), name, offset, offset);
    return 0;
}

void after_input(MainWindow& self, HWND window) {
    if (note_user_input(self.view)) repaint_areas(window, AREA_HEADER, self.program.header_height);
}

LRESULT on_key_down(MainWindow& self, HWND window, WPARAM key, LPARAM lparam) {
    after_input(self, window);
    const bool extended = (lparam >> 24) & 1;
    if (!extended && key == VK_ESCAPE) PostQuitMessage(0);
    return 0;
}

LRESULT on_command(MainWindow& self, HWND window, WPARAM wparam) {
    after_input(self, window);
    if (LOWORD(wparam) == CMD_CLOSE) PostQuitMessage(0);
    return 0;
}

LRESULT on_end_session(MainWindow& self, WPARAM ending) {
    // Windows ends the process soon after this returns: save now, exactly
    // as a normal close would.
    if (ending && self.hooks.end_session) self.hooks.end_session(self.program);
    return 0;
}

}  // namespace

MainWindow* main_window_data(HWND window) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

PaintScene paint_scene(const MainWindow& data, HWND window) {
    const ProgramState& program = data.program;
    RECT client{};
    GetClientRect(window, &client);
    std::optional<Point> drag_box;
    if (data.view.drag.link != nullptr) {
        drag_box = Point{data.view.drag.point.x - data.view.drag.grab_dx, data.view.drag.point.y - data.view.drag.grab_dy};
    }
    return PaintScene{
        .width = client.right,
        .height = client.bottom,
        .header_height = program.header_height,
        .settings = program.settings,
        .links = program.links,
        .theme = program.theme,
        .bitmaps = program.bitmaps,
        .found_files = program.found_files,
        .drive = program.drive,
        .search_in_progress = program.search_in_progress.load(),
        .idle_countdown = data.view.idle_countdown,
        .hint = data.view.hints.active,
        .drag_box = drag_box,
        .buttons = {child_place(window, CMD_CLOSE), child_place(window, CMD_OPTIONS)},
    };
}

HWND create_main_window(MainWindow& data) {
    const Size screen = data.program.screen;
    return CreateWindowExA(WS_EX_ACCEPTFILES, kMainClass, kMainTitle, WS_POPUP, screen.cx / 2 - 200,
                           screen.cy / 2 - 150, 400, 300, nullptr, nullptr, data.program.instance, &data);
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    MainWindow* self = main_window_data(window);
    // WM_GETMINMAXINFO comes before WM_NCCREATE and needs no data.
    if (message == WM_GETMINMAXINFO) return on_get_min_max_info(lparam);
    if (self == nullptr) return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
        case WM_DESTROY: return on_destroy(*self);
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            return DefWindowProcA(window, message, wparam, lparam);
        case WM_SIZE: reshape_window(self->program, window); return 0;
        case WM_PAINT: return on_paint(*self, window);
        case WM_ERASEBKGND: return 1;
        case WM_DRAWITEM: return on_draw_item(*self, window, wparam, lparam);
        case WM_KEYDOWN: return on_key_down(*self, window, wparam, lparam);
        case WM_COMMAND: return on_command(*self, window, wparam);
        case WM_ENDSESSION: return on_end_session(*self, wparam);
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace qb

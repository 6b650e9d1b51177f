#include "mainwindow/main_window_win.h"

#include "app/app_globals_win.h"
#include "app/lifecycle_win.h"
#include "links/app_settings.h"
#include "mainwindow/main_window_state.h"
#include "mainwindow/window_areas.h"
#include "mainwindow/window_shape_win.h"
#include "render/painter_win.h"

namespace qb {

namespace {

LRESULT on_destroy(HWND window) {
    // The program closes its own window at the very end; only a window
    // destroyed from outside ends the run.
    if (window == main_window) PostQuitMessage(0);
    return 0;
}

LRESULT on_paint(HWND window) {
    RECT update{};
    if (!GetUpdateRect(window, &update, FALSE)) return 1;
    paint_main_window(window, drag_link, {update.left, update.top, update.right, update.bottom});
    return 0;
}

LRESULT on_get_min_max_info(LPARAM lparam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
    info->ptMinTrackSize = {kMinWindowWidth, kMinWindowHeight};
    return 0;
}

LRESULT on_draw_item(HWND window, WPARAM wparam, LPARAM lparam) {
    const char* name = wparam == CMD_CLOSE ? "CloseButton" : wparam == CMD_OPTIONS ? "OptButton" : nullptr;
    if (name == nullptr) return 0;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    // The button's own DC, not the one in the structure.
    WindowDc dc(GetDlgItem(window, static_cast<int>(wparam)));
    const int offset = (item->itemState & ODS_SELECTED) ? 1 : 0;
    bitmap_cache.draw(dc.get(), name, offset, offset);
    return 0;
}

void after_input(HWND window) {
    if (note_user_input()) repaint_areas(window, AREA_HEADER);
}

LRESULT on_key_down(HWND window, WPARAM key, LPARAM lparam) {
    after_input(window);
    const bool extended = (lparam >> 24) & 1;
    if (!extended && key == VK_ESCAPE) PostQuitMessage(0);
    return 0;
}

LRESULT on_command(HWND window, WPARAM wparam) {
    after_input(window);
    if (LOWORD(wparam) == CMD_CLOSE) PostQuitMessage(0);
    return 0;
}

LRESULT on_end_session(HWND window, WPARAM ending) {
    // Windows ends the process soon after this returns: save now, exactly
    // as a normal close would.
    if (ending) finish_run(window, /*session_ending=*/true);
    return 0;
}

}  // namespace

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_DESTROY: return on_destroy(window);
        case WM_SIZE: reshape_window(window); return 0;
        case WM_PAINT: return on_paint(window);
        case WM_ERASEBKGND: return 1;
        case WM_GETMINMAXINFO: return on_get_min_max_info(lparam);
        case WM_DRAWITEM: return on_draw_item(window, wparam, lparam);
        case WM_KEYDOWN: return on_key_down(window, wparam, lparam);
        case WM_COMMAND: return on_command(window, wparam);
        case WM_ENDSESSION: return on_end_session(window, wparam);
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace qb

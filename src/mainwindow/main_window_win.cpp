#include "mainwindow/main_window_win.h"

#include "common/drive_facts_win.h"
#include "common/wide_text_win.h"
#include "links/app_settings.h"
#include "mainwindow/accessible_desktop_win.h"
#include "mainwindow/arriving_pictures_win.h"
#include "mainwindow/accessible_events_win.h"
#include "mainwindow/hints.h"
#include "mainwindow/idle_countdown.h"
#include "mainwindow/main_window_input_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/slide_animation.h"
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

void repaint(MainWindow& self, HWND window, std::uint16_t areas) {
    repaint_areas(window, areas, self.program.header_height);
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
    paint_main_window(window, paint_scene(self, window), {update.left, update.top, update.right, update.bottom},
                      &self.paint_cache);
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

// A modal question (a message box, the colour dialog) disables the window
// that owns it.
bool modal_question_open(const MainWindow& self, HWND window) {
    for (HWND owner : {window, self.properties_window, self.program.options_window}) {
        if (owner && !IsWindowEnabled(owner)) return true;
    }
    return false;
}

void on_idle_tick(MainWindow& self, HWND window) {
    // Nobody is idle while a question waits for an answer: the idle close
    // would end the question and lose what the user was choosing.
    if (modal_question_open(self, window)) {
        note_input(self);
        return;
    }
    const AppSettings& settings = self.program.settings;
    switch (idle_tick(self.view, settings.show_hints, settings.auto_close_when_idle)) {
        case IdleTick::Quit: PostQuitMessage(0); break;
        case IdleTick::RepaintHeader: repaint(self, window, AREA_HEADER); break;
        case IdleTick::Nothing: break;
    }
}

void on_slide_tick(MainWindow& self, HWND window) {
    const SlideTick tick = slide_tick(self.program.found_files, self.view, self.program.settings.show_hints);
    if (tick.stop_timer) KillTimer(window, kSlideTimer);
    repaint(self, window, tick.repaint);
}

void on_hint_tick(MainWindow& self, HWND window) {
    ProgramState& program = self.program;
    const HintFacts facts{program.links.count(), program.autorun_state, program.old_theme};
    repaint(self, window, hint_tick(self.view.hints, program.links_loaded, facts, program.settings.show_hints));
}

LRESULT on_timer(MainWindow& self, HWND window, WPARAM id) {
    if (id == kSaveTimer) {
        // One save per quiet spell: the next change starts the timer again.
        KillTimer(window, kSaveTimer);
        save_changes(self.program, SaveOccasion::Soon);
        return 0;
    }
    // With hints off nothing else happens on any tick: no countdown, no
    // slide, no balloon.
    if (!self.program.settings.show_hints) return 0;
    switch (id) {
        case kIdleTimer: on_idle_tick(self, window); break;
        case kSlideTimer: on_slide_tick(self, window); break;
        case kHintTimer: on_hint_tick(self, window); break;
        default: break;
    }
    return 0;
}

// The drive's figures again, with the fault guard: a fault leaves 1.0 for both.
void refresh_drive_space(ProgramState& program) {
    read_disk_space_guarded(program.location.drive_root, program.drive);
}

LRESULT on_new_programs(MainWindow& self, HWND window) {
    const NewProgramsPlacement placement = place_new_rows(self.program.found_files, self.view);
    if (placement.start_timer) SetTimer(window, kSlideTimer, kSlideTimerMs, nullptr);
    refresh_drive_space(self.program);
    announce_children_changed(self.program);
    repaint(self, window, placement.repaint);
    return 0;
}

LRESULT on_search_state(MainWindow& self, HWND window) {
    repaint(self, window, search_state_areas(self.program.found_files));
    return 0;
}

LRESULT on_refresh_drive(MainWindow& self, HWND window) {
    refresh_drive_space(self.program);
    return on_search_state(self, window);
}

LRESULT on_end_session(MainWindow& self, WPARAM ending) {
    // Windows ends the process soon after this returns: save now, exactly
    // as a normal close would.
    if (ending && self.hooks.end_session) self.hooks.end_session(self.program);
    return 0;
}

}  // namespace

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
        .language = program.language,
    };
}

HWND create_main_window(MainWindow& data) {
    const Size screen = data.program.screen;
    return CreateWindowExW(WS_EX_ACCEPTFILES, to_wide(kMainClass).c_str(), to_wide(kMainTitle).c_str(), WS_POPUP, screen.cx / 2 - 200,
                           screen.cy / 2 - 150, 400, 300, nullptr, nullptr, data.program.instance, &data);
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    // WM_GETMINMAXINFO comes before WM_NCCREATE and needs no data.
    if (message == WM_GETMINMAXINFO) return on_get_min_max_info(lparam);
    MainWindow* self = main_window_data(window);
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
        case WM_DESTROY: return on_destroy(*self);
        case WM_NCDESTROY:
            // A screen reader may still hold the window's object.
            disconnect_accessible(*self);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wparam, lparam);
        case WM_SIZE:
            // The iconic rectangle is no shape of the window; and neither
            // it nor a maximised one is a size the user gave the window.
            if (wparam == SIZE_MINIMIZED || !self->program.window_shaped) return 0;
            reshape_window(self->program, window, /*users_size=*/wparam == SIZE_RESTORED);
            if (wparam == SIZE_RESTORED) note_window_size(self->program);
            return 0;
        case WM_PICTURE_FOUND:
            accept_found_pictures(*self, window);
            return 0;
        case WM_SETFOCUS:
            announce_focus(self->program);
            return 0;
        case WM_PAINT: return on_paint(*self, window);
        case WM_ERASEBKGND: return 1;
        case WM_DRAWITEM: return on_draw_item(*self, window, wparam, lparam);
        case WM_NCHITTEST: return on_hit_test(*self, window, lparam);
        case WM_KEYDOWN: return on_key_down(*self, window, wparam, lparam);
        case WM_SYSKEYDOWN: return on_system_key_down(*self, window, wparam, lparam);
        case WM_KEYUP:
        case WM_SYSKEYUP: return on_key_up(window, message, wparam, lparam);
        case WM_CHAR: return on_char(*self, window, wparam);
        case WM_SYSCHAR:
            // Alt+Enter opened the properties; the system would only beep.
            if (wparam == L'\r') return 0;
            return DefWindowProcW(window, message, wparam, lparam);
        case WM_CONTEXTMENU: return on_context_menu(*self, window, lparam);
        case WM_GETOBJECT: return on_get_object(*self, window, wparam, lparam);
        case WM_COMMAND: return on_command(*self, window, wparam);
        case WM_TIMER: return on_timer(*self, window, wparam);
        case WM_MOUSEMOVE: return on_mouse_move(*self, window, lparam);
        case WM_LBUTTONDOWN: return on_left_button_down(*self, window, lparam);
        case WM_LBUTTONUP: return on_left_button_up(*self, window);
        case WM_LBUTTONDBLCLK: return on_left_button_double_click(*self, window, lparam);
        case WM_RBUTTONDOWN: return on_right_button_down(*self, window, lparam);
        case WM_DROPFILES: return on_drop_files(*self, window, wparam);
        case WM_NEW_PROGRAMS: return on_new_programs(*self, window);
        case WM_REFRESH_DRIVE: return on_refresh_drive(*self, window);
        case WM_SEARCH_STATE: return on_search_state(*self, window);
        case WM_ENDSESSION: return on_end_session(*self, wparam);
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace qb

#include "app/lifecycle_win.h"

#include "app/app_globals_win.h"
#include "app/drive_info_win.h"
#include "autorun/autorun_file_win.h"
#include "links/app_settings.h"
#include "links/settings_file_win.h"
#include "mainwindow/main_window_state.h"
#include "render/skin_win.h"
#include "search/found_files_file_win.h"
#include "theme/theme_file_win.h"

namespace qb {

namespace {
bool run_finished = false;
bool found_files_saved_at_exit = false;
}

void save_found_files_at_exit() {
    if (found_files_saved_at_exit) return;
    found_files_saved_at_exit = true;
    if (found_files_need_saving(found_files, app_settings.use_search_service)) save_found_files(found_files);
}

void initialise(HWND window, HINSTANCE instance) {
    ui_font.reset(CreateFontA(14, 0, 0, 0, FW_LIGHT, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
    measure_header();
    locate_program();
    read_drive_info();
    load_settings(window, instance);
    SetWindowPos(window, HWND_TOP, screen_width / 2 - app_settings.window_width / 2,
                 screen_height / 2 - app_settings.window_height / 2, app_settings.window_width,
                 app_settings.window_height, 0);
    load_skin(window);
    if (app_settings.check_autorun_at_start) check_autorun_file();
    protect_autorun_file();
    idle_countdown = kIdleSeconds;
}

void shut_down(HWND /*window*/) {
    ui_font.reset();
    if (settings_need_saving()) save_settings();
    if (theme_colors_changed) write_theme();
}

void finish_run(HWND window, bool session_ending) {
    if (run_finished) return;
    run_finished = true;
    watch_thread.reset();
    shut_down(window);
    KillTimer(window, kHintTimer);
    KillTimer(window, kIdleTimer);
    if (animation_timer_running) {
        KillTimer(window, kSlideTimer);
        animation_timer_running = false;
    }
    if (session_ending) save_found_files_at_exit();
}

void reset_run_state() { run_finished = false; }

}  // namespace qb

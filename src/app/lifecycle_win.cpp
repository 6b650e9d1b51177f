#include "app/lifecycle_win.h"


#include "autorun/autorun_file_win.h"
#include "common/drive_facts_win.h"
#include "common/program_location_win.h"
#include "links/language_file_win.h"
#include "links/settings_file_win.h"
#include "mainwindow/arriving_pictures_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/window_placement.h"
#include "render/skin_win.h"
#include "search/found_files_file_win.h"
#include "theme/theme_file_win.h"

namespace qb {

namespace {
// The work area (the monitor less its taskbars) of the monitor that holds
// the pointer: where the user is looking when the program starts.
MonitorAreas monitor_under_pointer(Size screen) {
    POINT pointer{};
    if (!GetCursorPos(&pointer)) pointer = {0, 0};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &info)) {
        const Rect whole{0, 0, screen.cx, screen.cy};
        return {whole, whole};
    }
    return {{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom},
            {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom}};
}
}  // namespace

void initialise(MainWindow& data, HWND window) {
    ProgramState& program = data.program;
    // The Cyrillic character set, so that Tahoma is chosen on any system.
    program.ui_font.reset(
        CreateFontW(14, 0, 0, 0, FW_LIGHT, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    program.header_height = measure_header();
    program.start_step_done("font and header");
    program.location = locate_program(program.instance);
    // Decided before anything can create data.qb, whose presence tells a
    // stick in use from a fresh one.
    program.language = language_at_start(program.location);
    program.drive = read_drive_info(program.location.drive_root);
    program.start_step_done("drive facts");
    // Pictures icons.dat does not hold are looked up once the window shows,
    // and the links out of view get theirs after the first paint
    // (take_unseen_pictures, which also notes the cache to write).
    program.settings_unreadable =
        load_settings(program.location, program.seams, program.language, window, program.settings, program.links, program.links_loaded,
                      &program.icon_cache, &program.pictures) == SettingsLoad::Unreadable;
    program.start_step_done("settings and pictures");
    if (read_theme(program.theme_folder(), program.theme)) program.old_theme = true;
    program.start_step_done("theme");

    const Size stored{program.settings.window_width, program.settings.window_height};
    const Rect place =
        place_window(stored, {kMinWindowWidth, kMinWindowHeight}, monitor_under_pointer(program.screen));
    const Size placed_size{place.width(), place.height()};
    if (placed_size != stored) program.fitted_size = placed_size;
    // Still hidden: its showing puts it on top and activates it.
    SetWindowPos(window, nullptr, place.left, place.top, place.width(), place.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    program.start_step_done("window placed");

    load_skin(program.bitmaps, program.theme_folder(), program.resource_library.get());
    // The cache holds sections of its own: the library is not needed any more.
    program.resource_library.reset();
    program.start_step_done("skin pictures");
    // The skin is composed for the window's size by reshape_window, which
    // the start calls next.

    if (program.settings.check_autorun_at_start) {
        program.autorun_state = check_autorun_file(program.location.drive_root, process_command_line());
    }
    protect_autorun_file(program.location.drive_root);
    program.start_step_done("autorun file");
    data.view.idle_countdown = kIdleSeconds;
}

void start_search_service(ProgramState& program) {
    program.watch_thread.start(WatchTarget{
        .found_files = program.found_files,
        .drive_root = program.location.drive_root,
        .files_dat_path = program.location.beside_program("\\files.dat"),
        .window = program.main_window,
        .search_state_message = WM_SEARCH_STATE,
        .new_programs_message = WM_NEW_PROGRAMS,
        .search_in_progress = program.search_in_progress,
    });
}

void shut_down(ProgramState& program) {
    // The small font stays until the program state goes: the options and
    // properties windows, destroyed after this, still draw with it.
    save_changes(program, SaveOccasion::Exit);
}

void finish_run(ProgramState& program, bool session_ending) {
    if (program.shut_down_done) return;
    program.shut_down_done = true;
    // The watch thread goes first, before anything it reads is saved or
    // freed. It reports with sent messages while this thread waits for it,
    // so stop() answers them as it waits; the protocol is described at
    // WatchThread::stop.
    program.watch_thread.stop();
    settle_pictures(program);
    shut_down(program);
    KillTimer(program.main_window, kHintTimer);
    KillTimer(program.main_window, kIdleTimer);
    KillTimer(program.main_window, kSaveTimer);  // everything is saved or reported by now
    if (MainWindow* data = main_window_data(program.main_window); data && data->view.slide_timer_running) {
        KillTimer(program.main_window, kSlideTimer);
        data->view.slide_timer_running = false;
    }
    if (session_ending) save_found_files_at_exit(program);
}

void save_found_files_at_exit(ProgramState& program) {
    if (program.found_files_saved) return;
    program.found_files_saved = true;
    if (found_files_need_saving(program.found_files, program.settings.use_search_service)) {
        save_found_files(program.found_files);
    }
}

}  // namespace qb

#pragma once
// Start-up of the main window's content and the shutdown that saves what
// changed.
#include <windows.h>

#include "mainwindow/main_window_win.h"

namespace qb {

// In order: the small font, the title-strip height, where the program is,
// the drive figures, the settings with links, the theme, the window's
// size and place, the skin's pictures (composed by reshape_window,
// which the start calls next), the autorun check, the autorun file's
// attributes, the idle countdown.
void initialise(MainWindow& data, HWND window);

// Starts the watch thread, which loads files.dat and reports new programs
// to the main window; without it the program runs as before.
void start_search_service(ProgramState& program);

// After the message loop: writes the settings file when a change asks
// for it, and the theme file when its colours changed (save_changes).
void shut_down(ProgramState& program);

// Everything that follows the message loop, once: the watch thread
// stopped, shut_down and the timers. When the session ends, files.dat is written too, since the
// process will not reach its normal exit.
void finish_run(ProgramState& program, bool session_ending);

// At exit: files.dat when the list changed and the search service is on.
// Runs once, whether from a session's end or from the exit itself.
void save_found_files_at_exit(ProgramState& program);

}  // namespace qb

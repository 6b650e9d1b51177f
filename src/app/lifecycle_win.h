#pragma once
// Start-up of the main window's content and the shutdown that saves what
// changed.
#include <windows.h>

namespace qb {

// In order: the small font, the title-strip height, where the program is,
// the drive figures, the settings with links and theme, the window's
// size and place, the skin, the autorun check, the autorun file's
// attributes, the idle countdown.
void initialise(HWND window, HINSTANCE instance);

// After the message loop: writes the settings file when a change asks
// for it, and the theme file when its colours changed.
void shut_down(HWND window);

// Everything that follows the message loop, once: the watch thread's
// handle, shut_down, the timers. When the session ends, files.dat is
// written too, since the process will not reach its normal exit.
void finish_run(HWND window, bool session_ending);

// At exit: saves files.dat when the list changed and the search service
// is on. Runs once, whether from a session's end or from the exit itself.
void save_found_files_at_exit();

// Makes finish_run work again (for a new run in the same process).
void reset_run_state();

}  // namespace qb

#pragma once
// Switching the running program to another installed theme. It touches
// the theme file, the skin, the drive's autorun.inf and the main window,
// so it lives with the options window that asks for it.
#include <string>
#include <string_view>

#include "autorun/autorun_file_win.h"
#include "mainwindow/program_state_win.h"

namespace qb {

// Where the running program's autorun.inf points, for the current theme.
AutorunPlace autorun_place(const ProgramState& program);

// Switches to the theme folder `folder_name` (no backslash) under Data:
// colours read from its Theme.ini, its four skin pictures in the cache,
// the skin composed again for the main window, autorun.inf rewritten
// quietly (only when it is missing or the program's own, so its icon
// follows the theme) and the whole main window repainted. Colour edits
// not yet written belong to the theme being left, so its Theme.ini is
// written first; when that write fails the user is told (in a message box
// owned by `owner`), nothing switches and the edits stay pending: false.
// The settings' theme_changed is the caller's to set.
bool apply_theme(ProgramState& program, std::string_view folder_name, HWND owner = nullptr);

}  // namespace qb

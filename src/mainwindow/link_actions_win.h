#pragma once
// What the main window does to one link: select it, open its target
// through the shell, delete it after a confirmation, and add a link for a
// path (a dropped file or an adopted program).
#include <windows.h>

#include <string>

#include "common/geometry.h"
#include "mainwindow/main_window_data_win.h"

namespace qb {

// Selects `link` alone (none: nothing is selected); a changed selection
// is told to screen readers. True when a link was or is selected, so the
// work area is to be repainted.
bool select_link(MainWindow& window, Link* link);

// Opens the link's target in its working folder; a target that does not
// exist is reported and nothing else happens. A link that closes the
// program ends the run afterwards, unless keep_running.
void open_link(MainWindow& window, const Link& link, HWND owner, bool keep_running);

// Asks whether to delete the link and removes it on Yes; nothing for none.
void delete_link_confirmed(MainWindow& window, Link* link, HWND owner);

// Appends a link for `path` at the link position `at` (snapped to the grid
// when arranging, overlaps resolved), with the path's shell icon. The
// desktop's links changed, and the add-links hint is not offered any more.
Link& add_link_for_path(MainWindow& window, HWND main_window, const std::string& path, Point at);

// The adopt button of panel row `row` (0 at the bottom): a link for its
// program, as a press on the button makes; false for a row not shown.
bool adopt_panel_row(MainWindow& window, HWND main_window, int row);

// Everything of the window that may point at a link forgets it; called
// before a link is removed from the list.
void forget_removed_link(MainWindow& window, const Link* link);

}  // namespace qb

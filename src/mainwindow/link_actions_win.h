#pragma once
// What the main window does to one link: open its target through the
// shell, delete it after a confirmation, and add a link for a path (a
// dropped file or an adopted program).
#include <windows.h>

#include <string>

#include "common/geometry.h"
#include "mainwindow/main_window_win.h"

namespace qb {

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

// Everything of the window that may point at a link forgets it; called
// before a link is removed from the list.
void forget_removed_link(MainWindow& window, const Link* link);

}  // namespace qb

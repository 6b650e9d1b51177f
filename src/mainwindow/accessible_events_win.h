#pragma once
// Screen readers hear what changes in the main window: the selection,
// links that come, go or are renamed, and the new-programs panel's rows.
// Each is a WinEvent of the window's client object with the child's
// number (accessible_tree.h), raised whatever made the change.
#include <windows.h>

#include "mainwindow/accessible_tree.h"
#include "mainwindow/program_state_win.h"

namespace qb {

// How many links and shown panel rows the tree holds now.
AccessibleCounts accessible_counts(ProgramState& program);

// The number of a link; kAccessibleSelf for one not in the list.
long accessible_link_id(const LinkList& links, const Link* link);

// `link` became the selected one (selection, and focus while the window
// has the keyboard's); none: nothing to say.
void announce_selection(ProgramState& program, const Link* link);
// The window got the keyboard's focus: the selected link, if any, has it.
void announce_focus(ProgramState& program);
// A link came or was renamed; one is going (say it before it goes).
void announce_link_added(ProgramState& program, const Link& link);
void announce_link_renamed(ProgramState& program, const Link& link);
void announce_link_removed(ProgramState& program, long id);
// The children's order or number changed otherwise (a link moved to the
// top, panel rows came or went); the status strip's sentence changes with
// the panel.
void announce_children_changed(ProgramState& program);
// The program speaks another language: the names of the skin buttons and
// the status strip changed.
void announce_language_changed(ProgramState& program);

}  // namespace qb

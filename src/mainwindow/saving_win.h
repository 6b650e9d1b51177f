#pragma once
// Saving what changed. Whoever changes something that is kept on the
// drive calls note_change with its change flag; the main window then
// saves kSaveDelay after the last such change (its own timer, restarted
// by every change), so a stick pulled out without closing the program
// loses at most the last moments. Nothing is written while nothing
// changes, and shutdown saves whatever is still unsaved.
#include <windows.h>

#include "links/app_settings.h"
#include "mainwindow/program_state_win.h"

namespace qb {

inline constexpr UINT_PTR kSaveTimer = 4;
inline constexpr UINT kSaveDelay = 2000;  // ms after the last change

// Sets the change flag and starts the save timer again.
void note_change(ProgramState& program, bool ChangeFlags::*flag);

// The window's size changed: a size other than the saved one is a
// change to save (shutdown compares the two the same way).
void note_window_size(ProgramState& program);

enum class SaveOccasion {
    Soon,  // the timer after a change: a failure stays silent and is tried again later
    Exit,  // shutdown or the session's end: a failure is reported
};

// Writes what the change flags ask for: data.qb (one that could not be
// read at start is first moved aside, never written over), Theme.ini and
// icons.dat (whose failure is not reported: it is only a cache).
// What was written no longer counts as changed. True when nothing is left
// unsaved.
bool save_changes(ProgramState& program, SaveOccasion occasion);

}  // namespace qb

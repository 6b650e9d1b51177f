#pragma once
// The program lives on a stick that anyone may write to: no library may
// be taken from the program's folder. The few libraries Windows always
// takes from its system folder are imported; the rest (shell32, comdlg32
// and what they bring) are loaded by their full system-folder paths at
// their first use (common/system_libraries_win.h), and come in only after
// this.

namespace qb {

// Limits the process's library search to the system folder, before any
// other library comes in. Call it first thing in WinMain.
void limit_library_search();

}  // namespace qb

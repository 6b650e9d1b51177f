#pragma once
// The program's entry: window classes, splash, main window, message loop.
#include <windows.h>

#include "mainwindow/program_state_win.h"

namespace qb {

inline constexpr const char* kSplashClass = "LogoWindow";

// Runs the whole program on `program` (whose instance decides where the
// program is); returns its exit code: 1 when a window class cannot be
// registered, 2 when the main window cannot be created, otherwise the
// code carried by WM_QUIT. A start while another copy of the same program
// file runs brings that copy's desktop to the front and returns 0.
int run_program(ProgramState& program);

}  // namespace qb

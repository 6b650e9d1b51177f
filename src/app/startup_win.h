#pragma once
// The program's entry: window classes, splash, main window, message loop.
#include <windows.h>

namespace qb {

// Runs the whole program; returns its exit code: 1 when a window class
// cannot be registered, 2 when the main window cannot be created,
// otherwise the code carried by WM_QUIT.
int run_program(HINSTANCE instance);

// The splash window's procedure (class "LogoWindow").
LRESULT CALLBACK splash_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace qb

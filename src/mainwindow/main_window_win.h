#pragma once
// The main window's procedure: every message the desktop gets is handed
// to one handler here.
#include <windows.h>

namespace qb {

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace qb

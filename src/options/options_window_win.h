#pragma once
#include <windows.h>

namespace qb {

// Window procedure of the options window (class "OptWindow").
LRESULT CALLBACK options_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace qb

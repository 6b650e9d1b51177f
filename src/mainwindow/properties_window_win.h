#pragma once
#include <windows.h>

namespace qb {

// Window procedure of the link properties window (class "IconWindow").
LRESULT CALLBACK properties_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace qb

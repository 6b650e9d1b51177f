#pragma once
// The options window (class "OptWindow").
#include <windows.h>

namespace qb {

inline constexpr const char* kOptionsClass = "OptWindow";

LRESULT CALLBACK options_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace qb

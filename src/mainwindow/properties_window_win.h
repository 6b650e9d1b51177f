#pragma once
// The link properties window (class "IconWindow").
#include <windows.h>

namespace qb {

inline constexpr const char* kPropertiesClass = "IconWindow";

LRESULT CALLBACK properties_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace qb

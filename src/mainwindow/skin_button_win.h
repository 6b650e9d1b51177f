#pragma once
// The two skin buttons on the main window's right strip. They are drawn by
// the main window (WM_DRAWITEM, ODS_SELECTED while pressed) and report a
// click as a button does (WM_COMMAND with BN_CLICKED). A class of our own
// rather than the system's button: under the program's manifest that is
// the visual-style controls library, whose loading made up a sixth of the
// empty desktop's start for two pictures it never draws.
#include <windows.h>

#include "common/geometry.h"

namespace qb {

inline constexpr const char* kSkinButtonClass = "QuillobranteSkinButton";

LRESULT CALLBACK skin_button_proc(HWND button, UINT message, WPARAM wparam, LPARAM lparam);

// A skin button with the command identifier `id` at `at` in `parent`.
HWND create_skin_button(HWND parent, int id, Point at, HINSTANCE instance);

}  // namespace qb

#pragma once
// The yellow hint balloon in the top-left corner of the work area.
#include <windows.h>

namespace qb {

// Draws the balloon of `active_hint`; nothing when no hint is shown.
void draw_hint(HDC dc);

}  // namespace qb

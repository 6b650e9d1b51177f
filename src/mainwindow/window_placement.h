#pragma once
// Where the main window opens: centred in the work area of a monitor, at
// the stored size or smaller when that does not fit, so that the title
// strip and the sizing corner can always be reached (a stick moves from a
// large monitor to a small laptop).
#include "common/geometry.h"

namespace qb {

// The window's rectangle for `stored` (the size kept in data.qb) in
// `work_area`: shrunk to the work area where it is larger, never below
// `minimum`. A window larger than the work area (only by the minimum)
// starts at the work area's top left, so its title strip stays on it.
Rect place_window(Size stored, Size minimum, const Rect& work_area);

}  // namespace qb

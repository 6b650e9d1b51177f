#pragma once
// Where the main window opens: centred on the monitor, as it always did,
// when it lies wholly in the monitor's work area there; otherwise centred
// in the work area, at the stored size or smaller when that does not fit,
// so that the title strip and the sizing corner can always be reached (a
// stick moves from a large monitor to a small laptop).
#include "common/geometry.h"

namespace qb {

// A monitor's whole rectangle and the part of it the taskbar leaves free.
struct MonitorAreas {
    Rect monitor;
    Rect work_area;
};

// The window's rectangle for `stored` (the size kept in data.qb) on
// `areas`: centred on the monitor (integer halves) where that lies in the
// work area; else centred in the work area and shrunk to it where it is
// larger, never below `minimum`. A window larger than the work area (only
// by the minimum) starts at the work area's top left, so its title strip
// stays on it.
Rect place_window(Size stored, Size minimum, const MonitorAreas& areas);

}  // namespace qb

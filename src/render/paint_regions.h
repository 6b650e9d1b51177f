#pragma once
// Which strips of the main window a paint must draw, decided from the
// update rectangle; and the fixed rectangles of those strips.
#include "common/geometry.h"

namespace qb {

struct PaintRegions {
    bool header = false;
    bool status = false;
    bool work = false;
    bool right = false;
    bool operator==(const PaintRegions&) const = default;
};

PaintRegions regions_for_update(const Rect& update, int width, int height, int header);

}  // namespace qb

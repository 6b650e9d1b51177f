#include "mainwindow/window_placement.h"

#include <algorithm>

namespace qb {

namespace {
// The start of a length centred in [from, from + room), or `from` when it
// does not fit.
int centred_start(int from, int room, int length) {
    return from + std::max(0, room / 2 - length / 2);
}
}  // namespace

Rect place_window(Size stored, Size minimum, const Rect& work_area) {
    const int width = std::max(std::min(stored.cx, work_area.width()), minimum.cx);
    const int height = std::max(std::min(stored.cy, work_area.height()), minimum.cy);
    const int left = centred_start(work_area.left, work_area.width(), width);
    const int top = centred_start(work_area.top, work_area.height(), height);
    return {left, top, left + width, top + height};
}

}  // namespace qb

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

Rect place_window(Size stored, Size minimum, const MonitorAreas& areas) {
    const Rect& work_area = areas.work_area;
    const Rect& monitor = areas.monitor;
    const int centre_x = monitor.left + monitor.width() / 2;
    const int centre_y = monitor.top + monitor.height() / 2;
    const Rect on_monitor{centre_x - stored.cx / 2, centre_y - stored.cy / 2, centre_x - stored.cx / 2 + stored.cx,
                          centre_y - stored.cy / 2 + stored.cy};
    if (stored.cx >= minimum.cx && stored.cy >= minimum.cy && on_monitor.left >= work_area.left &&
        on_monitor.top >= work_area.top && on_monitor.right <= work_area.right &&
        on_monitor.bottom <= work_area.bottom) {
        return on_monitor;
    }
    const int width = std::max(std::min(stored.cx, work_area.width()), minimum.cx);
    const int height = std::max(std::min(stored.cy, work_area.height()), minimum.cy);
    const int left = centred_start(work_area.left, work_area.width(), width);
    const int top = centred_start(work_area.top, work_area.height(), height);
    return {left, top, left + width, top + height};
}

}  // namespace qb

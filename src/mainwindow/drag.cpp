#include "mainwindow/drag.h"

#include "render/drag_feedback.h"
#include "render/window_areas.h"

namespace qb {

namespace {

// The link origin lies 5 pixels right of and below the work area's corner.
constexpr int kOriginInset = 5;

}  // namespace

void press_on_work_area(DragState& drag, Link* link, Point p, int header) {
    if (link == nullptr) {
        end_drag(drag);
        return;
    }
    drag.dragging = true;
    drag.link = link;
    drag.grab_dx = p.x - link->x - kOriginInset;
    drag.grab_dy = p.y - link->y - kOriginInset - header;
    drag.point = p;
    drag.start_x = link->x;
    drag.start_y = link->y;
    drag.moved = false;
}

std::uint16_t drag_move(DragState& drag, Point p) {
    if (!drag.dragging || drag.link == nullptr) return 0;
    drag.point = p;
    return AREA_WORK;
}

DragRepaint drag_move_repaint(DragState& drag, Point point, bool auto_arrange, int header) {
    const Point before = drag.point;
    DragRepaint repaint;
    if (drag_move(drag, point) == 0 || before == point) return repaint;
    if (!drag.moved) {
        drag.moved = true;
        repaint.areas = AREA_WORK;
        return repaint;
    }
    // One pixel around each square for the outline's pen.
    auto add = [&repaint](const Rect& r) {
        repaint.rects.push_back({r.left - 1, r.top - 1, r.right + 1, r.bottom + 1});
    };
    for (const Point at : {before, point}) {
        const DragFeedback feedback = drag_feedback({at.x - drag.grab_dx, at.y - drag.grab_dy}, auto_arrange, header);
        add(feedback.square);
        if (feedback.cell) add(*feedback.cell);
    }
    return repaint;
}

std::optional<Point> drag_landing(const DragState& drag, bool auto_arrange, int header) {
    if (drag.link == nullptr) return std::nullopt;
    const int half = (auto_arrange ? kHitSize : 0) / 2;
    return Point{drag.point.x + half - drag.grab_dx - kOriginInset,
                 drag.point.y + half - drag.grab_dy - header - kOriginInset};
}

bool drag_moved_link(const DragState& drag, const Link& link) {
    return link.x != drag.start_x || link.y != drag.start_y;
}

std::uint16_t end_drag(DragState& drag) {
    drag.dragging = false;
    drag.link = nullptr;
    return AREA_WORK;
}

void forget_link(MainWindowState& state, const Link* link) {
    if (link != nullptr && state.drag.link == link) end_drag(state.drag);
}

}  // namespace qb

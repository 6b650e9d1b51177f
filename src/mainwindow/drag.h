#pragma once
// Dragging a link with the left button: the press grabs it, moves carry
// the feedback square along, the release says where it lands.
#include <cstdint>
#include <optional>
#include <vector>

#include "common/geometry.h"
#include "links/link_list.h"
#include "mainwindow/main_window_state.h"

namespace qb {

// A press on the work area. `link` is the link under the point (which the
// caller has moved to the end of the list) or none: then any drag ends.
void press_on_work_area(DragState& drag, Link* link, Point point, int header);

// A mouse move: AREA_WORK when the feedback square moved, else 0.
std::uint16_t drag_move(DragState& drag, Point point);

// What a mouse move must repaint. The first move after the press repaints
// the work area (the press lifted the link on top, and repainted only if
// the selection changed); each later move only the feedback square and
// the marked cell where they were and where they are now, which is all
// that differs from the last paint.
struct DragRepaint {
    std::uint16_t areas = 0;
    std::vector<Rect> rects;
};
DragRepaint drag_move_repaint(DragState& drag, Point point, bool auto_arrange, int header);

// Where the dragged link goes on release, before the link list snaps it
// to the grid; none when no link is dragged. With the grid, half of
// hit_size is added first, so the link lands in the cell that holds the
// middle of its square.
std::optional<Point> drag_landing(const DragState& drag, bool auto_arrange, int header);

// After the caller stored the landing: whether the link moved from where
// the drag began (then links_changed is set).
bool drag_moved_link(const DragState& drag, const Link& link);

// The end of a release or a press that the balloon took: no drag any
// more. Returns AREA_WORK, which the release repaints.
std::uint16_t end_drag(DragState& drag);

// Call whenever a link is removed from the list: nothing in the window's
// state may keep pointing at it.
void forget_link(MainWindowState& state, const Link* link);

}  // namespace qb

#include "render/drag_feedback.h"

#include "links/link_list.h"

namespace qb {

DragFeedback drag_feedback(Point box, bool auto_arrange, int header_height) {
    DragFeedback feedback;
    feedback.square = {box.x, box.y, box.x + kHitSize, box.y + kHitSize};
    if (auto_arrange) {
        // The grid cell that holds the middle of the dragged box.
        const Point middle = client_to_link(box.x + kHitSize / 2, box.y + kHitSize / 2, header_height);
        const Point cell =
            link_to_client(middle.x / kCellSize * kCellSize, middle.y / kCellSize * kCellSize, header_height);
        feedback.cell = Rect{cell.x, cell.y, cell.x + kHitSize, cell.y + kHitSize};
    }
    return feedback;
}

}  // namespace qb

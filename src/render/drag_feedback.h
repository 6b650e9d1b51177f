#pragma once
// Where the drag feedback is drawn: the lighter square that follows the
// pointer and, on the grid, the cell where the link will land.
#include <optional>

#include "common/geometry.h"

namespace qb {

struct DragFeedback {
    Rect square;
    std::optional<Rect> cell;  // with auto_arrange only
};

// For the square's top-left corner at `box` (client coordinates).
DragFeedback drag_feedback(Point box, bool auto_arrange, int header_height);

}  // namespace qb

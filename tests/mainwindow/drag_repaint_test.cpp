// What a drag repaints at each mouse move.
#include <gtest/gtest.h>

#include "mainwindow/drag.h"
#include "render/drag_feedback.h"
#include "render/window_areas.h"

namespace qb {
namespace {

constexpr int kHeader = 25;

bool covers(const std::vector<Rect>& rects, const Rect& inner) {
    for (const Rect& r : rects) {
        if (r.left <= inner.left && r.top <= inner.top && r.right >= inner.right && r.bottom >= inner.bottom) {
            return true;
        }
    }
    return false;
}

TEST(DragRepaint, TheFirstMoveRepaintsTheWorkAreaLaterOnesWhereTheFeedbackWasAndIs) {
    Link link;
    link.x = 75;
    link.y = 75;
    DragState drag;
    const Point press{75 + 5 + 30, 75 + kHeader + 5 + 20};
    press_on_work_area(drag, &link, press, kHeader);

    DragRepaint first = drag_move_repaint(drag, {press.x + 3, press.y}, false, kHeader);
    EXPECT_EQ(first.areas, AREA_WORK) << "the press lifted the link on top without a repaint";
    EXPECT_TRUE(first.rects.empty());

    for (const bool grid : {false, true}) {
        const Point before = drag.point;
        const Point after{before.x + 41, before.y - 80};
        const DragRepaint later = drag_move_repaint(drag, after, grid, kHeader);
        EXPECT_EQ(later.areas, 0);
        EXPECT_EQ(drag.point, after);
        for (const Point at : {before, after}) {
            const DragFeedback shown = drag_feedback({at.x - drag.grab_dx, at.y - drag.grab_dy}, grid, kHeader);
            // The outline's pen is inside the square; a pixel more around it.
            const Rect square = shown.square;
            EXPECT_TRUE(covers(later.rects, {square.left - 1, square.top - 1, square.right + 1, square.bottom + 1}));
            EXPECT_EQ(shown.cell.has_value(), grid);
            if (shown.cell) {
                EXPECT_TRUE(covers(later.rects, *shown.cell));
            }
        }
        EXPECT_EQ(later.rects.size(), grid ? 4u : 2u) << "nothing else";
    }

    // No move, no repaint; and a new press starts over with the work area.
    EXPECT_TRUE(drag_move_repaint(drag, drag.point, true, kHeader).rects.empty());
    EXPECT_EQ(drag_move_repaint(drag, drag.point, true, kHeader).areas, 0);
    press_on_work_area(drag, &link, press, kHeader);
    EXPECT_EQ(drag_move_repaint(drag, {press.x, press.y + 1}, true, kHeader).areas, AREA_WORK);
    end_drag(drag);
    EXPECT_EQ(drag_move_repaint(drag, {1, 1}, true, kHeader).areas, 0) << "no drag";
}

TEST(DragRepaint, TheMarkedCellIsTheOneThatHoldsTheSquaresMiddle) {
    // The square at (190, 160): its middle (224, 194) is the link point
    // (219, 164), in the cell (150, 150), whose square is at (155, 180).
    const DragFeedback feedback = drag_feedback({190, 160}, true, kHeader);
    EXPECT_EQ(feedback.square, (Rect{190, 160, 258, 228}));
    ASSERT_TRUE(feedback.cell);
    EXPECT_EQ(*feedback.cell, (Rect{155, 180, 223, 248}));
    // Left of and above the origin, division truncates toward zero: the
    // middle (-66, -66) is the link point (-71, -96), cell (0, -75).
    const DragFeedback outside = drag_feedback({-100, -100}, true, kHeader);
    EXPECT_EQ(*outside.cell, (Rect{5, -45, 73, 23}));
    EXPECT_FALSE(drag_feedback({10, 10}, false, kHeader).cell);
}

}  // namespace
}  // namespace qb

#include <gtest/gtest.h>

#include "links/link_list.h"
#include "mainwindow/drag.h"
#include "render/window_areas.h"

namespace qb {
namespace {

constexpr int kHeader = 25;

class DragTest : public ::testing::Test {
protected:
    // What the window does on release: store the landing through the
    // link list, which snaps it to the grid when arranging.
    static void store_landing(Link& link, const DragState& drag, bool grid) {
        const std::optional<Point> landing = drag_landing(drag, grid, kHeader);
        ASSERT_TRUE(landing);
        LinkList::set_x(link, landing->x, grid);
        LinkList::set_y(link, landing->y, grid);
    }

    // Presses on the link 30 pixels into its cell and 20 down, drags by
    // (dx, dy) and releases; true when the link moved.
    bool drag_by(Link& link, int dx, int dy, bool grid) {
        const Point press{link.x + 5 + 30, link.y + kHeader + 5 + 20};
        press_on_work_area(state_.drag, &link, press, kHeader);
        EXPECT_EQ(drag_move(state_.drag, {press.x + dx, press.y + dy}), AREA_WORK);
        store_landing(link, state_.drag, grid);
        const bool moved = drag_moved_link(state_.drag, link);
        EXPECT_EQ(end_drag(state_.drag), AREA_WORK);
        EXPECT_FALSE(state_.drag.dragging);
        EXPECT_EQ(state_.drag.link, nullptr);
        return moved;
    }

    LinkList list_;
    MainWindowState state_;
};

TEST_F(DragTest, PressGrabsTheLinkWhereItWasHit) {
    Link& link = list_.append_new();
    link.x = 150;
    link.y = 75;
    press_on_work_area(state_.drag, &link, {190, 130}, kHeader);
    EXPECT_TRUE(state_.drag.dragging);
    EXPECT_EQ(state_.drag.link, &link);
    EXPECT_EQ(state_.drag.grab_dx, 35);
    EXPECT_EQ(state_.drag.grab_dy, 25);
    EXPECT_EQ(state_.drag.point, (Point{190, 130}));
    EXPECT_EQ(state_.drag.start_x, 150);
    EXPECT_EQ(state_.drag.start_y, 75);

    // A press on empty space ends the drag; moves then repaint nothing.
    press_on_work_area(state_.drag, nullptr, {300, 200}, kHeader);
    EXPECT_FALSE(state_.drag.dragging);
    EXPECT_EQ(state_.drag.link, nullptr);
    EXPECT_EQ(drag_move(state_.drag, {310, 210}), 0);
    EXPECT_EQ(state_.drag.point, (Point{190, 130}));
    EXPECT_FALSE(drag_landing(state_.drag, true, kHeader));
}

TEST_F(DragTest, LandingOnTheGridTakesTheCellOfTheSquaresMiddle) {
    Link& link = list_.append_new();
    link.x = 75;
    link.y = 75;
    EXPECT_FALSE(drag_by(link, 40, 0, true));
    EXPECT_EQ(link.x, 75);
    EXPECT_EQ(link.y, 75);
    EXPECT_TRUE(drag_by(link, 41, 0, true));
    EXPECT_EQ(link.x, 150);
    EXPECT_EQ(link.y, 75);
    // Up and left: 34 pixels still rounds back into the same cell, 35 not.
    EXPECT_FALSE(drag_by(link, 0, -34, true));
    EXPECT_TRUE(drag_by(link, -35, -35, true));
    EXPECT_EQ(link.x, 75);
    EXPECT_EQ(link.y, 0);
    EXPECT_FALSE(drag_by(link, 0, 0, true));
}

TEST_F(DragTest, WithoutTheGridTheLinkLandsWhereTheSquareWas) {
    Link& link = list_.append_new();
    link.x = 80;
    link.y = 43;
    EXPECT_FALSE(drag_by(link, 0, 0, false));
    EXPECT_EQ(link.x, 80);
    EXPECT_EQ(link.y, 43);
    EXPECT_TRUE(drag_by(link, 7, -3, false));
    EXPECT_EQ(link.x, 87);
    EXPECT_EQ(link.y, 40);
    // Out past the work area's corner: the list keeps positions at 0.
    const DragState& drag = state_.drag;
    press_on_work_area(state_.drag, &link, {100, 100}, kHeader);
    drag_move(state_.drag, {-500, -500});
    EXPECT_EQ(drag_landing(drag, false, kHeader), (Point{-600 + 87, -600 + 40}));
    store_landing(link, drag, false);
    EXPECT_EQ(link.x, 0);
    EXPECT_EQ(link.y, 0);
    EXPECT_TRUE(drag_moved_link(drag, link));
}

TEST_F(DragTest, ARemovedLinkIsForgotten) {
    Link& kept = list_.append_new();
    Link& doomed = list_.append_new();
    doomed.x = 75;
    press_on_work_area(state_.drag, &doomed, {100, 50}, kHeader);

    // Another link's removal leaves the drag alone.
    const Link* kept_address = &kept;
    ASSERT_TRUE(list_.remove(kept_address));
    forget_link(state_, kept_address);
    EXPECT_TRUE(state_.drag.dragging);
    EXPECT_EQ(state_.drag.link, &doomed);

    // Delete pressed during the drag and confirmed: the release that
    // follows must not position the freed link.
    const Link* doomed_address = &doomed;
    ASSERT_TRUE(list_.remove(doomed_address));
    forget_link(state_, doomed_address);
    EXPECT_FALSE(state_.drag.dragging);
    EXPECT_EQ(state_.drag.link, nullptr);
    EXPECT_EQ(drag_move(state_.drag, {120, 60}), 0);
    EXPECT_FALSE(drag_landing(state_.drag, true, kHeader));

    forget_link(state_, nullptr);
    EXPECT_EQ(state_.drag.link, nullptr);
}

}  // namespace
}  // namespace qb

#include <gtest/gtest.h>

#include "mainwindow/window_outline.h"

namespace qb {
namespace {

TEST(WindowOutline, OutlineAndButtons) {
    const WindowOutline normal = window_outline(400, 300);
    EXPECT_EQ(normal.body.rect, (Rect{0, 0, 351, 301}));
    EXPECT_EQ(normal.body.corner, 10);
    EXPECT_EQ(normal.tab.rect, (Rect{340, 90, 401, 210}));
    EXPECT_EQ(normal.tab.corner, 5);
    EXPECT_EQ(close_button_position(400, 300), (Point{361, 106}));
    EXPECT_EQ(options_button_position(400, 300), (Point{361, 166}));

    const WindowOutline smallest = window_outline(373, 203);
    EXPECT_EQ(smallest.body.rect, (Rect{0, 0, 324, 204}));
    EXPECT_EQ(smallest.tab.rect, (Rect{313, 41, 374, 161}));
    EXPECT_EQ(close_button_position(373, 203), (Point{334, 57}));
    EXPECT_EQ(options_button_position(373, 203), (Point{334, 117}));
}

}  // namespace
}  // namespace qb

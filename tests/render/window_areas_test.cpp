#include <gtest/gtest.h>

#include "render/window_areas.h"

namespace qb {
namespace {

Rect repaint(const Rect& pending, std::uint16_t bits) { return repaint_rect(pending, bits, 400, 300, 25); }

TEST(WindowAreas, StripsOfA400By300Window) {
    EXPECT_EQ(area_rect(AREA_HEADER, 400, 300, 25), (Rect{0, 0, 400, 24}));
    EXPECT_EQ(area_rect(AREA_FOOTER, 400, 300, 25), (Rect{0, 275, 400, 300}));
    EXPECT_EQ(area_rect(AREA_WORK, 400, 300, 25), (Rect{3, 25, 347, 275}));
    EXPECT_EQ(area_rect(AREA_RIGHT, 400, 300, 25), (Rect{350, 0, 400, 300}));
    EXPECT_EQ(area_rect(AREA_BELOW_HEADER, 400, 300, 25), (Rect{0, 25, 400, 300}));
    EXPECT_EQ(area_rect(AREA_WORK, 373, 203, 30), (Rect{3, 30, 320, 173}));
}

TEST(WindowAreas, RepaintCoversTheBoundingRectangle) {
    const Rect none{};
    EXPECT_EQ(repaint(none, AREA_WORK), (Rect{3, 25, 347, 275}));
    EXPECT_EQ(repaint(none, AREA_FOOTER | AREA_WORK), (Rect{0, 25, 400, 300}));
    EXPECT_EQ(repaint(none, AREA_HEADER), (Rect{0, 0, 400, 24}));
    EXPECT_EQ(repaint(none, AREA_HEADER | AREA_FOOTER), (Rect{0, 0, 400, 300}));
    EXPECT_EQ(repaint(none, AREA_ALL), (Rect{0, 0, 400, 300}));
    EXPECT_EQ(repaint(none, AREA_HEADER | 32), (Rect{0, 0, 400, 24}));  // unknown bits add nothing

    // What is already pending stays covered.
    const Rect pending{360, 5, 370, 8};
    EXPECT_EQ(repaint(pending, 0), pending);
    EXPECT_EQ(repaint(none, 0), none);
    EXPECT_EQ(repaint(pending, AREA_WORK), (Rect{3, 5, 370, 275}));
}

}  // namespace
}  // namespace qb

#include <gtest/gtest.h>

#include "render/paint_regions.h"
#include "render/window_areas.h"

namespace qb {
namespace {

// A 400 x 300 client with a 25-pixel title strip: the work area is
// (3, 25, 347, 275), the status strip starts at 275, the right strip at 350.
PaintRegions regions(Rect update) { return regions_for_update(update, 400, 300, 25); }

constexpr PaintRegions kNothing{false, false, false, false};

TEST(PaintRegions, WorkArea) {
    EXPECT_EQ(area_rect(AREA_WORK, 400, 300, 25), (Rect{3, 25, 347, 275}));
    EXPECT_EQ(area_rect(AREA_WORK, 373, 203, 30), (Rect{3, 30, 320, 173}));
}

TEST(PaintRegions, WholeClientDrawsEverything) {
    EXPECT_EQ(regions({0, 0, 400, 300}), (PaintRegions{true, true, true, true}));
    // Inside the client, every strip is still tested on its own.
    EXPECT_EQ(regions({100, 100, 120, 120}), (PaintRegions{false, false, true, false}));
}

TEST(PaintRegions, EachStripOnItsOwn) {
    EXPECT_EQ(regions({10, 0, 100, 20}), (PaintRegions{true, false, false, false}));
    EXPECT_EQ(regions({10, 24, 100, 25}), (PaintRegions{true, false, false, false}));
    EXPECT_EQ(regions({10, 25, 100, 26}), (PaintRegions{false, false, true, false}));

    // Touching the status strip only; one row higher reaches the work area too.
    EXPECT_EQ(regions({10, 275, 100, 276}), (PaintRegions{false, true, false, false}));
    EXPECT_EQ(regions({10, 274, 100, 275}), (PaintRegions{false, true, true, false}));
    EXPECT_EQ(regions({10, 270, 100, 274}), (PaintRegions{false, false, true, false}));

    // The right strip begins where right > W - 50.
    EXPECT_EQ(regions({351, 100, 400, 120}), (PaintRegions{false, false, false, true}));
    EXPECT_EQ(regions({348, 100, 350, 120}), kNothing);
    EXPECT_EQ(regions({346, 100, 351, 120}), (PaintRegions{false, false, true, true}));

    // The frame columns left of the work area belong to no strip.
    EXPECT_EQ(regions({0, 100, 3, 120}), kNothing);
}

TEST(PaintRegions, AlmostTheWholeClientTestsEachStrip) {
    EXPECT_EQ(regions({0, 30, 400, 300}), (PaintRegions{false, true, true, true}));
    EXPECT_EQ(regions({0, 0, 340, 200}), (PaintRegions{true, false, true, false}));
}

}  // namespace
}  // namespace qb

#include <gtest/gtest.h>

#include "mainwindow/hit_zones.h"

namespace qb {
namespace {

struct ZoneCase {
    Point point;
    int code;
    ZoneCursor cursor;
};

TEST(HitZones, PointsOfA400By300Window) {
    const Size client{400, 300};
    const ZoneCase cases[] = {
        {{200, 25}, kHitCaption, ZoneCursor::Arrow},  // the whole top strip moves the window
        {{0, 0}, kHitCaption, ZoneCursor::Arrow},     // no top edge, no top corner
        {{399, 10}, kHitCaption, ZoneCursor::Arrow},
        {{200, 26}, kHitClient, ZoneCursor::Arrow},
        {{2, 100}, kHitLeft, ZoneCursor::SizeWestEast},
        {{3, 100}, kHitLeft, ZoneCursor::SizeWestEast},  // each sizing edge is 4 pixels wide
        {{4, 100}, kHitClient, ZoneCursor::Arrow},
        {{2, 280}, kHitBottomLeft, ZoneCursor::SizeNorthEastSouthWest},
        {{20, 297}, kHitBottomLeft, ZoneCursor::SizeNorthEastSouthWest},
        {{25, 297}, kHitBottom, ZoneCursor::SizeNorthSouth},
        {{397, 150}, kHitRight, ZoneCursor::SizeWestEast},
        {{396, 150}, kHitRight, ZoneCursor::SizeWestEast},  // the right edge's first column
        {{395, 150}, kHitClient, ZoneCursor::Arrow},
        {{360, 150}, kHitClient, ZoneCursor::Arrow},  // the tab's middle band holds the buttons
        {{348, 40}, kHitRight, ZoneCursor::SizeWestEast},
        {{346, 40}, kHitRight, ZoneCursor::SizeWestEast},  // the band's first column
        {{345, 40}, kHitClient, ZoneCursor::Arrow},   // just left of the 54-pixel band
        {{360, 89}, kHitRight, ZoneCursor::SizeWestEast},
        {{360, 90}, kHitClient, ZoneCursor::Arrow},   // the band's top
        {{360, 209}, kHitClient, ZoneCursor::Arrow},
        {{360, 210}, kHitRight, ZoneCursor::SizeWestEast},  // the band's bottom
        {{360, 275}, kHitRight, ZoneCursor::SizeWestEast},
        {{350, 280}, kHitBottomRight, ZoneCursor::SizeNorthWestSouthEast},
        {{200, 297}, kHitBottom, ZoneCursor::SizeNorthSouth},
        {{330, 297}, kHitBottomRight, ZoneCursor::SizeNorthWestSouthEast},
        {{324, 297}, kHitBottom, ZoneCursor::SizeNorthSouth},
        {{200, 296}, kHitBottom, ZoneCursor::SizeNorthSouth},  // the bottom edge's first row
        {{200, 295}, kHitClient, ZoneCursor::Arrow},  // the status strip above the 4-pixel edge
    };
    for (const ZoneCase& c : cases) {
        const HitZone zone = hit_zone(c.point, client, 25);
        EXPECT_EQ(hit_test_code(zone), c.code) << "at (" << c.point.x << ", " << c.point.y << ")";
        EXPECT_EQ(zone_cursor(zone), c.cursor) << "at (" << c.point.x << ", " << c.point.y << ")";
    }
}

TEST(HitZones, FollowTheSizeAndTheHeader) {
    // The smallest window with a taller title strip: the tab's band is
    // centred on 203 / 2 = 101, the caption reaches y = 30.
    const Size smallest{373, 203};
    EXPECT_EQ(hit_zone({200, 30}, smallest, 30), HitZone::Caption);
    EXPECT_EQ(hit_zone({200, 31}, smallest, 30), HitZone::Client);
    EXPECT_EQ(hit_zone({330, 40}, smallest, 30), HitZone::RightEdge);
    EXPECT_EQ(hit_zone({330, 41}, smallest, 30), HitZone::Client);
    EXPECT_EQ(hit_zone({330, 160}, smallest, 30), HitZone::Client);
    EXPECT_EQ(hit_zone({330, 161}, smallest, 30), HitZone::RightEdge);
    EXPECT_EQ(hit_zone({2, 174}, smallest, 30), HitZone::BottomLeft);
    EXPECT_EQ(hit_zone({29, 199}, smallest, 30), HitZone::BottomLeft);
    EXPECT_EQ(hit_zone({30, 199}, smallest, 30), HitZone::BottomEdge);
    EXPECT_EQ(hit_zone({293, 199}, smallest, 30), HitZone::BottomRight);
    EXPECT_EQ(hit_zone({292, 199}, smallest, 30), HitZone::BottomEdge);
}

}  // namespace
}  // namespace qb

#include "mainwindow/hit_zones.h"

namespace qb {

namespace {

// Width of the sizing border along the left, right and bottom edges.
constexpr int kEdge = 4;
// The band along the right side that sizes the window, except for the
// 120 pixels around its middle where the tab carries the buttons.
constexpr int kRightBand = 54;
constexpr int kTabHalfHeight = 60;
// How far the bottom-right corner reaches left along the bottom edge,
// beyond the header-sized square.
constexpr int kCornerReach = 50;

}  // namespace

HitZone hit_zone(Point p, Size client, int header) {
    const int w = client.cx;
    const int h = client.cy;
    const int x = p.x;
    const int y = p.y;
    const int middle = h / 2;
    // The first rule that matches wins; the order matters.
    if (y <= header) return HitZone::Caption;
    if ((y > h - header && x < kEdge) || (y >= h - kEdge && x < header)) return HitZone::BottomLeft;
    if (x < kEdge) return HitZone::LeftEdge;
    if (x >= w - kEdge) return HitZone::RightEdge;
    if (x >= w - kRightBand &&
        (y < middle - kTabHalfHeight || (middle + kTabHalfHeight <= y && y <= h - header))) {
        return HitZone::RightEdge;
    }
    if ((y > h - header && x >= w - kRightBand) || (y >= h - kEdge && x >= w - header - kCornerReach)) {
        return HitZone::BottomRight;
    }
    if (y >= h - kEdge && x < w - header) return HitZone::BottomEdge;
    return HitZone::Client;
}

int hit_test_code(HitZone zone) {
    switch (zone) {
        case HitZone::Caption: return kHitCaption;
        case HitZone::LeftEdge: return kHitLeft;
        case HitZone::RightEdge: return kHitRight;
        case HitZone::BottomEdge: return kHitBottom;
        case HitZone::BottomLeft: return kHitBottomLeft;
        case HitZone::BottomRight: return kHitBottomRight;
        case HitZone::Client: break;
    }
    return kHitClient;
}

ZoneCursor zone_cursor(HitZone zone) {
    switch (zone) {
        case HitZone::LeftEdge:
        case HitZone::RightEdge: return ZoneCursor::SizeWestEast;
        case HitZone::BottomEdge: return ZoneCursor::SizeNorthSouth;
        case HitZone::BottomRight: return ZoneCursor::SizeNorthWestSouthEast;
        case HitZone::BottomLeft: return ZoneCursor::SizeNorthEastSouthWest;
        case HitZone::Caption:
        case HitZone::Client: break;
    }
    return ZoneCursor::Arrow;
}

}  // namespace qb

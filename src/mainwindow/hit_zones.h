#pragma once
// Where on the borderless main window a mouse point falls: the top strip
// moves the window, the left, right and bottom edges size it, and the
// right tab's middle, where the skin buttons sit, stays client area.
#include "common/geometry.h"

namespace qb {

enum class HitZone { Caption, Client, LeftEdge, RightEdge, BottomEdge, BottomLeft, BottomRight };

// The cursor a zone shows; the Win32 layer maps it to a system cursor.
enum class ZoneCursor { Arrow, SizeWestEast, SizeNorthSouth, SizeNorthWestSouthEast, SizeNorthEastSouthWest };

// Hit-test codes as WM_NCHITTEST returns them.
inline constexpr int kHitClient = 1;
inline constexpr int kHitCaption = 2;
inline constexpr int kHitLeft = 10;
inline constexpr int kHitRight = 11;
inline constexpr int kHitBottom = 15;
inline constexpr int kHitBottomLeft = 16;
inline constexpr int kHitBottomRight = 17;

// The zone of a client point in a client area of `client` size whose
// title and status strips are `header` pixels high.
HitZone hit_zone(Point point, Size client, int header);

int hit_test_code(HitZone zone);
ZoneCursor zone_cursor(HitZone zone);

}  // namespace qb

#pragma once
// The strips of the main window that a repaint can name, and the
// rectangles they cover for a given size.
#include <cstdint>

#include "common/geometry.h"

namespace qb {

inline constexpr std::uint16_t AREA_HEADER = 1;
inline constexpr std::uint16_t AREA_FOOTER = 2;
inline constexpr std::uint16_t AREA_WORK = 4;
inline constexpr std::uint16_t AREA_RIGHT = 8;
inline constexpr std::uint16_t AREA_BELOW_HEADER = 16;
inline constexpr std::uint16_t AREA_ALL = 31;
// Not a strip: only links changed (their look, their order, added or
// removed), so only where they were and are needs drawing again.
inline constexpr std::uint16_t AREA_LINKS = 32;

// The rectangle of one strip bit in a window of width x height.
Rect area_rect(std::uint16_t bit, int width, int height, int header);

// The bounding rectangle of `pending` and every strip named in `bits`.
Rect repaint_rect(const Rect& pending, std::uint16_t bits, int width, int height, int header);

}  // namespace qb

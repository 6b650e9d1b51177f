#pragma once
// Draws a bitmap with every pixel of one colour left out, by two
// monochrome masks and plain raster operations.
#include <windows.h>

#include <cstdint>

namespace qb {

// The bitmap is changed during the call and restored before it returns.
void draw_transparent(HDC target, HBITMAP bitmap, std::int16_t x, std::int16_t y, COLORREF transparent);

}  // namespace qb

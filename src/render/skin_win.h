#pragma once
// The theme's pictures made to fit the window: the background laid out
// by the fill type and the right tab stretched and framed.
#include <windows.h>

#include "common/geometry.h"

namespace qb {

inline constexpr int kRightStripWidth = 50;
inline constexpr int kTabHeight = 120;

// Loads the four theme pictures and the eight data.dll images (then
// frees the library), and composes the skin for the window's size.
void load_skin(HWND window);
// Builds "BackGroundRESIZED" and "RightSideRESIZED" for a window of
// window_rect's size.
void compose_skin(const Rect& window_rect, HWND window);
// The tab and the two skin buttons, for a client area of width x height.
void draw_right_side(HDC dc, int width, int height, HWND window);

}  // namespace qb

#pragma once
// One paint of the main window: the strips the update rectangle touches,
// drawn in a fixed layer order into an off-screen bitmap that reaches the
// window in one copy.
#include <windows.h>

#include "common/geometry.h"
#include "links/link_list.h"
#include "render/paint_regions.h"

namespace qb {

// Answers a paint request for `update` (BeginPaint to EndPaint).
void paint_main_window(HWND window, Link* dragged, const Rect& update);

// Draws the layers of `regions` into `dc` (a client area of width x
// height); the frame of the work area is always drawn.
void draw_main_window(HDC dc, int width, int height, const PaintRegions& regions, Link* dragged, HWND window);

// The single layers, in their order.
void draw_background(HDC dc, int width, int height);
void draw_links(HDC dc);
void draw_drag_feedback(HDC dc, Link* dragged);
void draw_header(HDC dc, int width);
void draw_shading_lines(HDC dc, int width, int height);
void draw_work_frame(HDC dc, int width, int height);

}  // namespace qb

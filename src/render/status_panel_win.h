#pragma once
// The status strip (fill gauge, new-programs count, state image), the
// panel of new programs that rises from it, and the drive-type image.
#include <windows.h>

#include <initializer_list>

#include "common/color.h"
#include "render/painter_win.h"

namespace qb {

// A glossy bar of d rows from (x1, y0) to x2; separators (three vertical
// lines each) at the given x positions when x1 is 0.
void draw_band(HDC dc, int y0, int x1, int x2, int d, Color color, std::initializer_list<int> separators = {});

void draw_new_programs_panel(HDC dc, const PaintScene& scene, TransparentDrawing* pictures = nullptr);
void draw_status_bar(HDC dc, const PaintScene& scene, TransparentDrawing* pictures = nullptr);
void draw_drive_type(HDC dc, const PaintScene& scene, TransparentDrawing* pictures = nullptr);
// Where draw_drive_type draws (empty when it draws nothing).
Rect drive_type_extent(const PaintScene& scene);

}  // namespace qb

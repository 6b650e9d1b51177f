#pragma once
// The main window's outline for its size, and the one way every part asks
// for a repaint of the strips it changed.
#include <windows.h>

#include <cstdint>
#include <span>

#include "common/geometry.h"

#include "mainwindow/program_state_win.h"
#include "render/painter_win.h"

namespace qb {

// Outline, skin and button places for the window's current size, which
// becomes the settings' window size (a resize is saved at shutdown).
void reshape_window(ProgramState& program, HWND window, bool users_size = true);

// Invalidates the bounding rectangle of the named strips (and whatever is
// pending) and repaints at once.
void repaint_areas(HWND window, std::uint16_t areas, int header_height);

// The same, and besides the strips the rectangles given (each on its own:
// a drag repaints only where its feedback was and is).
void repaint_areas_and_rects(HWND window, std::uint16_t areas, std::span<const Rect> rects, int header_height);

// The same for the main window, where AREA_LINKS repaints only the places
// where the links differ from their drawing kept in `cache` (the work
// area when it cannot tell): a new selection costs two links, not all.
void repaint_view(HWND window, std::uint16_t areas, const ProgramState& program, const PaintCache& cache);

}  // namespace qb

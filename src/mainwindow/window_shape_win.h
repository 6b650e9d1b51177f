#pragma once
// The main window's outline for its size, and the one way every part asks
// for a repaint of the strips it changed.
#include <windows.h>

#include <cstdint>

namespace qb {

// The region last given to the main window (owned by the window system).
extern HRGN window_region;
// Outline, skin and button places for the window's current size.
void reshape_window(HWND window);

// Invalidates the bounding rectangle of the named strips (and whatever is
// pending) and repaints at once.
void repaint_areas(HWND window, std::uint16_t areas);

}  // namespace qb

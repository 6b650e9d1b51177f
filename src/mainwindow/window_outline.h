#pragma once
// The main window's outline (a rounded body and the tab on its right) and
// where the two skin buttons sit on the tab, for a given size.
#include "common/geometry.h"

namespace qb {

struct RoundedPiece {
    Rect rect;
    int corner = 0;
};

struct WindowOutline {
    RoundedPiece body;
    RoundedPiece tab;
};

WindowOutline window_outline(int width, int height);

inline constexpr int kSkinButtonSize = 25;
Point close_button_position(int width, int height);
Point options_button_position(int width, int height);

}  // namespace qb

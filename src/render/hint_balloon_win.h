#pragma once
// The yellow hint balloon in the top-left corner of the work area.
#include <windows.h>

#include "common/color.h"
#include "render/hint_text.h"

namespace qb {

// Draws the balloon of `hint` below a title strip of header_height, its
// outline a shade of the frame colour; nothing for HintKind::None.
void draw_hint(HDC dc, HintKind hint, int header_height, Color frame_color, Language language);

}  // namespace qb

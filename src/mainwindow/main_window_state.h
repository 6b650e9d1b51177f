#pragma once
// What the main window remembers between messages and the painter reads:
// the idle countdown, the hint shown, the drag under way and where the
// new-programs panel was last drawn.
#include "common/geometry.h"
#include "links/link_list.h"
#include "render/hint_text.h"

namespace qb {

inline constexpr int kIdleSeconds = 60;
// The countdown is shown, and an input repaints the header, below this.
inline constexpr int kCountdownShownBelow = 15;

extern int idle_countdown;
extern HintKind active_hint;
// A left-button drag of a link.
extern bool dragging;
extern Link* drag_link;
extern Point drag_point;
extern int grab_dx;
extern int grab_dy;
// Where the panel was last painted, for the mouse's hit tests.
extern Rect programs_panel_rect;
// Puts the countdown back to 60; true when it stood at 15 or less, so the
// caller repaints the header that showed it.
bool note_user_input();

}  // namespace qb

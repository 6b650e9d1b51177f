#include "mainwindow/main_window_state.h"

namespace qb {

int idle_countdown = kIdleSeconds;
HintKind active_hint = HintKind::None;
bool dragging = false;
Link* drag_link = nullptr;
Point drag_point;
int grab_dx = 0;
int grab_dy = 0;
Rect programs_panel_rect;

bool note_user_input() {
    const bool was_shown = idle_countdown <= kCountdownShownBelow;
    idle_countdown = kIdleSeconds;
    return was_shown;
}

bool note_user_input(MainWindowState& state) {
    const bool was_shown = state.idle_countdown <= kCountdownShownBelow;
    state.idle_countdown = kIdleSeconds;
    return was_shown;
}

}  // namespace qb

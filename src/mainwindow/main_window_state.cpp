#include "mainwindow/main_window_state.h"

namespace qb {

bool note_user_input() {
    const bool was_shown = idle_countdown <= kCountdownShownBelow;
    idle_countdown = kIdleSeconds;
    return was_shown;
}

}  // namespace qb

#include "mainwindow/main_window_state.h"

namespace qb {

bool note_user_input(MainWindowState& state) {
    const bool was_shown = state.idle_countdown <= kCountdownShownBelow;
    state.idle_countdown = kIdleSeconds;
    return was_shown;
}

}  // namespace qb

#include "mainwindow/idle_countdown.h"

namespace qb {

IdleTick idle_tick(MainWindowState& state, bool show_hints, bool auto_close_when_idle) {
    if (!show_hints || !auto_close_when_idle) return IdleTick::Nothing;
    // Ticks that arrive after the quit was posted keep asking for it
    // without counting on towards overflow.
    if (state.idle_countdown >= 0) --state.idle_countdown;
    if (state.idle_countdown < 0) return IdleTick::Quit;
    return state.idle_countdown < kCountdownShownBelow ? IdleTick::RepaintHeader : IdleTick::Nothing;
}

}  // namespace qb

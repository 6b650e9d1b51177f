#pragma once
// When the header shows the idle countdown.
namespace qb {

// The countdown is shown below this many seconds (and an input while it
// stands at or below it repaints the header that showed it).
inline constexpr int kCountdownShownBelow = 15;

constexpr bool countdown_shown(bool auto_close_when_idle, int idle_countdown) {
    return auto_close_when_idle && idle_countdown < kCountdownShownBelow;
}

}  // namespace qb

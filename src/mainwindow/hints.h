#pragma once
// The hint balloons: which one the hint timer offers next (one at a time,
// each kind once per run) and what a click on a shown balloon does.
#include <cstdint>

#include "common/geometry.h"
#include "mainwindow/main_window_state.h"

namespace qb {

// What the scheduler looks at on a tick.
struct HintFacts {
    int link_count = 0;
    std::uint16_t autorun_findings = 0;  // the autorun check's bits
    bool old_theme = false;              // an old Theme.ini was read in this run
};

// One tick of the hint timer. `links_loaded` is the program's flag: set
// when the settings file held links or a link was added, and set here when
// the add-links hint is shown, so that hint comes at most once. Returns
// AREA_WORK when a balloon came up, else 0.
std::uint16_t hint_tick(HintState& hints, bool& links_loaded, const HintFacts& facts, bool show_hints);

enum class HintHit {
    Outside = 0,   // the press goes on to what lies below
    Balloon = 1,   // taken by the balloon; nothing below sees it
    CloseBox = 2,  // the balloon was closed: repaint the work area
};

// A press at a client point while a balloon may be shown; a press in the
// close box closes it.
HintHit hint_hit_test(HintState& hints, Point point, int header);

}  // namespace qb

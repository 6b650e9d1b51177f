#pragma once
// What the main window remembers between messages, beside the program's
// state: the idle countdown, the hint balloons, a drag under way, where
// the next adopted program lands and whether the panel is sliding.
#include "common/geometry.h"
#include "links/link_list.h"
#include "render/countdown_display.h"
#include "render/hint_text.h"

namespace qb {

inline constexpr int kIdleSeconds = 60;

// A left-button drag of a link.
struct DragState {
    bool dragging = false;
    Link* link = nullptr;  // drawn as a square that follows the pointer
    Point point;           // the current mouse point, client coordinates
    int grab_dx = 0;       // where on the link it was grabbed
    int grab_dy = 0;
    int start_x = 0;  // the link's position when the drag began
    int start_y = 0;
    bool moved = false;  // the pointer moved since the press
};

// The balloon shown now and the kinds already offered in this run (the
// add-links hint is remembered by the program's links_loaded instead).
struct HintState {
    HintKind active = HintKind::None;
    bool autorun_missing_offered = false;
    bool autorun_config_offered = false;
    bool old_themes_offered = false;
};

inline constexpr int kFirstAdoptPosition = 30;

struct MainWindowState {
    int idle_countdown = kIdleSeconds;
    HintState hints;
    DragState drag;
    // Where the next program adopted from the new-programs panel goes.
    Point adopt{kFirstAdoptPosition, kFirstAdoptPosition};
    bool slide_timer_running = false;
};

// Puts the countdown back to 60; true when it stood at 15 or less, so the
// caller repaints the header that showed it.
bool note_user_input(MainWindowState& state);

}  // namespace qb

#include "mainwindow/hints.h"

#include "autorun/autorun_state.h"
#include "render/window_areas.h"

namespace qb {

std::uint16_t hint_tick(HintState& hints, bool& links_loaded, const HintFacts& facts, bool show_hints) {
    if (!show_hints || hints.active != HintKind::None) return 0;
    if (facts.link_count == 0 && !links_loaded) {
        hints.active = HintKind::AddLinks;
        links_loaded = true;
    } else if ((facts.autorun_findings & kAutorunMissing) && !hints.autorun_missing_offered) {
        hints.active = HintKind::AutorunMissing;
        hints.autorun_missing_offered = true;
    } else if ((facts.autorun_findings & (kAutorunForeign | kAutorunWrongTarget)) && !hints.autorun_config_offered) {
        hints.active = HintKind::AutorunConfig;
        hints.autorun_config_offered = true;
    } else if (facts.old_theme && !hints.old_themes_offered) {
        hints.active = HintKind::OldThemes;
        hints.old_themes_offered = true;
    } else {
        return 0;
    }
    return AREA_WORK;
}

HintHit hint_hit_test(HintState& hints, Point p, int header) {
    if (hints.active == HintKind::None) return HintHit::Outside;
    // Bounds are inclusive: the close box and the balloon as drawn.
    if (180 <= p.x && p.x <= 195 && header + 90 <= p.y && p.y <= header + 105) {
        hints.active = HintKind::None;
        return HintHit::CloseBox;
    }
    if (5 <= p.x && p.x <= 200 && header + 20 <= p.y && p.y <= header + 110) return HintHit::Balloon;
    return HintHit::Outside;
}

}  // namespace qb

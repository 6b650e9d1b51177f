#include <gtest/gtest.h>

#include <vector>

#include "autorun/autorun_state.h"
#include "mainwindow/hints.h"
#include "render/window_areas.h"

namespace qb {
namespace {

// Closes whatever balloon is shown, as a click on its close box does.
void close_balloon(HintState& hints) {
    ASSERT_NE(hints.active, HintKind::None);
    EXPECT_EQ(hint_hit_test(hints, {187, 25 + 97}, 25), HintHit::CloseBox);
    EXPECT_EQ(hints.active, HintKind::None);
}

// The kinds shown, in order, when every balloon is closed right away,
// over `ticks` ticks.
std::vector<HintKind> offered(HintState& hints, bool& links_loaded, const HintFacts& facts, int ticks) {
    std::vector<HintKind> kinds;
    for (int tick = 0; tick < ticks; ++tick) {
        if (hint_tick(hints, links_loaded, facts, true) == AREA_WORK) {
            kinds.push_back(hints.active);
            close_balloon(hints);
        } else {
            EXPECT_EQ(hints.active, HintKind::None);
        }
    }
    return kinds;
}

TEST(Hints, OfferedInOrderOncePerRun) {
    HintState hints;
    bool links_loaded = false;
    const HintFacts all{0, kAutorunMissing | kAutorunForeign, true};
    EXPECT_EQ(offered(hints, links_loaded, all, 10),
              (std::vector<HintKind>{HintKind::AddLinks, HintKind::AutorunMissing, HintKind::AutorunConfig,
                                     HintKind::OldThemes}));
    EXPECT_TRUE(links_loaded);
    EXPECT_TRUE(offered(hints, links_loaded, all, 10).empty());
}

TEST(Hints, OneAtATimeAndNeverWithHintsOff) {
    HintState hints;
    bool links_loaded = false;
    const HintFacts facts{0, kAutorunMissing, false};
    for (int tick = 0; tick < 5; ++tick) EXPECT_EQ(hint_tick(hints, links_loaded, facts, false), 0);
    EXPECT_EQ(hints.active, HintKind::None);
    EXPECT_FALSE(links_loaded);

    EXPECT_EQ(hint_tick(hints, links_loaded, facts, true), AREA_WORK);
    EXPECT_EQ(hints.active, HintKind::AddLinks);
    // The missing autorun file waits while the first balloon is shown.
    for (int tick = 0; tick < 5; ++tick) EXPECT_EQ(hint_tick(hints, links_loaded, facts, true), 0);
    EXPECT_EQ(hints.active, HintKind::AddLinks);
    EXPECT_FALSE(hints.autorun_missing_offered);
    close_balloon(hints);
    EXPECT_EQ(hint_tick(hints, links_loaded, facts, true), AREA_WORK);
    EXPECT_EQ(hints.active, HintKind::AutorunMissing);
}

TEST(Hints, AddLinksNeverAfterADropOrWithLoadedLinks) {
    // A drop set links_loaded; the dropped link was deleted again.
    HintState hints;
    bool links_loaded = true;
    EXPECT_TRUE(offered(hints, links_loaded, {0, 0, false}, 5).empty());
    EXPECT_EQ(offered(hints, links_loaded, {0, 0, true}, 5), std::vector<HintKind>{HintKind::OldThemes});

    // Links on the desktop, the flag clear: no add-links hint either.
    HintState other;
    bool not_loaded = false;
    EXPECT_TRUE(offered(other, not_loaded, {3, 0, false}, 5).empty());
    EXPECT_FALSE(not_loaded);
}

TEST(Hints, EitherAutorunFaultGivesTheConfigHint) {
    for (std::uint16_t findings : {kAutorunForeign, kAutorunWrongTarget,
                                   static_cast<std::uint16_t>(kAutorunForeign | kAutorunWrongTarget)}) {
        HintState hints;
        bool links_loaded = true;
        EXPECT_EQ(offered(hints, links_loaded, {1, findings, false}, 5),
                  std::vector<HintKind>{HintKind::AutorunConfig})
            << findings;
    }
    // A missing file alone is not a configuration fault.
    HintState hints;
    bool links_loaded = true;
    EXPECT_EQ(offered(hints, links_loaded, {1, kAutorunMissing, false}, 5),
              std::vector<HintKind>{HintKind::AutorunMissing});
}

TEST(Hints, PressesOnTheBalloon) {
    HintState hints;
    const int hh = 25;
    // Nothing shown: nothing is taken.
    EXPECT_EQ(hint_hit_test(hints, {100, hh + 50}, hh), HintHit::Outside);

    hints.active = HintKind::OldThemes;
    // The balloon's rectangle, inclusive.
    EXPECT_EQ(hint_hit_test(hints, {5, hh + 20}, hh), HintHit::Balloon);
    EXPECT_EQ(hint_hit_test(hints, {200, hh + 110}, hh), HintHit::Balloon);
    EXPECT_EQ(hint_hit_test(hints, {4, hh + 50}, hh), HintHit::Outside);
    EXPECT_EQ(hint_hit_test(hints, {201, hh + 50}, hh), HintHit::Outside);
    EXPECT_EQ(hint_hit_test(hints, {100, hh + 19}, hh), HintHit::Outside);
    EXPECT_EQ(hint_hit_test(hints, {100, hh + 111}, hh), HintHit::Outside);
    // Just outside the close box, inside the balloon: still shown.
    EXPECT_EQ(hint_hit_test(hints, {179, hh + 95}, hh), HintHit::Balloon);
    EXPECT_EQ(hint_hit_test(hints, {196, hh + 95}, hh), HintHit::Balloon);
    EXPECT_EQ(hint_hit_test(hints, {185, hh + 89}, hh), HintHit::Balloon);
    EXPECT_EQ(hint_hit_test(hints, {185, hh + 106}, hh), HintHit::Balloon);
    EXPECT_EQ(hints.active, HintKind::OldThemes);
    // The close box's far corner closes it; the next press falls through.
    EXPECT_EQ(hint_hit_test(hints, {195, hh + 105}, hh), HintHit::CloseBox);
    EXPECT_EQ(hints.active, HintKind::None);
    EXPECT_EQ(hint_hit_test(hints, {195, hh + 105}, hh), HintHit::Outside);

    // The balloon hangs below the title strip, whatever its height.
    hints.active = HintKind::AddLinks;
    EXPECT_EQ(hint_hit_test(hints, {180, 40 + 90}, 40), HintHit::CloseBox);
}

}  // namespace
}  // namespace qb

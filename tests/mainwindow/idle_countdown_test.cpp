#include <gtest/gtest.h>

#include "mainwindow/idle_countdown.h"

namespace qb {
namespace {

// Ticks until the first Quit; the header repaints seen on the way.
struct CountdownRun {
    int quit_tick = 0;
    int header_repaints = 0;
};

CountdownRun tick_until_quit(MainWindowState& state, int limit) {
    CountdownRun run;
    for (int tick = 1; tick <= limit; ++tick) {
        const IdleTick result = idle_tick(state, true, true);
        if (result == IdleTick::Quit) {
            run.quit_tick = tick;
            return run;
        }
        if (result == IdleTick::RepaintHeader) ++run.header_repaints;
    }
    return run;
}

TEST(IdleCountdown, QuitsOnThe61stTickAfterTheLastInput) {
    MainWindowState state;
    const CountdownRun run = tick_until_quit(state, 100);
    EXPECT_EQ(run.quit_tick, 61);
    // Ticks leaving 14 down to 0 show the countdown: 15 of them.
    EXPECT_EQ(run.header_repaints, 15);
    // A late tick before the loop ends asks again and does not count on.
    EXPECT_EQ(idle_tick(state, true, true), IdleTick::Quit);
    EXPECT_EQ(state.idle_countdown, -1);

    // An input puts it back to 60: another 61 ticks.
    note_user_input(state);
    EXPECT_EQ(tick_until_quit(state, 100).quit_tick, 61);
}

TEST(IdleCountdown, HeaderRepaintsOnTicksBelow15) {
    MainWindowState state;
    state.idle_countdown = 16;
    EXPECT_EQ(idle_tick(state, true, true), IdleTick::Nothing);  // now 15, not shown yet
    EXPECT_EQ(idle_tick(state, true, true), IdleTick::RepaintHeader);  // 14
    state.idle_countdown = 1;
    EXPECT_EQ(idle_tick(state, true, true), IdleTick::RepaintHeader);  // 0 is still shown
    EXPECT_EQ(idle_tick(state, true, true), IdleTick::Quit);
}

TEST(IdleCountdown, NeverWithHintsOffOrWithoutIdleClose) {
    MainWindowState state;
    for (int tick = 0; tick < 200; ++tick) {
        EXPECT_EQ(idle_tick(state, false, true), IdleTick::Nothing);
        EXPECT_EQ(idle_tick(state, true, false), IdleTick::Nothing);
        EXPECT_EQ(idle_tick(state, false, false), IdleTick::Nothing);
    }
    EXPECT_EQ(state.idle_countdown, kIdleSeconds);

    // Switching hints off halfway freezes the countdown where it stands.
    state.idle_countdown = 3;
    EXPECT_EQ(idle_tick(state, false, true), IdleTick::Nothing);
    EXPECT_EQ(state.idle_countdown, 3);
}

TEST(IdleCountdown, InputRepaintsTheHeaderOnlyWhenTheCountdownWasShown) {
    MainWindowState state;
    state.idle_countdown = 15;
    EXPECT_TRUE(note_user_input(state));
    EXPECT_EQ(state.idle_countdown, kIdleSeconds);
    state.idle_countdown = 16;
    EXPECT_FALSE(note_user_input(state));
    EXPECT_EQ(state.idle_countdown, kIdleSeconds);
    state.idle_countdown = -1;  // input between the quit tick and the loop's end
    EXPECT_TRUE(note_user_input(state));
}

}  // namespace
}  // namespace qb

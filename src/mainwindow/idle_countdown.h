#pragma once
// The idle close: one tick of the one-second timer counts the countdown
// down; the program quits on the tick that takes it below zero.
#include "mainwindow/main_window_state.h"

namespace qb {

enum class IdleTick {
    Nothing,
    RepaintHeader,  // the countdown shown in the header changed
    Quit,           // post WM_QUIT: the program closes itself
};

// One tick of the idle timer. Nothing counts while hints are off or the
// idle close is not wanted.
IdleTick idle_tick(MainWindowState& state, bool show_hints, bool auto_close_when_idle);

}  // namespace qb

#pragma once
// The main window's data: the program it shows, the entry's hooks and the
// window's own state. The window procedure, its input handlers, the link
// actions, the properties window and the accessible object all work on it;
// it sits below them all, so the folder's includes run one way.
#include <windows.h>

#include "mainwindow/main_window_state.h"
#include "mainwindow/program_state_win.h"
#include "mainwindow/type_to_find.h"
#include "render/painter_win.h"

namespace qb {

class DesktopAccessible;

// What the main window asks of the layers above it: the entry gives these
// actions, so the window does not depend on the options window or on the
// shutdown sequence.
struct MainWindowHooks {
    // The options skin button.
    void (*open_options)(ProgramState& program) = nullptr;
    // The session ends: save now, as a normal close would.
    void (*end_session)(ProgramState& program) = nullptr;
    // The program's language changed: the windows above the main one
    // (the options window) speak it too.
    void (*language_changed)(ProgramState& program) = nullptr;
};

// Reached through the window's user data.
struct MainWindow {
    MainWindow(ProgramState& program_state, MainWindowHooks main_hooks) : program(program_state), hooks(main_hooks) {}
    ProgramState& program;
    MainWindowHooks hooks;
    MainWindowState view;
    // The link properties window, made on first use, and the link it shows.
    HWND properties_window = nullptr;
    Link* edited_link = nullptr;
    // What the paints keep between them (the links as last drawn).
    PaintCache paint_cache;
    // The letters typed so far to find a link.
    TypedText typed;
    // The object screen readers read, made when the first one asks; the
    // window holds one reference and cuts it loose when it is destroyed.
    DesktopAccessible* accessible = nullptr;
};

// The data of a main window; null for another window.
MainWindow* main_window_data(HWND window);

// Any input to the program's windows: the idle countdown starts again, and
// the header that showed it is repainted.
void note_input(MainWindow& data);

}  // namespace qb

#pragma once
// The main window: its class, its messages, its timers, its commands and
// the data it keeps. Every message the desktop gets is handed to one
// handler of its procedure.
#include <windows.h>

#include "mainwindow/keys.h"
#include "mainwindow/main_window_state.h"
#include "mainwindow/program_state_win.h"
#include "render/painter_win.h"

namespace qb {

inline constexpr const char* kMainClass = "Quillobrante";
inline constexpr const char* kMainTitle = "Quillobrante";

// Timers of the main window.
inline constexpr UINT_PTR kHintTimer = 1;
inline constexpr UINT kHintTimerPeriod = 10000;
inline constexpr UINT_PTR kIdleTimer = 2;
inline constexpr UINT kIdleTimerPeriod = 1000;
inline constexpr UINT_PTR kSlideTimer = 3;

// Private messages of the main window.
inline constexpr UINT WM_NEW_PROGRAMS = WM_USER + 1;
inline constexpr UINT WM_REFRESH_DRIVE = WM_USER + 2;
inline constexpr UINT WM_SEARCH_STATE = WM_USER + 3;

// What the main window asks of the layers above it: the entry gives these
// actions, so the window does not depend on the options window or on the
// shutdown sequence.
struct MainWindowHooks {
    // The options skin button.
    void (*open_options)(ProgramState& program) = nullptr;
    // The session ends: save now, as a normal close would.
    void (*end_session)(ProgramState& program) = nullptr;
};

// The main window's data: the program it shows, the entry's hooks and the
// window's own state. Reached through the window's user data.
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
};

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Creates the hidden main window (class "Quillobrante", 400 x 300, centred
// on the program's screen) for `data`, which must outlive it.
HWND create_main_window(MainWindow& data);

// The data of a main window; null for another window.
MainWindow* main_window_data(HWND window);

// What a paint of the main window shows now.
PaintScene paint_scene(const MainWindow& data, HWND window);

// Any input to the program's windows: the idle countdown starts again, and
// the header that showed it is repainted.
void note_input(MainWindow& data);

}  // namespace qb

#pragma once
// The main window: its class, its messages, its timers and its commands
// (its data: main_window_data_win.h). Every message the desktop gets is
// handed to one handler of its procedure.
#include <windows.h>

#include "mainwindow/keys.h"
#include "mainwindow/main_window_data_win.h"
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

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Creates the hidden main window (class "Quillobrante", 400 x 300, centred
// on the program's screen) for `data`, which must outlive it.
HWND create_main_window(MainWindow& data);

// What a paint of the main window shows now.
PaintScene paint_scene(const MainWindow& data, HWND window);

}  // namespace qb

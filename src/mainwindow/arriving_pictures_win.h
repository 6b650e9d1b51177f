#pragma once
// Link pictures that arrive after the window is shown: the look-ups a
// start left (ProgramState::pictures) run on one worker thread, and each
// picture that arrives goes onto the links still waiting for it, which
// alone are repainted.
#include <windows.h>

#include "links/picture_lookup_win.h"
#include "mainwindow/main_window_data_win.h"

namespace qb {

// Posted by the worker with a FoundPicture* in lParam.
inline constexpr UINT WM_PICTURE_FOUND = WM_USER + 4;

// Starts the worker for what the start left to look up (nothing to do:
// nothing started), with the program's way of looking one up.
void start_picture_lookups(ProgramState& program);

// One arrival: shown on every link that still waits for it (the theme's
// default picture when the shell has none), kept for icons.dat; when it
// is the last, the cache to write is noted.
void accept_found_picture(MainWindow& data, HWND window, LPARAM found);

// No more look-ups; the cache keeps what arrived (exit, session's end).
void settle_pictures(ProgramState& program);

}  // namespace qb

#pragma once
// Link pictures that arrive after the window is shown: the look-ups a
// start left (ProgramState::pictures) run on one worker thread, and each
// picture that arrives goes onto the links still waiting for it, which
// alone are repainted.
#include <windows.h>

#include "links/picture_lookup_win.h"
#include "mainwindow/main_window_data_win.h"

namespace qb {

// Posted by the worker when pictures arrived (both parameters 0).
inline constexpr UINT WM_PICTURE_FOUND = WM_USER + 4;

// A property of the main window while pictures are still on their way,
// removed once the last one is in and its links are painted: how another
// process (the start-up benchmark) sees that the desktop is complete.
inline constexpr const wchar_t* kPicturesToComeProperty = L"QbPicturesToCome";

// Marks the window with kPicturesToComeProperty when the start left
// pictures to look up; before the window shows, so that no one sees it
// complete before they are in.
void mark_pictures_to_come(const ProgramState& program);

// The pictures of the links the first paint could not show (from
// icons.dat, or queued for the worker); then the cache to write when
// nothing is left to look up.
void take_unseen_pictures(ProgramState& program);

// Starts the worker for what the start left to look up (nothing to do:
// nothing started), with the program's way of looking one up.
void start_picture_lookups(ProgramState& program);

// The arrivals: each shown on every link that still waits for it (the
// start's default picture when the shell has none) and kept for
// icons.dat; after the last, the cache to write is noted.
void accept_found_pictures(MainWindow& data, HWND window);

// No more look-ups; the cache keeps what arrived (exit, session's end).
void settle_pictures(ProgramState& program);

}  // namespace qb

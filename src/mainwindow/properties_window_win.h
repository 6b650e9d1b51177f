#pragma once
// The link properties window (class "IconWindow"): a small window in which
// the user edits one link's caption, target and whether opening it closes
// the program. One window serves all links; it is hidden, not destroyed,
// after a save or a cancel.
#include <windows.h>

#include "mainwindow/main_window_data_win.h"

namespace qb {

inline constexpr const char* kPropertiesClass = "IconWindow";

// Its controls.
inline constexpr int kPropertiesNameLabel = 10010;
inline constexpr int kPropertiesTargetLabel = 10011;
inline constexpr int kPropertiesCaptionEdit = 10012;
inline constexpr int kPropertiesTargetEdit = 10013;
inline constexpr int kPropertiesCloseCheck = 10014;
inline constexpr int kPropertiesSave = 10015;
inline constexpr int kPropertiesCancel = 10016;

// An edit keeps at most this many characters when saved.
inline constexpr int kPropertiesTextLimit = 1022;

LRESULT CALLBACK properties_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Fills the window (made on first use, owned by `owner`) with `link` and
// shows it; with no link, only makes the window.
void show_link_properties(MainWindow& data, HWND owner, Link* link);

// The window stops showing `link`, which is being removed.
void forget_edited_link(MainWindow& data, const Link* link);

// The window's texts in the program's language now (nothing without a window).
void retext_properties_window(const MainWindow& data);

}  // namespace qb

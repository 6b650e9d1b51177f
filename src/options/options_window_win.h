#pragma once
// The options window (class "OptWindow", "Настройки"): a page list on the
// left and the controls of one page beside it. It changes the settings
// and the theme colours, switches themes and runs the autorun checks;
// what it changes is written at shutdown, but for "Сохранить тему".
#include <windows.h>

#include "common/color.h"
#include "common/geometry.h"
#include "mainwindow/program_state_win.h"

namespace qb {

inline constexpr const char* kOptionsClass = "OptWindow";
inline constexpr int kOptionsWidth = 460;
inline constexpr int kOptionsHeight = 330;

// A Unicode window procedure (its class is registered as one at start-up),
// so the texts it is given are UTF-16 on any system.
LRESULT CALLBACK options_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Creates the window for `program`, owned by `owner`, with every control,
// page 0 selected and shown; the check boxes show the settings of this
// moment. Null when the window cannot be created.
HWND build_options_window(ProgramState& program, HWND owner);

// Shows the options window, building it first when there is none; one
// that exists is shown as the user left it.
void open_options_window(ProgramState& program, HWND owner);

// The window's texts in the program's language now (nothing without a window).
void retext_options_window(const ProgramState& program);

// Shows the controls of the page selected in the page list and hides the
// others; the Themes page is filled afresh from the disk each time.
void show_page(ProgramState& program, HWND window);

// A colour button's face: a rounded rectangle of `color` with a dark outline.
void draw_color_button(HDC dc, const Rect& rect, Color color);

}  // namespace qb

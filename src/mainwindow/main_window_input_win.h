#pragma once
// The main window's input handlers: the mouse, the keyboard, commands and
// dropped files. Each starts by noting the input (the idle countdown).
#include <windows.h>

#include "mainwindow/main_window_data_win.h"

namespace qb {

LRESULT on_hit_test(MainWindow& data, HWND window, LPARAM lparam);
LRESULT on_mouse_move(MainWindow& data, HWND window, LPARAM lparam);
LRESULT on_left_button_down(MainWindow& data, HWND window, LPARAM lparam);
LRESULT on_left_button_up(MainWindow& data, HWND window);
LRESULT on_left_button_double_click(MainWindow& data, HWND window, LPARAM lparam);
LRESULT on_right_button_down(MainWindow& data, HWND window, LPARAM lparam);
LRESULT on_key_down(MainWindow& data, HWND window, WPARAM key, LPARAM lparam);
// Shift+F10 and Alt+Enter; every other system key goes on to the system.
LRESULT on_system_key_down(MainWindow& data, HWND window, WPARAM key, LPARAM lparam);
LRESULT on_key_up(HWND window, UINT message, WPARAM key, LPARAM lparam);
// A typed character finds the link whose caption begins with the text typed.
LRESULT on_char(MainWindow& data, HWND window, WPARAM character);
// The menu of the selected link, asked for from the keyboard.
LRESULT on_context_menu(MainWindow& data, HWND window, LPARAM lparam);
LRESULT on_command(MainWindow& data, HWND window, WPARAM wparam);
LRESULT on_drop_files(MainWindow& data, HWND window, WPARAM drop);

}  // namespace qb

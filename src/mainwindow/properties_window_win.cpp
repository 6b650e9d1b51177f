#include "mainwindow/properties_window_win.h"

namespace qb {

LRESULT CALLBACK properties_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // No link is edited yet: the window behaves as a plain one.
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace qb

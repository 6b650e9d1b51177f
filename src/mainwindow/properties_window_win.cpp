#include "mainwindow/properties_window_win.h"

namespace qb {

LRESULT CALLBACK properties_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // The properties window's controls come with the link-editing work;
    // until then the class exists and behaves as a plain window.
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace qb

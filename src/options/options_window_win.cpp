#include "options/options_window_win.h"

namespace qb {

LRESULT CALLBACK options_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // No page is built yet: the window behaves as a plain one.
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace qb

#include "options/options_window_win.h"

namespace qb {

LRESULT CALLBACK options_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // The options pages come with the options work; until then the class
    // exists and behaves as a plain window.
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace qb

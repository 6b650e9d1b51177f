#pragma once
// Child controls of the program's small windows, described by tables of
// their place, class, text and style.
#include <windows.h>

namespace qb {

struct ChildControl {
    int id;
    const char* window_class;
    const char* text;
    DWORD style;
    int left, top, width, height;
};

// The control's identifier as CreateWindowEx takes it.
inline HMENU control_menu_id(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Creates `control` as a child of `parent`, its own style joined by
// WS_CHILD and `shared_style`; nothing on failure.
HWND create_child_control(HWND parent, const ChildControl& control, DWORD shared_style, HINSTANCE instance);

// Gives `control` the font, without a repaint (it is not shown yet).
void set_control_font(HWND control, HFONT font);

}  // namespace qb

#include "common/child_controls_win.h"

#include "common/wide_text_win.h"

namespace qb {

HWND create_child_control(HWND parent, const ChildControl& control, DWORD shared_style, HINSTANCE instance) {
    return CreateWindowExW(0, to_wide(control.window_class).c_str(), to_wide(control.text).c_str(), WS_CHILD | shared_style | control.style,
                           control.left, control.top, control.width, control.height, parent,
                           control_menu_id(control.id), instance, nullptr);
}

void set_control_font(HWND control, HFONT font) {
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace qb

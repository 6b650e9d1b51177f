#include "common/child_controls_win.h"

#include "common/wide_text_win.h"

namespace qb {

HWND create_child_control(HWND parent, const ChildControl& control, DWORD shared_style, HINSTANCE instance,
                          Language language) {
    return CreateWindowExW(0, to_wide(control.window_class).c_str(), to_wide(ui_text(control.text, language)).c_str(),
                           WS_CHILD | shared_style | control.style,
                           control.left, control.top, control.width, control.height, parent,
                           control_menu_id(control.id), instance, nullptr);
}

void set_control_texts(HWND parent, std::span<const ChildControl> controls, Language language) {
    for (const ChildControl& control : controls) {
        if (control.text == kNoText || same_in_every_language(control.text)) continue;
        if (HWND child = GetDlgItem(parent, control.id)) {
            SetWindowTextW(child, to_wide(ui_text(control.text, language)).c_str());
        }
    }
}

void set_control_font(HWND control, HFONT font) {
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace qb

#pragma once
// Child controls of the program's small windows, described by tables of
// their place, class, text and style.
#include <windows.h>

#include <span>

#include "common/ui_texts.h"

namespace qb {

// A control without a text of its own (an edit, a list, a colour button).
inline constexpr text::Id kNoText = text::kCount;

struct ChildControl {
    int id;
    const char* window_class;
    text::Id text;
    DWORD style;
    int left, top, width, height;
};

// The control's identifier as CreateWindowEx takes it.
inline HMENU control_menu_id(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Creates `control` as a child of `parent`, its own style joined by
// WS_CHILD and `shared_style`; nothing on failure.
HWND create_child_control(HWND parent, const ChildControl& control, DWORD shared_style, HINSTANCE instance,
                          Language language);

// Gives each of `parent`'s controls its text in `language` (those whose
// text is alike in every language, such as a picture's name, are left).
void set_control_texts(HWND parent, std::span<const ChildControl> controls, Language language);

// Gives `control` the font, without a repaint (it is not shown yet).
void set_control_font(HWND control, HFONT font);

}  // namespace qb

#pragma once
// The few modal things the program asks of Windows (message boxes, the
// colour chooser, a popup menu, opening a file through the shell) go
// through this one interface, passed to whoever asks. Texts and paths are
// the program's code page 1251 ones; the real calls convert them. The program passes
// the real calls; tests pass answers and record what was asked.
#include <windows.h>

#include "common/ui_texts.h"

namespace qb {

class ModalSeams {
public:
    virtual ~ModalSeams() = default;
    // The texts and the box's own buttons in `language`.
    virtual int message_box(HWND owner, text::Id text, text::Id caption, UINT type, Language language) = 0;
    // Shows `menu` at the screen point (x, y) for `owner`, tracking the left
    // button; the chosen item arrives afterwards as WM_COMMAND.
    virtual void popup_menu(HMENU menu, int x, int y, HWND owner) = 0;
    // Opens `path` with its default action, in `folder` (none: the shell's choice).
    virtual void shell_open(HWND owner, const char* path, const char* folder) = 0;
    // The colour dialog, starting from `color`, with its custom colours
    // shown; true with the chosen colour in `color`, false when the user
    // cancelled. Custom colours are not kept from one opening to the next.
    virtual bool choose_color(HWND owner, COLORREF& color) = 0;
};

// The real calls.
class SystemModalSeams final : public ModalSeams {
public:
    // The two ways of showing a message box; tests pass ones that refuse.
    using LanguageBox = decltype(&::MessageBoxExW);
    using PlainBox = decltype(&::MessageBoxW);
    explicit SystemModalSeams(LanguageBox language_box = &::MessageBoxExW, PlainBox plain_box = &::MessageBoxW)
        : language_box_(language_box), plain_box_(plain_box) {}

    // Buttons in the texts' language where the system can; where the box
    // with that language is refused, the plain box: a question or an
    // error is never skipped.
    int message_box(HWND owner, text::Id text, text::Id caption, UINT type, Language language) override;
    void popup_menu(HMENU menu, int x, int y, HWND owner) override;
    void shell_open(HWND owner, const char* path, const char* folder) override;
    bool choose_color(HWND owner, COLORREF& color) override;

private:
    LanguageBox language_box_;
    PlainBox plain_box_;
};

}  // namespace qb

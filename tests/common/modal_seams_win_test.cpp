// The real message box of the program: where the box in Russian is
// refused, the plain box shows the same question and its answer counts.
#include <gtest/gtest.h>

#include <string>

#include "common/modal_seams_win.h"
#include "common/ui_texts.h"

namespace qb {
namespace {

struct Shown {
    int calls = 0;
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
};
Shown language_shown;
Shown plain_shown;

int WINAPI refusing_language_box(HWND, LPCWSTR text, LPCWSTR caption, UINT type, WORD) {
    language_shown = {language_shown.calls + 1, text, caption, type};
    return 0;
}
int WINAPI answering_language_box(HWND, LPCWSTR text, LPCWSTR caption, UINT type, WORD) {
    language_shown = {language_shown.calls + 1, text, caption, type};
    return IDNO;
}
int WINAPI plain_box(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    plain_shown = {plain_shown.calls + 1, text, caption, type};
    return IDYES;
}

TEST(SystemMessageBox, ARefusedBoxInRussianIsShownPlainNeverSkipped) {
    SystemModalSeams refused(&refusing_language_box, &plain_box);
    EXPECT_EQ(refused.message_box(nullptr, "\xD3\xE4\xE0\xEB\xE8\xF2\xFC?", text::kConfirmCaption, MB_YESNO), IDYES);
    EXPECT_EQ(language_shown.calls, 1);
    ASSERT_EQ(plain_shown.calls, 1);
    EXPECT_EQ(plain_shown.text, L"\u0423\u0434\u0430\u043B\u0438\u0442\u044C?");  // "Удалить?"
    EXPECT_EQ(plain_shown.caption, language_shown.caption);
    EXPECT_EQ(plain_shown.type, static_cast<UINT>(MB_YESNO));

    // Shown in Russian: no second box.
    SystemModalSeams answered(&answering_language_box, &plain_box);
    EXPECT_EQ(answered.message_box(nullptr, "x", text::kConfirmCaption, MB_YESNO), IDNO);
    EXPECT_EQ(language_shown.calls, 2);
    EXPECT_EQ(plain_shown.calls, 1);
}

}  // namespace
}  // namespace qb

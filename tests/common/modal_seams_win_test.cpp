// The real message box of the program: its buttons in the texts'
// language; where the box in that language is refused, the plain box
// shows the same question and its answer counts.
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
    WORD language = 0;
};
Shown language_shown;
Shown plain_shown;

int WINAPI refusing_language_box(HWND, LPCWSTR text, LPCWSTR caption, UINT type, WORD language) {
    language_shown = {language_shown.calls + 1, text, caption, type, language};
    return 0;
}
int WINAPI answering_language_box(HWND, LPCWSTR text, LPCWSTR caption, UINT type, WORD language) {
    language_shown = {language_shown.calls + 1, text, caption, type, language};
    return IDNO;
}
int WINAPI plain_box(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    plain_shown = {plain_shown.calls + 1, text, caption, type};
    return IDYES;
}

TEST(SystemMessageBox, ARefusedBoxInRussianIsShownPlainNeverSkipped) {
    SystemModalSeams refused(&refusing_language_box, &plain_box);
    EXPECT_EQ(refused.message_box(nullptr, text::kMenuDelete, text::kConfirmCaption, MB_YESNO, kRussian), IDYES);
    EXPECT_EQ(language_shown.calls, 1);
    EXPECT_EQ(language_shown.language, MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
    ASSERT_EQ(plain_shown.calls, 1);
    EXPECT_EQ(plain_shown.text, L"\u0423\u0434\u0430\u043B\u0438\u0442\u044C");  // "Удалить"
    EXPECT_EQ(plain_shown.caption, language_shown.caption);
    EXPECT_EQ(plain_shown.type, static_cast<UINT>(MB_YESNO));

    // Shown in its language (here English, buttons and all): no second box.
    SystemModalSeams answered(&answering_language_box, &plain_box);
    EXPECT_EQ(answered.message_box(nullptr, text::kMenuDelete, text::kConfirmCaption, MB_YESNO, kEnglish), IDNO);
    EXPECT_EQ(language_shown.calls, 2);
    EXPECT_EQ(language_shown.text, L"Delete");
    EXPECT_EQ(language_shown.language, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    EXPECT_EQ(plain_shown.calls, 1);
}

}  // namespace
}  // namespace qb

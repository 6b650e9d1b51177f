#include <gtest/gtest.h>

#include "render/hint_text.h"

namespace qb {
namespace {

using Lines = std::vector<std::string>;

TEST(HintText, EveryHintIsFourLines) {
    EXPECT_EQ(hint_lines(hint_text(HintKind::AddLinks, kRussian)),
              (Lines{"   Для добавления новой ссылки", "достаточно  просто  перетащить", "мышью требуемую папку или файл",
                     "в рабочую область программы."}));
    EXPECT_EQ(hint_lines(hint_text(HintKind::AutorunMissing, kRussian)),
              (Lines{"   На диске не найден файл для", "автозапуска приложения. Зайдите", "в настройки программы для его",
                     "создания."}));
    EXPECT_EQ(hint_lines(hint_text(HintKind::AutorunConfig, kRussian)),
              (Lines{"     Возможно,файл автозапуска", "приложения не настроен. Зайдите", "в настройки приложения для",
                     "устранения возможной ошибки."}));
    EXPECT_EQ(hint_lines(hint_text(HintKind::OldThemes, kRussian)),
              (Lines{"  Возможно, используются старые", "темы оформления. Посетите сайт", "программы   для   загрузки",
                     "новых."}));
    EXPECT_TRUE(hint_text(HintKind::None, kRussian).empty());
    EXPECT_TRUE(hint_lines(hint_text(HintKind::None, kRussian)).empty());
}

TEST(HintText, TextsAreInCodePage1251) {
    // One byte per letter: "Для" is C4 EB FF after the three blanks.
    const std::string_view text = hint_text(HintKind::AddLinks, kRussian);
    ASSERT_GE(text.size(), 6u);
    EXPECT_EQ(text.substr(0, 6), "   \xC4\xEB\xFF");
    EXPECT_EQ(text.size(), 121u);
}

TEST(HintText, SplitsAtEveryTilde) {
    EXPECT_EQ(hint_lines("a~~b"), (Lines{"a", "b"}));
    EXPECT_EQ(hint_lines("~a~"), (Lines{"a"}));
    EXPECT_EQ(hint_lines("  x~ y"), (Lines{"  x", " y"}));
    EXPECT_EQ(hint_lines("abc"), (Lines{"abc"}));
    EXPECT_TRUE(hint_lines("").empty());
    EXPECT_TRUE(hint_lines("~~").empty());
}

}  // namespace
}  // namespace qb

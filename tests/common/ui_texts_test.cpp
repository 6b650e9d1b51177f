// The table of texts: complete in every language, English without a
// Cyrillic letter, the same format placeholders and the same number of
// hint lines at most as the balloon holds, whichever the language.
#include <gtest/gtest.h>

#include <string>

#include "common/code_page_1251.h"
#include "common/ui_texts.h"
#include "render/hint_text.h"

namespace qb {
namespace {

// The printf-style placeholders of a text, in order ("%d", "%s", "%%").
std::string placeholders(std::string_view text) {
    std::string found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%') found += text.substr(i, 2), ++i;
    }
    return found;
}

bool has_cyrillic(std::string_view text) {
    for (char16_t c : utf16_from_1251(text)) {
        if (c >= 0x0400 && c <= 0x04FF) return true;
    }
    return false;
}

TEST(UiTexts, EveryTextIsThereInEveryLanguage) {
    for (int id = 0; id < text::kCount; ++id) {
        const auto text_id = static_cast<text::Id>(id);
        const char* russian = ui_text(text_id, kRussian);
        for (std::size_t column = 0; column < kLanguageCount; ++column) {
            const Language language{static_cast<std::uint8_t>(column)};
            const std::string_view text = ui_text(text_id, language);
            EXPECT_FALSE(text.empty()) << "text " << id << " in " << language_code(language);
            EXPECT_EQ(placeholders(text), placeholders(russian)) << "text " << id << " in " << language_code(language);
            if (language != kRussian) EXPECT_FALSE(has_cyrillic(text)) << "text " << id << ": " << text;
        }
        EXPECT_TRUE(has_cyrillic(russian) || same_in_every_language(text_id) || id == text::kStatusLabelOpens ||
                    id == text::kStatusLabelCloses)
            << "text " << id << " is not Russian: " << russian;
    }
    // A control whose text is alike everywhere (a picture's name) is left
    // alone when the language changes; a real text never is.
    EXPECT_TRUE(same_in_every_language(text::kOptionsLogo));
    EXPECT_FALSE(same_in_every_language(text::kOptionsSave));
}

TEST(UiTexts, HintsFitTheBalloonsFourLinesInEveryLanguage) {
    for (HintKind kind : {HintKind::AddLinks, HintKind::AutorunMissing, HintKind::AutorunConfig, HintKind::OldThemes}) {
        for (Language language : {kRussian, kEnglish}) {
            const std::size_t lines = hint_lines(hint_text(kind, language)).size();
            EXPECT_GE(lines, 1u);
            EXPECT_LE(lines, 4u) << language_code(language);
        }
    }
}

TEST(UiTexts, LanguagesAreFoundByTheirCodes) {
    EXPECT_EQ(language_of_code("ru"), kRussian);
    EXPECT_EQ(language_of_code("EN"), kEnglish);
    EXPECT_EQ(language_of_code("de"), std::nullopt);
    EXPECT_EQ(language_of_code(""), std::nullopt);
    for (std::size_t column = 0; column < kLanguageCount; ++column) {
        const Language language{static_cast<std::uint8_t>(column)};
        EXPECT_EQ(language_of_code(language_code(language)), language);
    }
}

}  // namespace
}  // namespace qb

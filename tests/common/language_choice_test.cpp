// The language choice file and the language of a start without one.
#include <gtest/gtest.h>

#include <string>

#include "common/language_choice.h"

namespace qb {
namespace {

std::optional<Language> read(const std::string& text) {
    return read_language_choice(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(LanguageChoice, AFileNamesOneLanguageOrNone) {
    struct Case {
        std::string file;
        std::optional<Language> read;
    };
    const Case cases[] = {
        {"Language=en\r\n", kEnglish},
        {"  language = EN  ", kEnglish},
        {"[Interface]\nLanguage=ru\n", kRussian},
        {"Language=en\nLanguage=en\n", kEnglish},
        {"\xEF\xBB\xBFLanguage=en\r\n", kEnglish},
        // Damaged or foreign: no choice.
        {"", std::nullopt},
        {"Language=de\n", std::nullopt},
        {"Language=\n", std::nullopt},
        {"Language=ru\nLanguage=en\n", std::nullopt},
        {"; Language=en\n", std::nullopt},
        {"Languag=en\n", std::nullopt},
        {std::string("Lang\0uage=en", 12), std::nullopt},
        {std::string("\xFF\xFEL\0a\0n\0g\0u\0a\0g\0e\0=\0e\0n\0", 24), std::nullopt},
        {"Language=en\n" + std::string(kMaxLanguageChoiceBytes, ' '), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(read(c.file), c.read) << c.file.substr(0, 40);
    for (Language language : {kRussian, kEnglish}) {
        const std::vector<std::uint8_t> bytes = write_language_choice(language);
        EXPECT_EQ(read_language_choice(bytes), language);
        EXPECT_LT(bytes.size(), 200u);
    }
}

TEST(LanguageChoice, AStartWithoutAChoiceKeepsAStickInUseRussian) {
    constexpr std::uint16_t kRussianSystem = 0x19, kUkrainian = 0x22, kBelarusian = 0x23, kKazakh = 0x3F,
                            kEnglishSystem = 0x09, kGerman = 0x07, kJapanese = 0x11;
    struct Case {
        std::optional<Language> chosen;
        bool settings_existed;
        std::uint16_t system;
        Language expected;
    };
    const Case cases[] = {
        {kEnglish, true, kRussianSystem, kEnglish},
        {kRussian, false, kEnglishSystem, kRussian},
        {std::nullopt, true, kEnglishSystem, kRussian},
        {std::nullopt, true, kJapanese, kRussian},
        {std::nullopt, false, kRussianSystem, kRussian},
        {std::nullopt, false, kUkrainian, kRussian},
        {std::nullopt, false, kBelarusian, kRussian},
        {std::nullopt, false, kKazakh, kRussian},
        {std::nullopt, false, kEnglishSystem, kEnglish},
        {std::nullopt, false, kGerman, kEnglish},
        {std::nullopt, false, kJapanese, kEnglish},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(starting_language(c.chosen, c.settings_existed, c.system), c.expected)
            << c.settings_existed << " " << c.system;
    }
}

}  // namespace
}  // namespace qb

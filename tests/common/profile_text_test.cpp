#include <gtest/gtest.h>

#include "common/profile_text.h"

namespace qb {
namespace {

TEST(ProfileText, ReadsValuesAsTheProfileFunctionsDo) {
    const std::string text =
        "open=outside\r\n"
        "[Other]\r\nopen=other\r\n"
        " [ AutoRun ] \r\n"
        "  Open =  \"Программы\\Метка.exe\"  \r\n"
        "icon='x'\n"
        "half=\"quoted\n"
        "empty=\r\n"
        "bare\r\n"
        "[autorun]\r\nopen=second section\r\n";
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"autorun", "open", "Программы\\Метка.exe"},
        {"AUTORUN", "ICON", "x"},
        {"autorun", "half", "\"quoted"},
        {"autorun", "empty", ""},
        {"autorun", "bare", ""},
        {"autorun", "missing", std::nullopt},
        {"other", "open", "other"},
        {"nowhere", "open", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(profile_value(text, c.section, c.key), c.value) << c.section << c.key;
}

TEST(ProfileText, WritingChangesOnlyTheKeysLine) {
    const std::string theme = "; Тема «Осень»\r\n[Colors]\r\nFrame = 1\r\nHeader=2\r\n\r\n[Fonts]\nSize=3";
    const struct {
        const char* section;
        const char* key;
        const char* value;
        std::string expected;
    } cases[] = {
        {"colors", "FRAME", "77", "; Тема «Осень»\r\n[Colors]\r\nFrame=77\r\nHeader=2\r\n\r\n[Fonts]\nSize=3"},
        {"Colors", "Back", "5", "; Тема «Осень»\r\n[Colors]\r\nFrame = 1\r\nHeader=2\r\nBack=5\r\n\r\n[Fonts]\nSize=3"},
        {"Fonts", "Bold", "1", "; Тема «Осень»\r\n[Colors]\r\nFrame = 1\r\nHeader=2\r\n\r\n[Fonts]\nSize=3\r\nBold=1\r\n"},
        {"New", "Key", "Ёж", theme + "\r\n[New]\r\nKey=Ёж\r\n"},
    };
    for (const auto& c : cases) {
        const std::string written = with_profile_value(theme, c.section, c.key, c.value);
        EXPECT_EQ(written, c.expected) << c.key;
        EXPECT_EQ(profile_value(written, c.section, c.key), c.value);
    }
    EXPECT_EQ(with_profile_value("", "autorun", "open", "Я.exe"), "[autorun]\r\nopen=Я.exe\r\n");
}

}  // namespace
}  // namespace qb

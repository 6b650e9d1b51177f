#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

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
        {"other", "icon", std::nullopt},  // only the later section has it
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
        // Missing from its own section, present in a later one: added to its own.
        {"Colors", "Size", "9", "; Тема «Осень»\r\n[Colors]\r\nFrame = 1\r\nHeader=2\r\nSize=9\r\n\r\n[Fonts]\nSize=3"},
    };
    for (const auto& c : cases) {
        const std::string written = with_profile_value(theme, c.section, c.key, c.value);
        EXPECT_EQ(written, c.expected) << c.key;
        EXPECT_EQ(profile_value(written, c.section, c.key), c.value);
    }
    EXPECT_EQ(with_profile_value("", "autorun", "open", "Я.exe"), "[autorun]\r\nopen=Я.exe\r\n");
}

std::vector<std::uint8_t> utf16_bytes(std::u16string_view text, bool big_endian) {
    std::vector<std::uint8_t> bytes = big_endian ? std::vector<std::uint8_t>{0xFE, 0xFF}
                                                 : std::vector<std::uint8_t>{0xFF, 0xFE};
    for (char16_t unit : text) {
        const auto low = static_cast<std::uint8_t>(unit & 0xFF);
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        bytes.push_back(big_endian ? high : low);
        bytes.push_back(big_endian ? low : high);
    }
    return bytes;
}

std::vector<std::uint8_t> marked_utf8_bytes(std::u8string_view text) {
    std::vector<std::uint8_t> bytes{0xEF, 0xBB, 0xBF};
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

std::vector<std::uint8_t> plain_bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(ProfileText, FilesNotepadSavesAsUnicodeOrUtf8AreReadAndKeepTheirEncoding) {
    // Beside the values, text that code page 1251 cannot hold: it stays.
    const struct {
        const char* what;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
    } cases[] = {
        {"UTF-16, little-endian", utf16_bytes(u"; Тема 主题 \U0001F600\r\n[COLORS]\r\nHEADCOLOR_R=10\r\n", false),
         utf16_bytes(u"; Тема 主题 \U0001F600\r\n[COLORS]\r\nHEADCOLOR_R=20\r\n", false)},
        {"UTF-16, big-endian", utf16_bytes(u"[COLORS]\r\nHEADCOLOR_R=10\r\n; 主题", true),
         utf16_bytes(u"[COLORS]\r\nHEADCOLOR_R=20\r\n; 主题", true)},
        {"UTF-8", marked_utf8_bytes(u8"; Тема 主题\r\n[COLORS]\r\nHEADCOLOR_R=10\r\n"),
         marked_utf8_bytes(u8"; Тема 主题\r\n[COLORS]\r\nHEADCOLOR_R=20\r\n")},
        {"code page 1251, no mark", plain_bytes("[COLORS]\nHEADCOLOR_R=10\n\xD2\xE5\xEC\xE0"),
         plain_bytes("[COLORS]\nHEADCOLOR_R=20\n\xD2\xE5\xEC\xE0")},
    };
    for (const auto& c : cases) {
        ProfileFile file = decode_profile_file(c.before);
        EXPECT_EQ(profile_value(file.text, "Colors", "HeadColor_R"), "10") << c.what;
        EXPECT_EQ(encode_profile_file(file), c.before) << c.what << ": read and written unchanged";
        file.text = with_profile_value(file.text, "COLORS", "HEADCOLOR_R", "20");
        EXPECT_EQ(encode_profile_file(file), c.after) << c.what;
    }
    // Torn or odd files come back byte for byte: a lone surrogate and an odd
    // last byte, a lone low surrogate, a mark alone, half a mark.
    const std::vector<std::uint8_t> odd_files[] = {
        {0xFF, 0xFE, 0x00, 0xD8, 0x41, 0x00, 0x7A}, {0xFE, 0xFF, 0xDC, 0x00}, {0xFF, 0xFE}, {0xEF, 0xBB}};
    for (const std::vector<std::uint8_t>& odd : odd_files) EXPECT_EQ(encode_profile_file(decode_profile_file(odd)), odd);
}

}  // namespace
}  // namespace qb

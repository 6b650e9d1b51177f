#include <gtest/gtest.h>
#include <iconv.h>

#include "common/code_page_1251.h"

namespace qb {
namespace {

// The C library's converter is the reference for every defined byte.
std::u16string reference_utf16(std::string_view text) {
    iconv_t convert = iconv_open("UTF-16LE", "CP1251");
    EXPECT_NE(convert, reinterpret_cast<iconv_t>(-1));
    std::string in(text);
    std::string out(text.size() * 4, '\0');
    char* in_at = in.data();
    char* out_at = out.data();
    std::size_t in_left = in.size();
    std::size_t out_left = out.size();
    const std::size_t done = iconv(convert, &in_at, &in_left, &out_at, &out_left);
    iconv_close(convert);
    EXPECT_NE(done, static_cast<std::size_t>(-1));
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < out.size() - out_left + 1; i += 2) {
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(out[i]) |
                                             (static_cast<unsigned char>(out[i + 1]) << 8)));
    }
    return wide;
}

TEST(CodePage1251, EveryByteMatchesTheReferenceAndComesBack) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != 0x98) all.push_back(static_cast<char>(byte));  // the one byte without a character
    }
    EXPECT_EQ(utf16_from_1251(all), reference_utf16(all));
    all.push_back('\x98');
    all.push_back('\0');
    EXPECT_EQ(cp1251_from_utf16(utf16_from_1251(all)), all) << "any stored bytes survive the trip";
    EXPECT_EQ(utf16_from_1251("Программы\\Метка.exe"), u"Программы\\Метка.exe");
}

TEST(CodePage1251, CharactersWithoutAByteAreRefusedNotReplaced) {
    const struct {
        std::u16string text;
        bool holds;
    } cases[] = {
        {u"Отчёт №5 «итог» — 100 € ™", true},
        {u"Résumé.docx", false},
        {u"日本語.txt", false},
        {u"?", true},
        {std::u16string(1, char16_t{0xD83D}), false},  // half a surrogate pair
        {u"", true},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> narrow = cp1251_from_utf16(c.text);
        EXPECT_EQ(narrow.has_value(), c.holds);
        if (narrow) {
            EXPECT_EQ(utf16_from_1251(*narrow), c.text);
        }
    }
}

}  // namespace
}  // namespace qb

#include "common/letter_case.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qb {

namespace {
// Capital and small letters of code page 1251 outside the two plain
// alphabets (Ukrainian, Belarusian, Serbian and Macedonian letters).
constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kExtraLetters{{
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
    {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
}};

bool same_letter(char a, char b) { return fold_case_1251(a) == fold_case_1251(b); }
}  // namespace

char fold_case_1251(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + ('a' - 'A'));
    if (u >= 0xC0 && u <= 0xDF) return static_cast<char>(u + 0x20);  // А to Я
    for (const auto& [capital, small] : kExtraLetters) {
        if (u == capital) return static_cast<char>(small);
    }
    return c;
}

std::string folded(std::string_view text) {
    std::string key(text);
    for (char& c : key) c = fold_case_1251(c);
    return key;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same_letter);
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), same_letter);
}

}  // namespace qb

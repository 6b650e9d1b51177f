#include "theme/theme_catalogue.h"

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
}  // namespace

bool is_theme_folder_entry(std::uint32_t attributes, std::string_view name) {
    return attributes == kDirectoryAttribute && name != "." && name != "..";
}

char fold_case_1251(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + ('a' - 'A'));
    if (u >= 0xC0 && u <= 0xDF) return static_cast<char>(u + 0x20);  // А to Я
    for (const auto& [capital, small] : kExtraLetters) {
        if (u == capital) return static_cast<char>(small);
    }
    return c;
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (fold_case_1251(text[i]) != fold_case_1251(prefix[i])) return false;
    }
    return true;
}

std::optional<std::size_t> find_theme_item(const std::vector<std::string>& items, std::string_view theme_name) {
    if (theme_name.starts_with('\\')) theme_name.remove_prefix(1);
    if (theme_name.empty() || items.empty()) return std::nullopt;
    // The search begins after the first item and wraps round to it last.
    for (std::size_t step = 1; step <= items.size(); ++step) {
        const std::size_t index = step % items.size();
        if (starts_with_ignoring_case(items[index], theme_name)) return index;
    }
    return std::nullopt;
}

}  // namespace qb

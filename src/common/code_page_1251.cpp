#include "common/code_page_1251.h"

#include <array>
#include <cstdint>

namespace qb {

namespace {

// Bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order.
constexpr std::array<char16_t, 64> kUpperHalf = {
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021',  // 80
    u'\u20AC', u'\u2030', u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F',  // 88
    u'\u0452', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',  // 90
    u'\u0098', u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C', u'\u045B', u'\u045F',  // 98
    u'\u00A0', u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7',  // A0
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407',  // A8
    u'\u00B0', u'\u00B1', u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7',  // B0
    u'\u0451', u'\u2116', u'\u0454', u'\u00BB', u'\u0458', u'\u0405', u'\u0455', u'\u0457',  // B8
};

constexpr char16_t kFirstLetter = u'\u0410';
constexpr char16_t kLastLetter = u'\u044F';

std::optional<char> byte_of(char16_t c) {
    if (c < 0x80) return static_cast<char>(c);
    if (c >= kFirstLetter && c <= kLastLetter) return static_cast<char>(0xC0 + (c - kFirstLetter));
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == c) return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

}  // namespace

std::u16string utf16_from_1251(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x80) {
            wide.push_back(byte);
        } else if (byte < 0xC0) {
            wide.push_back(kUpperHalf[byte - 0x80]);
        } else {
            wide.push_back(static_cast<char16_t>(kFirstLetter + (byte - 0xC0)));
        }
    }
    return wide;
}

std::optional<std::string> cp1251_from_utf16(std::u16string_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t c : text) {
        const std::optional<char> byte = byte_of(c);
        if (!byte) return std::nullopt;
        narrow.push_back(*byte);
    }
    return narrow;
}

}  // namespace qb

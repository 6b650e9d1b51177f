#pragma once
// Colours as 32-bit COLORREF values: red in the low byte, then green, blue.
#include <cstdint>

namespace qb {

using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>(static_cast<std::uint8_t>(r)) |
           (static_cast<Color>(static_cast<std::uint8_t>(g)) << 8) |
           (static_cast<Color>(static_cast<std::uint8_t>(b)) << 16);
}
constexpr int red_of(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int green_of(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blue_of(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Color kBlack = rgb(0, 0, 0);
inline constexpr Color kWhite = rgb(255, 255, 255);
// Pixels of this colour are not drawn in pictures loaded from files.
inline constexpr Color kMagenta = rgb(255, 0, 255);

}  // namespace qb

#include "theme/theme_values.h"

#include <algorithm>
#include <cctype>
#include <limits>


namespace qb {

namespace {
using F = ThemeField;
constexpr int kValueBuffer = 255;
constexpr int kDoubleFontBuffer = 3;  // so only the first two characters count
}  // namespace

const std::array<ThemeKey, 14> kThemeKeys = {{
    {"COLORS", "FORMCOLOR_R", F::Frame, 0, "127", kValueBuffer},
    {"COLORS", "FORMCOLOR_G", F::Frame, 1, "127", kValueBuffer},
    {"COLORS", "FORMCOLOR_B", F::Frame, 2, "127", kValueBuffer},
    {"COLORS", "BCGRCOLOR_R", F::Background, 0, "127", kValueBuffer},
    {"COLORS", "BCGRCOLOR_G", F::Background, 1, "127", kValueBuffer},
    {"COLORS", "BCGRCOLOR_B", F::Background, 2, "127", kValueBuffer},
    {"COLORS", "HEADCOLOR_R", F::Header, 0, "127", kValueBuffer},
    {"COLORS", "HEADCOLOR_G", F::Header, 1, "127", kValueBuffer},
    {"COLORS", "HEADCOLOR_B", F::Header, 2, "127", kValueBuffer},
    {"COLORS", "HEADFONTCOLOR_R", F::Font, 0, "127", kValueBuffer},
    {"COLORS", "HEADFONTCOLOR_G", F::Font, 1, "127", kValueBuffer},
    {"COLORS", "HEADFONTCOLOR_B", F::Font, 2, "127", kValueBuffer},
    {"OTHER", "BG_FILLTYPE", F::FillType, -1, "3", kValueBuffer},
    {"OTHER", "USEDBLFONT", F::DoubleFont, -1, "-1", kDoubleFontBuffer},
}};

std::int32_t c_decimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min(value, kLimit - 1));
}

namespace {

Color* colour_of(ThemeColors& colors, ThemeField field) {
    switch (field) {
        case F::Frame: return &colors.frame_color;
        case F::Background: return &colors.background_color;
        case F::Header: return &colors.header_color;
        case F::Font: return &colors.font_color;
        default: return nullptr;
    }
}

}  // namespace

bool apply_theme_value(ThemeColors& colors, const ThemeKey& key, std::string_view text) {
    // The profile functions return at most buffer - 1 characters.
    if (text.size() > static_cast<std::size_t>(key.read_buffer - 1)) text = text.substr(0, key.read_buffer - 1);
    const std::int32_t number = c_decimal(text);
    if (Color* colour = colour_of(colors, key.field)) {
        const int shift = 8 * key.channel;
        *colour = (*colour & ~(Color{0xFF} << shift)) | (Color{static_cast<std::uint8_t>(number)} << shift);
        return false;
    }
    if (key.field == F::FillType) {
        colors.fill_type = static_cast<std::int8_t>(static_cast<std::uint8_t>(number));
        return false;
    }
    // USEDBLFONT: a negative value marks an old theme and counts as 1.
    const bool old = number < 0;
    colors.double_font = (old ? 1 : number) == 1;
    return old;
}

std::string theme_value_text(const ThemeColors& colors, const ThemeKey& key) {
    ThemeColors copy = colors;
    if (Color* colour = colour_of(copy, key.field)) return std::to_string((*colour >> (8 * key.channel)) & 0xFF);
    if (key.field == F::FillType) return std::to_string(int{colors.fill_type});
    return colors.double_font ? "1" : "0";
}

}  // namespace qb

#pragma once
// The colours and switches of the current theme, and the rules by which
// the text values of Theme.ini become them. One key table serves the
// reader and the writer.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/color.h"

namespace qb {

struct ThemeColors {
    Color frame_color = rgb(127, 127, 127);
    Color background_color = rgb(127, 127, 127);
    Color header_color = rgb(127, 127, 127);
    Color font_color = rgb(255, 255, 255);
    bool double_font = true;
    std::int8_t fill_type = 3;
};

// What a colour key sets.
enum class ThemeField { Frame, Background, Header, Font, FillType, DoubleFont };

struct ThemeKey {
    const char* section;
    const char* name;
    ThemeField field;
    int channel;  // 0 red, 1 green, 2 blue; -1 for the two OTHER keys
    const char* read_default;
    int read_buffer;  // characters, terminator included
};

// All fourteen keys in file order.
extern const std::array<ThemeKey, 14> kThemeKeys;

// The C library's decimal conversion: leading blanks and a sign, digits
// up to the first non-digit, 0 without digits; saturates instead of
// overflowing.
std::int32_t c_decimal(std::string_view text);

// Applies one key's text to the colours; returns true when the key asked
// for the old-theme flag (a negative USEDBLFONT).
bool apply_theme_value(ThemeColors& colors, const ThemeKey& key, std::string_view text);

// The text written for a key.
std::string theme_value_text(const ThemeColors& colors, const ThemeKey& key);

}  // namespace qb

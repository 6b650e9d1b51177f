// Theme.ini comes from a removable drive and its values may be any text.
// The value rules must take each without fault, agree with the C
// library's conversion, and read back what they write.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "theme/theme_values.h"

namespace {

using namespace qb;

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// strtol as a 32-bit long has it: what the profile text converts to.
std::int32_t reference_decimal(std::string_view text) {
    const std::string copy(text);  // ends at an embedded zero, as the profile's text does
    const long long value = std::strtoll(copy.c_str(), nullptr, 10);
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::uint8_t channel(Color c, int index) { return static_cast<std::uint8_t>(c >> (8 * index)); }

Color colour_of(const ThemeColors& colors, ThemeField field) {
    switch (field) {
        case ThemeField::Frame: return colors.frame_color;
        case ThemeField::Background: return colors.background_color;
        case ThemeField::Header: return colors.header_color;
        default: return colors.font_color;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One value per line, in key order, as many as there are lines.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ThemeColors colors;
    std::size_t start = 0;
    for (const ThemeKey& key : kThemeKeys) {
        if (start > input.size()) break;
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view value = input.substr(start, end - start);
        start = end + 1;

        const ThemeColors before = colors;
        const bool old = apply_theme_value(colors, key, value);
        // The profile functions hand over at most buffer - 1 characters.
        const std::string_view seen = value.substr(0, static_cast<std::size_t>(key.read_buffer - 1));
        const std::int32_t number = reference_decimal(seen);
        check(c_decimal(seen) == number);
        switch (key.field) {
            case ThemeField::FillType:
                check(!old && colors.fill_type == static_cast<std::int8_t>(static_cast<std::uint8_t>(number)));
                break;
            case ThemeField::DoubleFont:
                check(old == (number < 0));
                check(colors.double_font == (number < 0 || number == 1));
                break;
            default: {
                check(!old);
                const Color now = colour_of(colors, key.field);
                const Color was = colour_of(before, key.field);
                for (int i = 0; i < 3; ++i) {
                    check(channel(now, i) == (i == key.channel ? static_cast<std::uint8_t>(number) : channel(was, i)));
                }
                check((now >> 24) == (was >> 24));
            }
        }
    }

    // What is written reads back to the same theme, and never as an old one.
    ThemeColors reread;
    reread.frame_color = reread.background_color = reread.header_color = reread.font_color = 0;
    reread.double_font = !colors.double_font;
    reread.fill_type = static_cast<std::int8_t>(colors.fill_type + 1);
    for (const ThemeKey& key : kThemeKeys) check(!apply_theme_value(reread, key, theme_value_text(colors, key)));
    check(reread.frame_color == (colors.frame_color & 0xFFFFFF));
    check(reread.background_color == (colors.background_color & 0xFFFFFF));
    check(reread.header_color == (colors.header_color & 0xFFFFFF));
    check(reread.font_color == (colors.font_color & 0xFFFFFF));
    check(reread.fill_type == colors.fill_type && reread.double_font == colors.double_font);
    return 0;
}

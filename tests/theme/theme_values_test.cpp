#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "common/program_location.h"
#include "theme/theme_values.h"

namespace qb {
namespace {

const ThemeKey& key(std::string_view name) {
    for (const ThemeKey& k : kThemeKeys) {
        if (name == k.name) return k;
    }
    ADD_FAILURE() << "no key " << name;
    return kThemeKeys[0];
}

void expect_same(const ThemeColors& a, const ThemeColors& b) {
    EXPECT_EQ(a.frame_color, b.frame_color);
    EXPECT_EQ(a.background_color, b.background_color);
    EXPECT_EQ(a.header_color, b.header_color);
    EXPECT_EQ(a.font_color, b.font_color);
    EXPECT_EQ(a.double_font, b.double_font);
    EXPECT_EQ(a.fill_type, b.fill_type);
}

TEST(ThemeValues, KeysInFileOrder) {
    const char* names[] = {"FORMCOLOR_R", "FORMCOLOR_G",     "FORMCOLOR_B",     "BCGRCOLOR_R",     "BCGRCOLOR_G",
                           "BCGRCOLOR_B", "HEADCOLOR_R",     "HEADCOLOR_G",     "HEADCOLOR_B",     "HEADFONTCOLOR_R",
                           "HEADFONTCOLOR_G", "HEADFONTCOLOR_B", "BG_FILLTYPE", "USEDBLFONT"};
    for (std::size_t i = 0; i < kThemeKeys.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_STREQ(kThemeKeys[i].name, names[i]);
        EXPECT_STREQ(kThemeKeys[i].section, i < 12 ? "COLORS" : "OTHER");
    }
    EXPECT_STREQ(key("HEADFONTCOLOR_B").read_default, "127");
    EXPECT_STREQ(key("BG_FILLTYPE").read_default, "3");
    EXPECT_STREQ(key("USEDBLFONT").read_default, "-1");
    EXPECT_EQ(key("USEDBLFONT").read_buffer, 3);
    EXPECT_EQ(key("FORMCOLOR_R").read_buffer, 255);
}

TEST(ThemeValues, DecimalConversionAsTheCLibraryDoes) {
    EXPECT_EQ(c_decimal("  12xyz"), 12);
    EXPECT_EQ(c_decimal("\t+7"), 7);
    EXPECT_EQ(c_decimal("-1"), -1);
    EXPECT_EQ(c_decimal("abc"), 0);
    EXPECT_EQ(c_decimal("- 5"), 0);
    EXPECT_EQ(c_decimal("99999999999"), 2147483647);
    EXPECT_EQ(c_decimal("-99999999999"), -2147483647 - 1);
}

TEST(ThemeValues, ColourChannelsKeepTheLowByte) {
    ThemeColors colors;  // all channels 127, text white
    EXPECT_FALSE(apply_theme_value(colors, key("FORMCOLOR_R"), "300"));
    EXPECT_EQ(colors.frame_color, rgb(44, 127, 127));
    apply_theme_value(colors, key("FORMCOLOR_G"), "-1");
    apply_theme_value(colors, key("FORMCOLOR_B"), "256");
    EXPECT_EQ(colors.frame_color, rgb(44, 255, 0));
    apply_theme_value(colors, key("HEADCOLOR_B"), "abc");
    EXPECT_EQ(colors.header_color, rgb(127, 127, 0));
    apply_theme_value(colors, key("BCGRCOLOR_G"), "  12xyz");
    EXPECT_EQ(colors.background_color, rgb(127, 12, 127));
    apply_theme_value(colors, key("HEADFONTCOLOR_R"), "0");
    EXPECT_EQ(colors.font_color, rgb(0, 255, 255));
    EXPECT_EQ(colors.fill_type, 3);
}

TEST(ThemeValues, FillTypeIsASignedByte) {
    const std::pair<const char*, int> cases[] = {{"255", -1}, {"3", 3}, {"258", 2}, {"-2", -2}, {"0", 0}};
    ThemeColors colors;
    for (auto [text, fill] : cases) {
        apply_theme_value(colors, key("BG_FILLTYPE"), text);
        EXPECT_EQ(colors.fill_type, fill) << text;
    }
    EXPECT_EQ(colors.frame_color, rgb(127, 127, 127));
}

TEST(ThemeValues, DoubleFontIsOnlyOneAndNegativeMeansOld) {
    struct Case {
        const char* text;
        bool double_font;
        bool old;
    };
    // Read through a 3-character buffer: only two characters count.
    const Case cases[] = {{"123", false, false}, {"-1", true, true}, {"0", false, false}, {"1", true, false},
                          {"2", false, false},   {"-7", true, true}, {"  1", false, false}, {"1x", true, false}};
    ThemeColors colors;
    for (const Case& c : cases) {
        colors.double_font = !c.double_font;
        EXPECT_EQ(apply_theme_value(colors, key("USEDBLFONT"), c.text), c.old) << c.text;
        EXPECT_EQ(colors.double_font, c.double_font) << c.text;
    }
}

TEST(ThemeValues, MissingKeysGiveTheDefaults) {
    ThemeColors colors;
    colors.frame_color = rgb(1, 2, 3);
    colors.font_color = rgb(9, 9, 9);
    colors.double_font = false;
    colors.fill_type = 0;
    bool old = false;
    for (const ThemeKey& k : kThemeKeys) old = apply_theme_value(colors, k, k.read_default) || old;
    EXPECT_TRUE(old);
    EXPECT_EQ(colors.frame_color, rgb(127, 127, 127));
    EXPECT_EQ(colors.background_color, rgb(127, 127, 127));
    EXPECT_EQ(colors.header_color, rgb(127, 127, 127));
    EXPECT_EQ(colors.font_color, rgb(127, 127, 127));  // the text too, unlike before any read
    EXPECT_EQ(colors.fill_type, 3);
    EXPECT_TRUE(colors.double_font);
}

TEST(ThemeValues, WrittenTexts) {
    ThemeColors colors;
    colors.frame_color = rgb(1, 2, 3);
    colors.background_color = rgb(40, 50, 60);
    colors.header_color = rgb(255, 0, 128);
    colors.font_color = rgb(7, 8, 9);
    colors.fill_type = -1;
    colors.double_font = false;
    const char* expected[] = {"1", "2", "3", "40", "50", "60", "255", "0", "128", "7", "8", "9", "-1", "0"};
    for (std::size_t i = 0; i < kThemeKeys.size(); ++i) {
        EXPECT_EQ(theme_value_text(colors, kThemeKeys[i]), expected[i]) << kThemeKeys[i].name;
    }
    colors.double_font = true;
    colors.fill_type = 2;
    EXPECT_EQ(theme_value_text(colors, key("USEDBLFONT")), "1");
    EXPECT_EQ(theme_value_text(colors, key("BG_FILLTYPE")), "2");
}

TEST(ThemeValues, WhatIsWrittenReadsBackTheSame) {
    for (int v = 0; v <= 255; ++v) {
        SCOPED_TRACE(v);
        ThemeColors written;
        written.frame_color = rgb(v, 255 - v, (v * 7) % 256);
        written.background_color = rgb((v + 1) % 256, v, 0);
        written.header_color = rgb(255, v, (v + 128) % 256);
        written.font_color = rgb(v, v, v);
        written.fill_type = static_cast<std::int8_t>(v % 4);
        written.double_font = v % 2 == 0;

        ThemeColors read;
        read.frame_color = read.background_color = read.header_color = read.font_color = rgb(13, 13, 13);
        read.fill_type = 9;
        read.double_font = !written.double_font;
        bool old = false;
        for (const ThemeKey& k : kThemeKeys) old = apply_theme_value(read, k, theme_value_text(written, k)) || old;
        EXPECT_FALSE(old);  // a written theme is never an old one
        expect_same(read, written);
    }
}

TEST(ThemeValues, ThemeFolderIsBesideTheProgram) {
    const ProgramLocation location{"E:\\Quill", "E:\\"};
    EXPECT_EQ(location.theme_folder("\\MAINTHEME"), "E:\\Quill\\Data\\MAINTHEME");
}

}  // namespace
}  // namespace qb

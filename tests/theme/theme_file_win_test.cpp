// Theme.ini on the test drive, read and written as the program does.
#include <gtest/gtest.h>

#include "support/test_support_win.h"
#include "theme/theme_file_win.h"
#include "theme/theme_values.h"

namespace qb {
namespace {

using namespace qb::test;

class ThemeFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_folder(kTestDrive, "theme");
        CreateDirectoryA((folder_ + "\\Data").c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\Data\\MAINTHEME").c_str(), nullptr);
        location_ = location_in(folder_);
        ini_ = folder_ + "\\Data\\MAINTHEME\\Theme.ini";
    }
    std::string theme_folder() const { return location_.theme_folder(theme_name); }
    void read_theme() {
        if (qb::read_theme(theme_folder(), theme_colors)) old_theme = true;
    }
    bool write_theme() const { return qb::write_theme(theme_folder(), theme_colors); }

    std::string folder_;
    std::string ini_;
    ProgramLocation location_;
    std::string theme_name = "\\MAINTHEME";
    ThemeColors theme_colors;
    bool old_theme = false;
};

TEST_F(ThemeFile, WrittenColoursReadBackForEveryChannelValue) {
    write_text(ini_, "[EXTRA]\r\nAUTHOR=someone\r\n");
    for (int v = 0; v < 256; ++v) {
        ThemeColors written;
        written.frame_color = rgb(v, 255 - v, (v * 7) & 0xFF);
        written.background_color = rgb((v + 1) & 0xFF, (v * 3) & 0xFF, 255 - ((v + 2) & 0xFF));
        written.header_color = rgb((v + 2) & 0xFF, v / 2, (v * 5) & 0xFF);
        written.font_color = rgb(255 - v, (v + 128) & 0xFF, v);
        written.fill_type = static_cast<std::int8_t>(v % 4);
        written.double_font = v % 2 == 0;
        theme_colors = written;
        ASSERT_TRUE(write_theme());
        theme_colors = ThemeColors{};
        theme_colors.frame_color = rgb(1, 2, 3);
        read_theme();
        EXPECT_EQ(theme_colors.frame_color, written.frame_color) << v;
        EXPECT_EQ(theme_colors.background_color, written.background_color) << v;
        EXPECT_EQ(theme_colors.header_color, written.header_color) << v;
        EXPECT_EQ(theme_colors.font_color, written.font_color) << v;
        EXPECT_EQ(theme_colors.fill_type, written.fill_type) << v;
        EXPECT_EQ(theme_colors.double_font, written.double_font) << v;
    }
    EXPECT_FALSE(old_theme) << "a written theme is not an old one";
    // Keys the program does not own stay in the file.
    char author[32] = {};
    GetPrivateProfileStringA("EXTRA", "AUTHOR", "", author, sizeof author, ini_.c_str());
    EXPECT_STREQ(author, "someone");
    EXPECT_EQ(GetFileAttributesA((ini_ + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(theme_file_path(theme_folder()), ini_);
}

TEST_F(ThemeFile, ReadingRulesOfTheValues) {
    write_text(ini_,
               "[COLORS]\r\nFORMCOLOR_R=300\r\nFORMCOLOR_G=-1\r\nFORMCOLOR_B= 7x\r\nHEADCOLOR_B=abc\r\n"
               "[OTHER]\r\nUSEDBLFONT=123\r\nBG_FILLTYPE=255\r\n");
    read_theme();
    EXPECT_EQ(theme_colors.frame_color, rgb(44, 255, 7));
    EXPECT_EQ(blue_of(theme_colors.header_color), 0);
    EXPECT_EQ(red_of(theme_colors.header_color), 127) << "a missing key reads as 127";
    EXPECT_EQ(theme_colors.font_color, rgb(127, 127, 127));
    EXPECT_FALSE(theme_colors.double_font) << "123 is read as 12";
    EXPECT_EQ(theme_colors.fill_type, -1);
    EXPECT_FALSE(old_theme);
}

TEST_F(ThemeFile, AThemeWithoutItsSwitchesIsAnOldOne) {
    write_text(ini_, "[COLORS]\r\nBCGRCOLOR_R=10\r\n");
    read_theme();
    EXPECT_EQ(theme_colors.fill_type, 3);
    EXPECT_TRUE(theme_colors.double_font);
    EXPECT_TRUE(old_theme);
    EXPECT_EQ(red_of(theme_colors.background_color), 10);

    // A missing file reads as all defaults, the text colour too.
    DeleteFileA(ini_.c_str());
    old_theme = false;
    theme_colors.font_color = kWhite;
    read_theme();
    EXPECT_EQ(theme_colors.font_color, rgb(127, 127, 127));
    EXPECT_TRUE(old_theme);
}

TEST_F(ThemeFile, NothingIsWrittenWithoutTheThemeFolder) {
    theme_name = "\\NOSUCHTHEME";
    EXPECT_FALSE(write_theme());
    EXPECT_EQ(GetFileAttributesA((folder_ + "\\Data\\NOSUCHTHEME").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Theme.ini keeps the bytes a Russian Windows writes, whatever the
// system's own code page: the program's keys change, nothing else does.
TEST(ThemeFileAnyLanguage, CyrillicThemeFolderAndForeignSectionKeepTheirBytes) {
    const std::string theme = fresh_folder(kTestDrive, "Тема зимняя");
    const std::string ini = theme + "\\Theme.ini";
    const std::string others = "; Автор: Иван Петров\r\n[ОПИСАНИЕ]\r\nНазвание = \"Зима в лесу\"\r\n";
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"", "[COLORS]\r\nFORMCOLOR_R=127\r\nFORMCOLOR_G=127\r\n"},
        {"[COLORS]\r\nHEADCOLOR_R = 5\r\n", "[COLORS]\r\nHEADCOLOR_R=10\r\n"},
    };
    for (const Case& c : cases) {
        write_text(ini, others + c.before);
        ThemeColors colors;
        colors.header_color = rgb(10, 20, 30);
        colors.fill_type = 2;
        colors.double_font = false;
        ASSERT_TRUE(write_theme(theme, colors));
        const std::vector<std::uint8_t> bytes = read_bytes(ini);
        const std::string written(bytes.begin(), bytes.end());
        ASSERT_EQ(written.rfind(others, 0), 0u) << "the other lines stay byte for byte:\n" << written;
        const std::string keys = written.substr(others.size());
        EXPECT_EQ(keys.rfind(c.after, 0), 0u) << keys;
        for (const char* line : {"HEADCOLOR_G=20\r\n", "HEADCOLOR_B=30\r\n", "[OTHER]\r\n", "BG_FILLTYPE=2\r\n",
                                 "USEDBLFONT=0\r\n"}) {
            EXPECT_NE(keys.find(line), std::string::npos) << line;
        }
        ThemeColors read;
        EXPECT_FALSE(read_theme(theme, read));
        EXPECT_EQ(read.header_color, colors.header_color);
        EXPECT_EQ(read.fill_type, 2);
        EXPECT_FALSE(read.double_font);
    }
}

}  // namespace
}  // namespace qb

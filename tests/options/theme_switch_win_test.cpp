// Switching themes while the program runs: from the options window's
// theme list, and apply_theme itself on what it must keep and what it
// must leave alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "autorun/autorun_state.h"
#include "mainwindow/main_window_win.h"
#include "options/options_test_support_win.h"
#include "options/options_window_win.h"
#include "options/theme_switch_win.h"
#include "render/shading.h"
#include "theme/theme_file_win.h"

namespace qb {
namespace {

using namespace qb::test;

std::vector<Color> file_pixels(const std::string& path) {
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    return bitmap ? bitmap_pixels(bitmap.get()) : std::vector<Color>{};
}

class ThemeSwitch : public OptionsTest {
protected:
    void SetUp() override {
        OptionsTest::SetUp();
        // The second theme differs from the first in every value the
        // window shows.
        const std::string ini = theme_file("GRAPHITE");
        WritePrivateProfileStringA("OTHER", "USEDBLFONT", "0", ini.c_str());
        WritePrivateProfileStringA("OTHER", "BG_FILLTYPE", "1", ini.c_str());
        for (const auto& [key, value] : {std::pair{"HEADCOLOR_R", "60"}, {"HEADCOLOR_G", "70"}, {"HEADCOLOR_B", "80"}}) {
            WritePrivateProfileStringA("COLORS", key, value, ini.c_str());
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
        read_theme(theme_folder("GRAPHITE"), graphite_);
        read_theme(theme_folder("MAINTHEME"), main_theme_);
        ASSERT_NE(graphite_.header_color, main_theme_.header_color);
        ASSERT_FALSE(graphite_.double_font);
        ASSERT_EQ(graphite_.fill_type, 1);
    }
    ThemeColors graphite_;
    ThemeColors main_theme_;
};

TEST_F(ThemeSwitch, ChosenThemeUpdatesTheWindowTheSkinAndAutorunFile) {
    ASSERT_EQ(GetFileAttributesA(kAutorunPath), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(run([&](HWND main) {
        HWND options = open_options(main);
        ASSERT_NE(options, nullptr);
        SetWindowPos(options, nullptr, 0, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        choose_page(options, 2);
        ASSERT_EQ(SendDlgItemMessageA(options, 10037, BM_GETCHECK, 0, 0), BST_CHECKED);
        ASSERT_EQ(SendDlgItemMessageA(options, 10040, CB_GETCURSEL, 0, 0), 3);
        const std::size_t cached = state().bitmaps.size();
        const std::vector<Color> old_composed =
            bitmap_pixels(state().bitmaps.find("BackGroundRESIZED")->bitmap.get());

        // A double click or a focus change of the list switches nothing.
        command(options, 10038, LBN_DBLCLK);
        EXPECT_EQ(state().settings.theme_name, "\\MAINTHEME");

        choose_theme(options, "GRAPHITE");
        EXPECT_EQ(state().settings.theme_name, "\\GRAPHITE");
        EXPECT_TRUE(state().changes.theme_changed) << "the name is saved at shutdown";
        EXPECT_FALSE(state().changes.theme_colors_changed) << "the new theme's file needs no writing";
        EXPECT_EQ(state().theme.header_color, graphite_.header_color);
        EXPECT_EQ(state().theme.font_color, graphite_.font_color);
        EXPECT_EQ(state().theme.frame_color, graphite_.frame_color);
        EXPECT_EQ(state().theme.background_color, graphite_.background_color);

        // The window's controls follow the new theme.
        EXPECT_EQ(SendDlgItemMessageA(options, 10037, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(SendDlgItemMessageA(options, 10040, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(middle_pixel(GetDlgItem(options, 10042)), graphite_.header_color);
        EXPECT_EQ(middle_pixel(GetDlgItem(options, 10044)), graphite_.font_color);
        EXPECT_EQ(middle_pixel(GetDlgItem(options, 10046)), graphite_.frame_color);
        EXPECT_EQ(middle_pixel(GetDlgItem(options, 10048)), graphite_.background_color);

        // The skin pictures are the new theme's, composed afresh.
        EXPECT_EQ(bitmap_pixels(state().bitmaps.bitmap_of("BackGround")),
                  file_pixels(theme_folder("GRAPHITE") + "\\Background.bmp"));
        EXPECT_EQ(bitmap_pixels(state().bitmaps.bitmap_of("RightSide")),
                  file_pixels(theme_folder("GRAPHITE") + "\\Right.bmp"));
        EXPECT_EQ(bitmap_pixels(state().bitmaps.bitmap_of("CloseButton")),
                  file_pixels(theme_folder("GRAPHITE") + "\\CloseButton.bmp"));
        EXPECT_EQ(bitmap_pixels(state().bitmaps.bitmap_of("OptButton")),
                  file_pixels(theme_folder("GRAPHITE") + "\\OptButton.bmp"));
        EXPECT_EQ(state().bitmaps.size(), cached) << "replaced, not added beside the old ones";
        EXPECT_NE(bitmap_pixels(state().bitmaps.find("BackGroundRESIZED")->bitmap.get()), old_composed);

        // The main window shows it at once.
        // Worked out by hand: the header colour 60, 70, 80 lightened by 18 %
        // in row 5 of a 25-pixel header.
        ASSERT_EQ(state().header_height, 25);
        WindowDc dc(main);
        EXPECT_EQ(GetPixel(dc.get(), 5, 5), RGB(95, 103, 112));

        // autorun.inf was made, silently, with the new theme's icon.
        EXPECT_TRUE(seams().boxes.empty());
        const std::string autorun = text_of(read_bytes(kAutorunPath));
        EXPECT_NE(autorun.find("Icon=options\\Data\\GRAPHITE\\icon.ico\r\n"), std::string::npos) << autorun;

        // And back: the list shows the current theme.
        choose_page(options, 0);
        choose_page(options, 2);
        HWND list = GetDlgItem(options, 10038);
        char selected[64] = {};
        SendMessageA(list, LB_GETTEXT, SendMessageA(list, LB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(selected));
        EXPECT_STREQ(selected, "GRAPHITE");
    }), 0);

    // At the next start the program comes up in the new theme.
    program_ = std::make_unique<TestProgram>(folder_);
    EXPECT_EQ(run([&](HWND) {
        EXPECT_EQ(state().settings.theme_name, "\\GRAPHITE");
        EXPECT_EQ(state().theme.header_color, graphite_.header_color);
    }), 0);
}

// Colour edits not yet written belong to the theme being left: read over
// by the new theme's values, they would be lost.
TEST_F(ThemeSwitch, ColourEditsGoToTheThemeBeingLeft) {
    const std::vector<std::uint8_t> graphite_file = read_bytes(theme_file("GRAPHITE"));
    const Color edited = rgb(250, 20, 120);
    EXPECT_EQ(run([&](HWND main) {
        HWND options = open_options(main);
        ASSERT_NE(options, nullptr);
        choose_page(options, 2);
        seams().color_answer = edited;
        command(options, 10044);
        ASSERT_TRUE(state().changes.theme_colors_changed);

        choose_theme(options, "GRAPHITE");
        EXPECT_FALSE(state().changes.theme_colors_changed);
        EXPECT_EQ(state().theme.font_color, graphite_.font_color);
        ThemeColors left;
        read_theme(theme_folder("MAINTHEME"), left);
        EXPECT_EQ(left.font_color, edited) << "written before the switch";
        EXPECT_EQ(left.header_color, main_theme_.header_color);
    }), 0);
    EXPECT_EQ(read_bytes(theme_file("GRAPHITE")), graphite_file) << "the new theme's file is not rewritten at exit";
}

// Edits that cannot be written to the theme they belong to keep it: the
// switch is refused and the user told, so nothing is lost.
TEST_F(ThemeSwitch, EditsThatCannotBeWrittenKeepTheirTheme) {
    const Color edited = rgb(250, 20, 120);
    const std::string ini = theme_file("MAINTHEME");
    EXPECT_EQ(run([&](HWND main) {
        HWND options = open_options(main);
        ASSERT_NE(options, nullptr);
        choose_page(options, 2);
        seams().color_answer = edited;
        command(options, 10044);
        // A folder where Theme.ini should be: the file cannot be replaced.
        DeleteFileA(ini.c_str());
        ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
        choose_theme(options, "GRAPHITE");
        EXPECT_EQ(state().settings.theme_name, "\\MAINTHEME");
        EXPECT_FALSE(state().changes.theme_changed);
        EXPECT_TRUE(state().changes.theme_colors_changed) << "the edits stay pending";
        EXPECT_EQ(state().theme.font_color, edited);
        ASSERT_EQ(seams().boxes.size(), 1u);
        EXPECT_EQ(seams().boxes[0].text, "Невозможно сохранить цвета темы");
        EXPECT_EQ(seams().boxes[0].caption, "Ошибка");
        HWND list = GetDlgItem(options, 10038);
        char selected[64] = {};
        SendMessageA(list, LB_GETTEXT, SendMessageA(list, LB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(selected));
        EXPECT_STREQ(selected, "MAINTHEME") << "the list shows the theme still in use";
        RemoveDirectoryA(ini.c_str());
    }), 0);
}

// A switch must not replace an autorun.inf the user wrote, without a word.
TEST_F(ThemeSwitch, AutorunFileIsRewrittenOnlyWhenMissingOrTheProgramsOwn) {
    const std::string foreign = "[autorun]\r\nopen=other.exe\r\nicon=other.ico\r\n";
    write_text(kAutorunPath, foreign);
    SetFileAttributesA(kAutorunPath, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(run([&](HWND) {
        state().autorun_state = kAutorunForeign;
        apply_theme(state(), "GRAPHITE");
        EXPECT_EQ(state().settings.theme_name, "\\GRAPHITE");
        EXPECT_EQ(text_of(read_bytes(kAutorunPath)), foreign) << "the user's own file stays";
        EXPECT_TRUE(GetFileAttributesA(kAutorunPath) & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(state().autorun_state, kAutorunForeign) << "and is still reported";
        EXPECT_TRUE(seams().boxes.empty());

        // The program's own file follows the theme.
        SetFileAttributesA(kAutorunPath, FILE_ATTRIBUTE_NORMAL);
        write_text(kAutorunPath, ";QUILLOBRANTE\r\n[AutoRun]\r\nshellexecute=options\\data.dll\r\nIcon=x\r\n");
        state().autorun_state = kAutorunWrongTarget;
        apply_theme(state(), "MAINTHEME");
        std::string own = text_of(read_bytes(kAutorunPath));
        EXPECT_NE(own.find("Icon=options\\Data\\MAINTHEME\\icon.ico\r\n"), std::string::npos) << own;
        EXPECT_EQ(state().autorun_state, 0);

        // No file: made.
        remove_autorun_entries();
        apply_theme(state(), "GRAPHITE");
        own = text_of(read_bytes(kAutorunPath));
        EXPECT_EQ(own.substr(0, 15), ";QUILLOBRANTE\r\n");
        EXPECT_NE(own.find("Icon=options\\Data\\GRAPHITE\\icon.ico\r\n"), std::string::npos) << own;
        EXPECT_TRUE(seams().boxes.empty());
    }), 0);
}

TEST_F(ThemeSwitch, FolderWithoutThemeFileGivesTheDefaultColours) {
    ASSERT_TRUE(CreateDirectoryA(theme_folder("BARE").c_str(), nullptr));
    EXPECT_EQ(run([&](HWND) {
        ASSERT_FALSE(state().old_theme);
        apply_theme(state(), "BARE");
        EXPECT_EQ(state().settings.theme_name, "\\BARE");
        for (Color c : {state().theme.frame_color, state().theme.background_color, state().theme.header_color,
                        state().theme.font_color}) {
            EXPECT_EQ(c, rgb(127, 127, 127));
        }
        EXPECT_EQ(state().theme.fill_type, 3);
        EXPECT_TRUE(state().theme.double_font);
        EXPECT_TRUE(state().old_theme);
        // The pictures are missing: their entries are there, without a bitmap.
        ASSERT_NE(state().bitmaps.find("BackGround"), nullptr);
        EXPECT_EQ(state().bitmaps.bitmap_of("BackGround"), nullptr);
    }), 0);
}

}  // namespace
}  // namespace qb

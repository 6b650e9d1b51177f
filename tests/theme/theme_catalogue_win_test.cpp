// The theme list read from a Data folder on the test drive, and a real
// sorted list box filled from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "common/file_io_win.h"
#include "common/wide_text_win.h"
#include "support/test_support_win.h"
#include "theme/theme_catalogue_win.h"

namespace qb {
namespace {

using namespace qb::test;

class ThemeCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = fresh_folder(kTestDrive, "catalogue") + "\\Data";
        ASSERT_TRUE(CreateDirectoryA(data_.c_str(), nullptr));
        list_ = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_SORT | LBS_NOTIFY, 0, 0, 200, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(list_, nullptr);
    }
    void TearDown() override {
        if (list_) DestroyWindow(list_);
    }
    void add_theme(const std::string& name) {
        ASSERT_TRUE(CreateDirectoryW(system_path(data_ + "\\" + name).c_str(), nullptr)) << name;
    }
    int selected() const { return static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)); }

    std::string data_;
    HWND list_ = nullptr;
};

TEST_F(ThemeCatalogue, OnlyPlainFoldersAreListedInTheListBoxOrder) {
    for (const char* name : {"zeta", "MAINTHEME", "Alpha", "beta", "a-b", "ab", "Ab_2", "Тема", "вишня"}) {
        add_theme(name);
    }
    write_text(data_ + "\\DefaultProgram.bmp", "BM");
    write_text(data_ + "\\Theme.ini", "[COLORS]\r\n");
    // A folder with any attribute besides "directory" is not a theme.
    add_theme("Hidden");
    ASSERT_TRUE(SetFileAttributesA((data_ + "\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    add_theme("Archived");
    SetFileAttributesA((data_ + "\\Archived").c_str(), FILE_ATTRIBUTE_ARCHIVE);
    const DWORD archived = GetFileAttributesA((data_ + "\\Archived").c_str());

    const std::vector<std::string> themes = list_theme_folders(data_);
    for (const std::string& name : themes) {
        EXPECT_NE(name, "Hidden");
        EXPECT_NE(name, "DefaultProgram.bmp");
        EXPECT_NE(name, "Theme.ini");
        EXPECT_NE(name, ".");
        EXPECT_NE(name, "..");
    }
    if (archived & FILE_ATTRIBUTE_ARCHIVE) {
        EXPECT_EQ(std::count(themes.begin(), themes.end(), "Archived"), 0);
    } else {
        // This file system keeps no archive bit on folders; such a folder
        // is a plain one there and is listed (reported as skipped below).
        EXPECT_EQ(std::count(themes.begin(), themes.end(), "Archived"), 1);
    }
    EXPECT_EQ(themes.size(), (archived & FILE_ATTRIBUTE_ARCHIVE) ? 9u : 10u);

    // The list box sorts what it is given; the catalogue's order is the same.
    for (auto name = themes.rbegin(); name != themes.rend(); ++name) {
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(*name).c_str()));
    }
    EXPECT_EQ(list_box_items(list_), themes);
    auto position = [&](const char* name) { return std::find(themes.begin(), themes.end(), name) - themes.begin(); };
    EXPECT_LT(position("Alpha"), position("beta")) << "letter case aside";
    EXPECT_LT(position("beta"), position("MAINTHEME"));
    EXPECT_LT(position("MAINTHEME"), position("zeta"));
    if (!(archived & FILE_ATTRIBUTE_ARCHIVE)) {
        GTEST_SKIP() << "this file system keeps no archive attribute on folders: an archived folder "
                        "could not be made, so its leaving out is not proven here";
    }
}

TEST_F(ThemeCatalogue, TheCurrentThemeIsSelectedInTheFilledList) {
    add_theme("MAINTHEME");
    add_theme("Blue");
    fill_theme_list(list_, data_, "\\MAINTHEME");
    EXPECT_EQ(list_box_items(list_), (std::vector<std::string>{"Blue", "MAINTHEME"}));
    EXPECT_EQ(selected(), 1);

    fill_theme_list(list_, data_, "\\maintheme");
    EXPECT_EQ(selected(), 1) << "letter case aside";

    fill_theme_list(list_, data_, "\\Blue");
    EXPECT_EQ(selected(), 0);

    add_theme("BlueSky");
    fill_theme_list(list_, data_, "\\Blue");
    EXPECT_EQ(list_box_items(list_), (std::vector<std::string>{"Blue", "BlueSky", "MAINTHEME"}))
        << "refilled from the disk, with the new folder and without doubles";
    EXPECT_EQ(selected(), 1) << "the search begins at the second item";

    fill_theme_list(list_, data_, "\\Gone");
    EXPECT_EQ(selected(), LB_ERR) << "a theme whose folder is gone selects nothing";
    EXPECT_EQ(SendMessageA(list_, LB_GETCOUNT, 0, 0), 3);
}

// The same names, the same order and the same choice on every system.
using ThemeCatalogueAnyLanguage = ThemeCatalogue;

TEST_F(ThemeCatalogueAnyLanguage, CyrillicNamesAreListedInOneOrderAndOthersSkipped) {
    for (const char* name : {"лето", "MAINTHEME", "Зима", "азбука", "Blue"}) add_theme(name);
    // A name code page 1251 has no bytes for could never be kept as the
    // current theme: "Тема" and two Japanese characters.
    ASSERT_TRUE(CreateDirectoryW(system_path(data_ + "\\").append(L"Тема\x65E5\x672C").c_str(), nullptr));

    const std::vector<std::string> expected{"Blue", "MAINTHEME", "азбука", "Зима", "лето"};
    EXPECT_EQ(list_theme_folders(data_), expected) << "Latin first, then Russian order, letter case aside";

    fill_theme_list(list_, data_, "\\зима");
    EXPECT_EQ(list_box_items(list_), expected);
    EXPECT_EQ(selected(), 3);
    wchar_t shown[16] = {};
    SendMessageW(list_, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"Зима") << "the list box shows the name, not its 1251 bytes";
}

TEST_F(ThemeCatalogue, WithoutADataFolderTheListIsEmpty) {
    add_theme("MAINTHEME");
    fill_theme_list(list_, data_, "\\MAINTHEME");
    ASSERT_EQ(SendMessageA(list_, LB_GETCOUNT, 0, 0), 1);

    const std::string missing = data_ + "\\..\\NoData";
    EXPECT_TRUE(list_theme_folders(missing).empty());
    fill_theme_list(list_, missing, "\\MAINTHEME");
    EXPECT_EQ(SendMessageA(list_, LB_GETCOUNT, 0, 0), 0) << "emptied even when nothing can be read";
    EXPECT_EQ(selected(), LB_ERR);
}

}  // namespace
}  // namespace qb

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "theme/theme_catalogue.h"

namespace qb {
namespace {

TEST(ThemeCatalogue, OnlyPlainFoldersAreThemes) {
    EXPECT_TRUE(is_theme_folder_entry(0x10, "Blue"));
    EXPECT_FALSE(is_theme_folder_entry(0x10 | 0x20, "Blue")) << "archive";
    EXPECT_FALSE(is_theme_folder_entry(0x10 | 0x01, "Blue")) << "read-only";
    EXPECT_FALSE(is_theme_folder_entry(0x10 | 0x02, "Blue")) << "hidden";
    EXPECT_FALSE(is_theme_folder_entry(0x10 | 0x04, "Blue")) << "system";
    EXPECT_FALSE(is_theme_folder_entry(0x20, "DefaultProgram.bmp")) << "a file";
    EXPECT_FALSE(is_theme_folder_entry(0x80, "Theme.ini")) << "a normal file";
    EXPECT_FALSE(is_theme_folder_entry(0x10, "."));
    EXPECT_FALSE(is_theme_folder_entry(0x10, ".."));
    EXPECT_TRUE(is_theme_folder_entry(0x10, "...")) << "only the two navigation entries are left out";
}

TEST(ThemeCatalogue, LetterCaseOfCodePage1251) {
    EXPECT_TRUE(starts_with_ignoring_case("MAINTHEME", "maintheme"));
    EXPECT_TRUE(starts_with_ignoring_case("Тёмная тема", "ТЁМНАЯ"));
    EXPECT_TRUE(starts_with_ignoring_case("Яблоко", "яБЛОКО"));
    EXPECT_TRUE(starts_with_ignoring_case("Їжак", "їжак"));
    EXPECT_FALSE(starts_with_ignoring_case("Ежик", "Ёжик")) << "Е and Ё are two letters";
    EXPECT_FALSE(starts_with_ignoring_case("Blue", "BlueSky"));
    EXPECT_TRUE(starts_with_ignoring_case("Blue", ""));
    EXPECT_EQ(fold_case_1251('['), '[') << "not a letter";
    EXPECT_EQ(fold_case_1251('@'), '@');
    EXPECT_EQ(fold_case_1251('\xD7'), '\xF7') << "Ч is a letter in code page 1251";
    EXPECT_EQ(fold_case_1251('\xF7'), '\xF7');
}

TEST(ThemeCatalogue, SelectionSearchesFromTheSecondItemAndWraps) {
    const std::vector<std::string> blue_and_sky{"Blue", "BlueSky"};
    EXPECT_EQ(find_theme_item(blue_and_sky, "\\Blue"), 1u) << "the search starts at the second item";
    EXPECT_EQ(find_theme_item(blue_and_sky, "\\BlueS"), 1u);
    EXPECT_EQ(find_theme_item({"Blue", "MAINTHEME"}, "\\MAINTHEME"), 1u);
    EXPECT_EQ(find_theme_item({"Blue", "MAINTHEME"}, "\\maintheme"), 1u);
    EXPECT_EQ(find_theme_item({"Blue", "MAINTHEME"}, "\\Blue"), 0u) << "wrapped round to the first";
    EXPECT_EQ(find_theme_item({"Blue", "Green", "Red"}, "\\red"), 2u);
    EXPECT_EQ(find_theme_item({"Blue", "MAINTHEME"}, "\\Gone"), std::nullopt);
    EXPECT_EQ(find_theme_item({"MAINTHEME"}, "\\MAINTHEME"), 0u) << "a single item";
    EXPECT_EQ(find_theme_item({"MAINTHEME"}, "\\Blue"), std::nullopt);
    EXPECT_EQ(find_theme_item({}, "\\MAINTHEME"), std::nullopt);
    EXPECT_EQ(find_theme_item({"Blue", "MAINTHEME"}, "\\"), std::nullopt) << "no name selects nothing";
    EXPECT_EQ(find_theme_item({"Blue", "MAINTHEME"}, ""), std::nullopt);
    EXPECT_EQ(find_theme_item({"Blue", "MAINTHEME"}, "MAINTHEME"), 1u) << "a name without its backslash";
    EXPECT_EQ(find_theme_item({"Blue", "MAINTHEME"}, "\\MAINTHEME\\more"), std::nullopt);
}

}  // namespace
}  // namespace qb

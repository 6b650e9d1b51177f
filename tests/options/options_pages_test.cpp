// The options window's rules: pages, commands, the General page, the
// report of an autorun check and the colour buttons' fields.
#include <gtest/gtest.h>

#include "autorun/autorun_state.h"
#include "options/options_pages.h"

namespace qb {
namespace {

TEST(OptionsPages, EveryControlBelongsToExactlyOnePage) {
    EXPECT_EQ(page_controls(0).first, 10021);
    EXPECT_EQ(page_controls(0).last, 10026);
    EXPECT_EQ(page_controls(1).first, 10027);
    EXPECT_EQ(page_controls(1).last, 10032);
    EXPECT_EQ(page_controls(2).first, 10037);
    EXPECT_EQ(page_controls(2).last, 10049);
    EXPECT_EQ(page_controls(3).first, 10050);
    EXPECT_EQ(page_controls(3).last, 10052);
    for (int id = kFirstPageControl; id <= kLastPageControl; ++id) {
        int pages = 0;
        for (int page = 0; page < kOptionsPageCount; ++page) pages += page_controls(page).holds(id) ? 1 : 0;
        // 10033 to 10036 are no controls of any page.
        EXPECT_EQ(pages, id >= 10033 && id <= 10036 ? 0 : 1) << id;
    }
    for (int page : {-1, 4, 100}) {
        for (int id = kOptionsPageList; id <= kLastPageControl; ++id) EXPECT_FALSE(page_controls(page).holds(id));
    }
    EXPECT_FALSE(page_controls(0).holds(kOptionsPageList)) << "the page list is always shown";
}

TEST(OptionsPages, FillTypeItemIsNoneOutsideTheFourTypes) {
    for (int type = 0; type <= 3; ++type) EXPECT_EQ(fill_type_item(static_cast<std::int8_t>(type)), type);
    for (int type : {-1, 4, 127, -128}) EXPECT_EQ(fill_type_item(static_cast<std::int8_t>(type)), -1) << type;
}

TEST(OptionsPages, CommandsByControlAndNotification) {
    // Buttons and the page list act on any notification.
    for (int notification : {0, 1, 2, 4, 5}) {
        EXPECT_EQ(options_command(kOptionsPageList, notification), OptionsCommand::ShowPage);
        EXPECT_EQ(options_command(kOptionsSaveGeneral, notification), OptionsCommand::ApplyGeneral);
        EXPECT_EQ(options_command(kOptionsCheckAutorunFile, notification), OptionsCommand::CheckAutorunFile);
        EXPECT_EQ(options_command(kOptionsCheckAutorunPolicy, notification), OptionsCommand::CheckAutorunPolicy);
        EXPECT_EQ(options_command(kOptionsDoubleFont, notification), OptionsCommand::DoubleFont);
        EXPECT_EQ(options_command(kOptionsSaveTheme, notification), OptionsCommand::SaveTheme);
        for (int id : {kOptionsHeaderColor, kOptionsFontColor, kOptionsFrameColor, kOptionsBackgroundColor}) {
            EXPECT_EQ(options_command(id, notification), OptionsCommand::ChooseColor) << id;
        }
    }
    // The two lists only on a changed selection: a double click, focus or
    // a dropped list switches nothing.
    EXPECT_EQ(options_command(kOptionsThemeList, kSelectionChange), OptionsCommand::SwitchTheme);
    EXPECT_EQ(options_command(kOptionsFillType, kSelectionChange), OptionsCommand::FillType);
    for (int notification : {0, 2, 3, 4, 7}) {
        EXPECT_EQ(options_command(kOptionsThemeList, notification), OptionsCommand::None) << notification;
        EXPECT_EQ(options_command(kOptionsFillType, notification), OptionsCommand::None) << notification;
    }
    // Check boxes of the General page and labels act only through input.
    for (int id : {kOptionsShowHints, kOptionsCheckAutorunAtStart, kOptionsCloseWhenIdle, kOptionsAutoArrange,
                   kOptionsSearchService, kOptionsAutorunFileNote, kOptionsLogo, kOptionsMailAddress, 10033, 0}) {
        EXPECT_EQ(options_command(id, 0), OptionsCommand::None) << id;
    }
}

TEST(OptionsPages, GeneralPageSetsEachFlagAndArrangesOnlyWhenSwitchedOn) {
    AppSettings settings;
    settings.show_hints = false;
    settings.check_autorun_at_start = false;
    settings.auto_close_when_idle = false;
    settings.auto_arrange = false;
    settings.use_search_service = false;
    ChangeFlags changes;

    // One tick at a time, so that a swapped field shows.
    EXPECT_FALSE(apply_general_page({.show_hints = true}, settings, changes));
    EXPECT_TRUE(changes.options_changed);
    EXPECT_TRUE(settings.show_hints);
    EXPECT_FALSE(settings.check_autorun_at_start || settings.auto_close_when_idle || settings.auto_arrange ||
                 settings.use_search_service);
    apply_general_page({.check_autorun_at_start = true}, settings, changes);
    EXPECT_TRUE(settings.check_autorun_at_start);
    EXPECT_FALSE(settings.show_hints || settings.auto_close_when_idle || settings.use_search_service);
    apply_general_page({.auto_close_when_idle = true}, settings, changes);
    EXPECT_TRUE(settings.auto_close_when_idle);
    EXPECT_FALSE(settings.check_autorun_at_start || settings.use_search_service);
    apply_general_page({.use_search_service = true}, settings, changes);
    EXPECT_TRUE(settings.use_search_service);
    EXPECT_FALSE(settings.auto_close_when_idle || settings.auto_arrange);

    // Arranging happens when the box is ticked over an "off", not again.
    EXPECT_TRUE(apply_general_page({.auto_arrange = true}, settings, changes));
    EXPECT_TRUE(settings.auto_arrange);
    EXPECT_FALSE(apply_general_page({.auto_arrange = true}, settings, changes));
    EXPECT_FALSE(apply_general_page({.auto_arrange = false}, settings, changes));
    EXPECT_FALSE(settings.auto_arrange);
    EXPECT_TRUE(apply_general_page({.auto_arrange = true}, settings, changes));

    // Pressing with nothing changed still asks for the file to be written.
    ChangeFlags fresh;
    apply_general_page({.auto_arrange = true}, settings, fresh);
    EXPECT_TRUE(fresh.options_changed);
    EXPECT_FALSE(fresh.links_changed || fresh.theme_changed || fresh.theme_colors_changed);
}

TEST(OptionsPages, AutorunReportAsksAboutAMissingFileFirst) {
    EXPECT_EQ(autorun_report(0), AutorunReport::InOrder);
    EXPECT_EQ(autorun_report(kAutorunMissing), AutorunReport::OfferCreate);
    EXPECT_EQ(autorun_report(kAutorunMissing | kAutorunForeign), AutorunReport::OfferCreate);
    EXPECT_EQ(autorun_report(kAutorunMissing | kAutorunForeign | kAutorunWrongTarget), AutorunReport::OfferCreate);
    EXPECT_EQ(autorun_report(kAutorunForeign), AutorunReport::OfferRewrite);
    EXPECT_EQ(autorun_report(kAutorunWrongTarget), AutorunReport::OfferRewrite);
    EXPECT_EQ(autorun_report(kAutorunForeign | kAutorunWrongTarget), AutorunReport::OfferRewrite);
}

TEST(OptionsPages, EachColourButtonEditsItsOwnField) {
    ThemeColors colors;
    colors.header_color = rgb(1, 0, 0);
    colors.font_color = rgb(2, 0, 0);
    colors.frame_color = rgb(3, 0, 0);
    colors.background_color = rgb(4, 0, 0);
    ASSERT_NE(button_color(colors, kOptionsHeaderColor), nullptr);
    EXPECT_EQ(*button_color(colors, kOptionsHeaderColor), rgb(1, 0, 0));
    EXPECT_EQ(*button_color(colors, kOptionsFontColor), rgb(2, 0, 0));
    EXPECT_EQ(*button_color(colors, kOptionsFrameColor), rgb(3, 0, 0));
    EXPECT_EQ(*button_color(colors, kOptionsBackgroundColor), rgb(4, 0, 0));
    *button_color(colors, kOptionsFrameColor) = rgb(9, 9, 9);
    EXPECT_EQ(colors.frame_color, rgb(9, 9, 9));
    const ThemeColors& read_only = colors;
    EXPECT_EQ(button_color(read_only, kOptionsBackgroundColor), &colors.background_color);
    for (int id : {kOptionsHeaderColorLabel, kOptionsDoubleFont, kOptionsSaveTheme, 10043, 10049, 0}) {
        EXPECT_EQ(button_color(colors, id), nullptr) << id;
    }
}

}  // namespace
}  // namespace qb

#include <gtest/gtest.h>

#include <string>

#include "common/ui_texts.h"
#include "mainwindow/keys.h"

namespace qb {
namespace {

TEST(Keys, ArrowsAndDeleteOnlyAsDedicatedKeysEnterAndEscapeOnlyAsMainKeys) {
    for (unsigned arrow : {kKeyLeft, kKeyUp, kKeyRight, kKeyDown}) {
        const KeyCommand dedicated = key_command(arrow, true);
        EXPECT_EQ(dedicated.action, KeyAction::Navigate) << arrow;
        EXPECT_EQ(dedicated.direction, arrow);
        // The numeric keypad's arrows with Num Lock off.
        EXPECT_EQ(key_command(arrow, false).action, KeyAction::None) << arrow;
    }
    EXPECT_EQ(key_command(kKeyDelete, true).action, KeyAction::Delete);
    EXPECT_EQ(key_command(kKeyDelete, false).action, KeyAction::None);
    EXPECT_EQ(key_command(kKeyReturn, false).action, KeyAction::Open);
    EXPECT_EQ(key_command(kKeyReturn, true).action, KeyAction::None);  // the keypad's Enter
    EXPECT_EQ(key_command(kKeyEscape, false).action, KeyAction::Quit);
    EXPECT_EQ(key_command(kKeyEscape, true).action, KeyAction::None);
    // Neighbours of the handled codes mean nothing.
    for (unsigned other : {0x24u, 0x29u, 0x2Du, 0x2Fu, 0x0Cu, 0x0Eu, 0x1Au, 0x1Cu, 0x41u}) {
        EXPECT_EQ(key_command(other, true).action, KeyAction::None) << other;
        EXPECT_EQ(key_command(other, false).action, KeyAction::None) << other;
    }
}

TEST(Keys, MenuKeyShiftF10AndAltEnterReachTheLinksOtherActionsOnly) {
    struct Row {
        unsigned key;
        bool system, shift, alt;
        KeyAction action;
    };
    const Row rows[] = {
        {kKeyApps, false, false, false, KeyAction::LinkMenu},
        {kKeyApps, false, true, false, KeyAction::LinkMenu},
        {kKeyF10, true, true, false, KeyAction::LinkMenu},
        {kKeyF10, false, true, false, KeyAction::LinkMenu},
        {kKeyF10, true, false, false, KeyAction::None},  // F10 alone is the system's
        {kKeyF10, true, true, true, KeyAction::None},
        {kKeyReturn, true, false, true, KeyAction::LinkProperties},
        {kKeyReturn, false, false, false, KeyAction::None},  // Enter opens, as before
        {kKeyReturn, true, false, false, KeyAction::None},
        {kKeyApps, true, false, true, KeyAction::None},
        {kKeyEscape, false, true, false, KeyAction::None},
        {kKeyLeft, false, true, false, KeyAction::None},
        {0x41, true, false, true, KeyAction::None},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(link_key_action(row.key, row.system, row.shift, row.alt), row.action)
            << row.key << " system " << row.system << " shift " << row.shift << " alt " << row.alt;
    }
    // The keys that were there keep their meaning.
    EXPECT_EQ(key_command(kKeyApps, true).action, KeyAction::None);
    EXPECT_EQ(key_command(kKeyReturn, false).action, KeyAction::Open);
}

TEST(Keys, ExtendedFlagIsBit24OfTheKeyData) {
    EXPECT_TRUE(is_extended_key(0x01000001u));
    EXPECT_TRUE(is_extended_key(0xC1530001u));
    EXPECT_FALSE(is_extended_key(0x00530001u));
    EXPECT_FALSE(is_extended_key(0xFEFFFFFFu));
}

TEST(Keys, CommandsByTheirIdentifierOnly) {
    EXPECT_EQ(command_of(10000), Command::Close);
    EXPECT_EQ(command_of(10001), Command::Options);
    EXPECT_EQ(command_of(10004), Command::Open);
    EXPECT_EQ(command_of(10005), Command::Properties);
    EXPECT_EQ(command_of(10006), Command::Delete);
    EXPECT_EQ(command_of(10009), Command::OpenStay);
    // One command per language, each naming its column.
    EXPECT_EQ(command_of(10100), Command::ChooseLanguage);
    EXPECT_EQ(command_of(10101), Command::ChooseLanguage);
    EXPECT_EQ(language_of_command((1u << 16) | 10101u), kEnglish);
    EXPECT_EQ(language_of_command(10100), kRussian);
    for (unsigned other : {0u, 10002u, 10003u, 10007u, 10008u, 10010u, 10099u, 10102u, 20004u}) {
        EXPECT_EQ(command_of(other), Command::None) << other;
    }
    // A button's notification code in the high word changes nothing.
    EXPECT_EQ(command_of((1u << 16) | 10000u), Command::Close);
}

TEST(Keys, ContextMenuOffersOpenAndStayOnlyForLinksThatClose) {
    Link link;
    auto texts = [](const std::vector<MenuItem>& items) {
        std::string joined;
        for (const MenuItem& item : items) joined += std::string(item.text ? item.text : "-") + "|";
        return joined;
    };
    const std::vector<MenuItem> plain = link_menu_items(link, kRussian);
    ASSERT_EQ(plain.size(), 4u);
    EXPECT_EQ(plain[0].command, CMD_OPEN);
    EXPECT_EQ(plain[1].command, CMD_PROPERTIES);
    EXPECT_EQ(plain[2].text, nullptr);  // the separator
    EXPECT_EQ(plain[3].command, CMD_DELETE);
    EXPECT_EQ(texts(plain),
              std::string(ui_text(text::kMenuOpen, kRussian)) + "|" + ui_text(text::kMenuProperties, kRussian) + "|-|" + ui_text(text::kMenuDelete, kRussian) + "|");

    link.close_on_activate = true;
    const std::vector<MenuItem> closing = link_menu_items(link, kRussian);
    ASSERT_EQ(closing.size(), 5u);
    EXPECT_EQ(closing[0].command, CMD_OPEN_STAY);
    EXPECT_STREQ(closing[0].text, ui_text(text::kMenuOpenStay, kRussian));
    EXPECT_EQ(closing[1].command, CMD_OPEN);
}

}  // namespace
}  // namespace qb

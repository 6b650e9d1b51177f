#include "mainwindow/keys.h"

#include "common/ui_texts.h"

namespace qb {

bool is_extended_key(std::uint32_t key_data) { return (key_data >> 24) & 1u; }

KeyCommand key_command(unsigned key, bool extended) {
    if (extended) {
        if (key >= kKeyLeft && key <= kKeyDown) return {KeyAction::Navigate, key};
        if (key == kKeyDelete) return {KeyAction::Delete, 0};
        return {};
    }
    if (key == kKeyReturn) return {KeyAction::Open, 0};
    if (key == kKeyEscape) return {KeyAction::Quit, 0};
    return {};
}

KeyAction link_key_action(unsigned key, bool system, bool shift, bool alt) {
    if (key == kKeyApps && !system) return KeyAction::LinkMenu;
    if (key == kKeyF10 && shift && !alt) return KeyAction::LinkMenu;
    if (key == kKeyReturn && system && alt) return KeyAction::LinkProperties;
    return KeyAction::None;
}

Command command_of(std::uint32_t wparam) {
    switch (wparam & 0xFFFFu) {
        case CMD_CLOSE: return Command::Close;
        case CMD_OPTIONS: return Command::Options;
        case CMD_OPEN: return Command::Open;
        case CMD_OPEN_STAY: return Command::OpenStay;
        case CMD_PROPERTIES: return Command::Properties;
        case CMD_DELETE: return Command::Delete;
        default:
            if (const std::uint32_t id = wparam & 0xFFFFu; id >= CMD_FIRST_LANGUAGE && id < CMD_FIRST_LANGUAGE + kLanguageCount) {
                return Command::ChooseLanguage;
            }
            return Command::None;
    }
}

Language language_of_command(std::uint32_t wparam) {
    const std::uint32_t column = (wparam & 0xFFFFu) - CMD_FIRST_LANGUAGE;
    return column < kLanguageCount ? Language{static_cast<std::uint8_t>(column)} : kRussian;
}

std::vector<MenuItem> language_menu_items(Language current) {
    std::vector<MenuItem> items;
    for (std::size_t i = 0; i < kLanguageCount; ++i) {
        const Language language{static_cast<std::uint8_t>(i)};
        items.push_back({ui_text(text::kLanguageName, language), static_cast<unsigned>(CMD_FIRST_LANGUAGE + i),
                         language == current});
    }
    return items;
}

std::vector<MenuItem> link_menu_items(const Link& link, Language language) {
    std::vector<MenuItem> items;
    if (link.close_on_activate) items.push_back({ui_text(text::kMenuOpenStay, language), CMD_OPEN_STAY});
    items.push_back({ui_text(text::kMenuOpen, language), CMD_OPEN});
    items.push_back({ui_text(text::kMenuProperties, language), CMD_PROPERTIES});
    items.push_back({nullptr, 0});
    items.push_back({ui_text(text::kMenuDelete, language), CMD_DELETE});
    return items;
}

}  // namespace qb

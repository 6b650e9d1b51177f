#pragma once
// The main window's keyboard and commands: what a key means, what a
// command identifier asks for, and the items of a link's context menu.
#include <cstdint>
#include <vector>

#include "common/ui_texts.h"
#include "links/link_list.h"

namespace qb {

inline constexpr unsigned kKeyReturn = 0x0D;
inline constexpr unsigned kKeyEscape = 0x1B;
inline constexpr unsigned kKeyDelete = 0x2E;
inline constexpr unsigned kKeyApps = 0x5D;  // the Menu key
inline constexpr unsigned kKeyF10 = 0x79;

enum class KeyAction {
    None,
    Navigate,  // an arrow key: the first link when none is selected, else the neighbour in `direction`
    Delete,    // delete the selected link after confirmation
    Open,      // open the selected link
    Quit,
    LinkMenu,        // the selected link's context menu, at the link
    LinkProperties,  // the selected link's properties window
};

struct KeyCommand {
    KeyAction action = KeyAction::None;
    unsigned direction = 0;  // the arrow key, for Navigate
};

// Bit 24 of WM_KEYDOWN's key data: the key is one of the dedicated keys
// (arrows, Delete, the keypad's Enter), not the numeric keypad's.
bool is_extended_key(std::uint32_t key_data);

// Arrows and Delete count only as the dedicated keys, Enter only as the
// main Enter key; Escape quits at any time.
KeyCommand key_command(unsigned virtual_key, bool extended);

// The keys of a link's other actions: the Menu key and Shift+F10 open its
// context menu, Alt+Enter its properties. `system` for WM_SYSKEYDOWN (F10
// and keys held with Alt come so), `alt` from its context bit. Every other
// key: None, so the keys above keep their meaning.
KeyAction link_key_action(unsigned virtual_key, bool system, bool shift, bool alt);

// Command identifiers of the skin buttons and the context menu.
inline constexpr int CMD_CLOSE = 10000;
inline constexpr int CMD_OPTIONS = 10001;
inline constexpr int CMD_OPEN = 10004;
inline constexpr int CMD_PROPERTIES = 10005;
inline constexpr int CMD_DELETE = 10006;
inline constexpr int CMD_OPEN_STAY = 10009;
// The language menu's items: this plus the language's column.
inline constexpr int CMD_FIRST_LANGUAGE = 10100;

enum class Command { None, Close, Options, Open, OpenStay, Properties, Delete, ChooseLanguage };

// What WM_COMMAND asks for; only the low word, the identifier, counts.
Command command_of(std::uint32_t wparam);

struct MenuItem {
    const char* text = nullptr;  // none for a separator
    unsigned command = 0;
    bool checked = false;  // a radio mark
};

// The language a ChooseLanguage command names.
Language language_of_command(std::uint32_t wparam);

// A link's context menu, top to bottom; the open-and-stay item only for a
// link that closes the program when opened.
std::vector<MenuItem> link_menu_items(const Link& link, Language language);

// The desktop's own menu (a right click beside the links, or the Menu key
// with no link selected): every language by its own name, so that anyone
// finds theirs, the one spoken now marked.
std::vector<MenuItem> language_menu_items(Language current);

}  // namespace qb

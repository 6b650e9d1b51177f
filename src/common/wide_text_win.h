#pragma once
// The one crossing between the program's code page 1251 texts and the
// system's UTF-16: every text the program hands to a wide function, or
// takes from one, goes through here. Never through the machine's own
// code page, which is 1251 only on a Russian Windows.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qb {

std::wstring to_wide(std::string_view text);

// None when a character has no byte in code page 1251.
std::optional<std::string> to_1251(std::wstring_view text);

// The text of a window or control, as the system holds it.
std::wstring window_text_wide(HWND window);
// The same, when code page 1251 can hold it.
std::optional<std::string> window_text(HWND window);
bool set_window_text(HWND window, std::string_view text);

// A full path in code page 1251 for the program to keep: the path itself
// when it converts, otherwise with the short (8.3) name of every part that
// does not. None when such a part has no short name that converts (a
// volume without short names), or the item cannot be found.
std::optional<std::string> storable_path(const std::wstring& path);

}  // namespace qb

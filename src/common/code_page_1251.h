#pragma once
// Code page 1251 (every text the program keeps and every file it writes)
// and UTF-16 (what Windows' wide functions take). The table is the
// program's own, so the result never depends on the machine's language.
#include <optional>
#include <string>
#include <string_view>

namespace qb {

// Every byte has a character: the one byte the code page leaves unused
// (0x98) stands for U+0098, so any stored text goes out and comes back
// with the same bytes.
std::u16string utf16_from_1251(std::string_view text);

// None when a character has no byte in code page 1251 (Japanese, "é",
// an unpaired surrogate): such a text is never stored with stand-ins.
std::optional<std::string> cp1251_from_utf16(std::u16string_view text);

}  // namespace qb

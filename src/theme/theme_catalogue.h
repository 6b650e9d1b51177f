#pragma once
// The installed themes are the plain folders under the program's Data
// folder. These rules decide which entries count and which item of the
// sorted theme list is the current theme.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/letter_case.h"

namespace qb {

inline constexpr std::uint32_t kDirectoryAttribute = 0x10;

// A folder entry is a theme when it is a directory with no other
// attribute bit (a read-only, hidden, system or archived folder is not)
// and is neither "." nor "..".
bool is_theme_folder_entry(std::uint32_t attributes, std::string_view name);

// The item of `items` (in the list's order) to select for `theme_name`
// (with its leading backslash): the first whose text begins with the name,
// letter case aside, searching from the second item to the end and then
// the first. None for no match or an empty name.
std::optional<std::size_t> find_theme_item(const std::vector<std::string>& items, std::string_view theme_name);

}  // namespace qb

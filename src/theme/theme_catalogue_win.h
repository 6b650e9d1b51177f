#pragma once
// The installed themes, read from the disk each time the theme list is
// shown.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace qb {

// The theme folders under `data_folder` (the program's "Data" folder), in
// the order a sorted list box shows them; empty without the folder.
std::vector<std::string> list_theme_folders(const std::string& data_folder);

// Empties the list box `list` (LBS_SORT), fills it with the theme folders
// and selects the current theme (`theme_name` with its leading
// backslash) without a selection-change notification.
void fill_theme_list(HWND list, const std::string& data_folder, std::string_view theme_name);

// The items of a list box, in its order.
std::vector<std::string> list_box_items(HWND list);

}  // namespace qb

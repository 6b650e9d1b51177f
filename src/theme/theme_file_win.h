#pragma once
// Theme.ini of a theme folder, read and edited key by key as code page
// 1251 text (the same bytes on every system), so other sections and keys
// stay.
#include <string>

#include "theme/theme_values.h"

namespace qb {

// The theme file of a theme folder.
std::string theme_file_path(const std::string& theme_folder);

// Reads all fourteen keys into `colors` (missing keys give their
// defaults). True when the file marks an old theme (a missing or negative
// USEDBLFONT).
bool read_theme(const std::string& theme_folder, ThemeColors& colors);

// Writes all fourteen keys; the file is replaced whole, so a drive pulled
// mid-write leaves the old one. Nothing is written without the folder.
bool write_theme(const std::string& theme_folder, const ThemeColors& colors);

}  // namespace qb

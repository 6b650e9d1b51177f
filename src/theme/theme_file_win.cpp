#include "theme/theme_file_win.h"

#include <windows.h>

#include <string>

#include "common/file_io_win.h"
#include "links/app_settings.h"
#include "theme/theme_values.h"

namespace qb {

void read_theme() {
    if (app_settings.theme_name.empty()) return;
    const std::string path = theme_file_path("\\Theme.ini");
    for (const ThemeKey& key : kThemeKeys) {
        char value[256] = {};
        GetPrivateProfileStringA(key.section, key.name, key.read_default, value, static_cast<DWORD>(key.read_buffer),
                                 path.c_str());
        if (apply_theme_value(theme_colors, key, value)) old_theme = true;
    }
}

bool write_theme() {
    if (app_settings.theme_name.empty()) return false;
    const std::string folder = theme_folder();
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

    // The keys go into a copy, which then replaces the file in one step.
    const std::string path = theme_file_path("\\Theme.ini");
    const std::string copy = replacement_path(path);
    DeleteFileA(copy.c_str());
    if (regular_file_exists(path) && !CopyFileA(path.c_str(), copy.c_str(), FALSE)) return false;
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    bool written = true;
    for (const ThemeKey& key : kThemeKeys) {
        const std::string value = theme_value_text(theme_colors, key);
        written = WritePrivateProfileStringA(key.section, key.name, value.c_str(), copy.c_str()) && written;
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());  // flush the profile cache
    if (!written ||
        !MoveFileExA(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(copy.c_str());
        return false;
    }
    return true;
}

}  // namespace qb

#include "theme/theme_file_win.h"

#include <windows.h>

#include "common/file_io_win.h"

namespace qb {

std::string theme_file_path(const std::string& theme_folder) { return theme_folder + "\\Theme.ini"; }

bool read_theme(const std::string& theme_folder, ThemeColors& colors) {
    const std::string path = theme_file_path(theme_folder);
    bool old = false;
    for (const ThemeKey& key : kThemeKeys) {
        char value[256] = {};
        GetPrivateProfileStringA(key.section, key.name, key.read_default, value, static_cast<DWORD>(key.read_buffer),
                                 path.c_str());
        if (apply_theme_value(colors, key, value)) old = true;
    }
    return old;
}

bool write_theme(const std::string& theme_folder, const ThemeColors& colors) {
    const DWORD attributes = GetFileAttributesA(theme_folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

    // The keys go into a copy of the file (so other sections stay), which
    // then replaces it in one step.
    const std::string path = theme_file_path(theme_folder);
    return replace_through_temporary(path, [&](const std::string& copy) {
        DeleteFileA(copy.c_str());
        if (regular_file_exists(path) && !CopyFileA(path.c_str(), copy.c_str(), FALSE)) return false;
        SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        bool written = true;
        for (const ThemeKey& key : kThemeKeys) {
            const std::string value = theme_value_text(colors, key);
            written = WritePrivateProfileStringA(key.section, key.name, value.c_str(), copy.c_str()) && written;
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());  // flush the profile cache
        return written;
    });
}

}  // namespace qb

#include "theme/theme_file_win.h"

#include <windows.h>

#include "common/file_io_win.h"

namespace qb {

namespace {
// The keys, values and defaults are ASCII: each byte is its character.
std::wstring widened(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }
}  // namespace

std::string theme_file_path(const std::string& theme_folder) { return theme_folder + "\\Theme.ini"; }

// The wide profile functions take the long form of a path, so a theme deep
// on the stick is read and written like any other.
bool read_theme(const std::string& theme_folder, ThemeColors& colors) {
    const std::wstring path = system_path(theme_file_path(theme_folder));
    bool old = false;
    for (const ThemeKey& key : kThemeKeys) {
        wchar_t value[256] = {};
        GetPrivateProfileStringW(widened(key.section).c_str(), widened(key.name).c_str(),
                                 widened(key.read_default).c_str(), value, static_cast<DWORD>(key.read_buffer),
                                 path.c_str());
        // The value rules read digits, signs and blanks; any other
        // character ends the number, whatever it becomes here.
        std::string text;
        for (const wchar_t* c = value; *c; ++c) text.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
        if (apply_theme_value(colors, key, text)) old = true;
    }
    return old;
}

bool write_theme(const std::string& theme_folder, const ThemeColors& colors) {
    const DWORD attributes = GetFileAttributesW(system_path(theme_folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

    // The keys go into a copy of the file (so other sections stay), which
    // then replaces it in one step.
    const std::string path = theme_file_path(theme_folder);
    return replace_through_temporary(path, [&](const std::string& copy) {
        const std::wstring wide_copy = system_path(copy);
        delete_file(copy);
        if (regular_file_exists(path) && !CopyFileW(system_path(path).c_str(), wide_copy.c_str(), FALSE)) return false;
        SetFileAttributesW(wide_copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        bool written = true;
        for (const ThemeKey& key : kThemeKeys) {
            const std::wstring value = widened(theme_value_text(colors, key));
            written = WritePrivateProfileStringW(widened(key.section).c_str(), widened(key.name).c_str(),
                                                 value.c_str(), wide_copy.c_str()) &&
                      written;
        }
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, wide_copy.c_str());  // flush the profile cache
        return written;
    });
}

}  // namespace qb

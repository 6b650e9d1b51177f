#include "theme/theme_file_win.h"

#include <windows.h>

#include <functional>

#include "common/file_io_win.h"

namespace qb {

namespace {

// The private-profile functions take paths of fewer than MAX_PATH
// characters. A theme deeper on the stick is read and written through a
// copy in the system's temporary folder, which a write copies back.
bool with_profile_path(const std::string& path, bool write_back, const std::function<bool(const std::string&)>& use) {
    if (path.size() < MAX_PATH) return use(path);
    char folder[MAX_PATH] = {};
    char temporary[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(folder, "qbt", 0, temporary)) return false;
    // A missing file leaves the copy empty, which reads as a missing file does.
    CopyFileW(system_path(path).c_str(), system_path(temporary).c_str(), FALSE);
    bool done = use(temporary);
    if (write_back) done = done && CopyFileW(system_path(temporary).c_str(), system_path(path).c_str(), FALSE);
    DeleteFileA(temporary);
    return done;
}

}  // namespace

std::string theme_file_path(const std::string& theme_folder) { return theme_folder + "\\Theme.ini"; }

bool read_theme(const std::string& theme_folder, ThemeColors& colors) {
    bool old = false;
    with_profile_path(theme_file_path(theme_folder), false, [&](const std::string& path) {
        for (const ThemeKey& key : kThemeKeys) {
            char value[256] = {};
            GetPrivateProfileStringA(key.section, key.name, key.read_default, value,
                                     static_cast<DWORD>(key.read_buffer), path.c_str());
            if (apply_theme_value(colors, key, value)) old = true;
        }
        return true;
    });
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
        return with_profile_path(copy, true, [&](const std::string& profile) {
            bool written = true;
            for (const ThemeKey& key : kThemeKeys) {
                const std::string value = theme_value_text(colors, key);
                written = WritePrivateProfileStringA(key.section, key.name, value.c_str(), profile.c_str()) && written;
            }
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, profile.c_str());  // flush the profile cache
            return written;
        });
    });
}

}  // namespace qb

#include "theme/theme_file_win.h"

#include <windows.h>

#include <optional>
#include <string_view>

#include "common/file_io_win.h"
#include "common/profile_text.h"

namespace qb {

namespace {

// The file's text as it is on the drive, in whichever encoding Notepad
// saved it; none when there is no file or it cannot be read whole.
std::optional<ProfileFile> theme_text(const std::string& path) {
    const std::optional<std::vector<std::uint8_t>> bytes = read_file_bytes(path);
    if (!bytes) return std::nullopt;
    return decode_profile_file(*bytes);
}

// A key's value as the program has always read it: the default when the
// key is missing, and no more than its read buffer holds.
std::string key_value(const std::optional<ProfileFile>& file, const ThemeKey& key) {
    std::optional<std::string> value;
    if (file) value = profile_value(file->text, key.section, key.name);
    std::string result = value ? std::move(*value) : std::string(key.read_default);
    const std::size_t limit = static_cast<std::size_t>(key.read_buffer - 1);
    if (result.size() > limit) result.resize(limit);
    return result;
}

}  // namespace

std::string theme_file_path(const std::string& theme_folder) { return theme_folder + "\\Theme.ini"; }

bool read_theme(const std::string& theme_folder, ThemeColors& colors) {
    // An unreadable file reads as a missing one: all defaults.
    const std::optional<ProfileFile> text = theme_text(theme_file_path(theme_folder));
    bool old = false;
    for (const ThemeKey& key : kThemeKeys) {
        if (apply_theme_value(colors, key, key_value(text, key))) old = true;
    }
    return old;
}

bool write_theme(const std::string& theme_folder, const ThemeColors& colors) {
    const DWORD attributes = GetFileAttributesW(system_path(theme_folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

    // Only the program's keys change; other sections and keys stay. A file
    // that is there but cannot be read is not replaced, so nothing of it is lost.
    // The file keeps its encoding.
    const std::string path = theme_file_path(theme_folder);
    ProfileFile file;
    if (file_exists(path)) {
        std::optional<ProfileFile> old = theme_text(path);
        if (!old) return false;
        file = std::move(*old);
    }
    for (const ThemeKey& key : kThemeKeys) {
        file.text = with_profile_value(file.text, key.section, key.name, theme_value_text(colors, key));
    }
    return write_file_replacing(path, encode_profile_file(file));
}

}  // namespace qb

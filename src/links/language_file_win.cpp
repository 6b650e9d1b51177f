#include "links/language_file_win.h"

#include <windows.h>

#include "common/file_io_win.h"
#include "links/settings_file_win.h"

namespace qb {

namespace {

// The file's bytes when it is a file no larger than a choice can be.
std::optional<std::vector<std::uint8_t>> read_small_file(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    if (!GetFileAttributesExW(system_path(path).c_str(), GetFileExInfoStandard, &facts)) return std::nullopt;
    if ((facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || facts.nFileSizeHigh != 0 ||
        facts.nFileSizeLow > kMaxLanguageChoiceBytes) {
        return std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> bytes = read_file_bytes(path);
    // Grown since it was measured: not a choice either.
    if (bytes && bytes->size() > kMaxLanguageChoiceBytes) return std::nullopt;
    return bytes;
}

}  // namespace

std::string language_file_path(const ProgramLocation& location) { return location.beside_program("\\language.ini"); }

Language language_at_start(const ProgramLocation& location) {
    const std::string path = language_file_path(location);
    std::optional<Language> chosen;
    if (const std::optional<std::vector<std::uint8_t>> bytes = read_small_file(path)) {
        chosen = read_language_choice(*bytes);
    }
    const bool settings_existed = file_exists(settings_file_path(location));
    const Language language = starting_language(chosen, settings_existed, PRIMARYLANGID(GetUserDefaultUILanguage()));
    // A fresh stick keeps the language it first spoke: the data.qb this
    // start creates would otherwise turn the next start Russian. A damaged
    // file is left to the user's next choice; a failed write changes
    // nothing (a read-only stick decides the same way at every start).
    if (!chosen && !settings_existed && !file_exists(path)) save_language_choice(location, language);
    return language;
}

bool save_language_choice(const ProgramLocation& location, Language language) {
    return write_file_replacing(language_file_path(location), write_language_choice(language));
}

}  // namespace qb

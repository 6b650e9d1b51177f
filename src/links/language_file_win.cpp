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
    std::optional<Language> chosen;
    if (const std::optional<std::vector<std::uint8_t>> bytes = read_small_file(language_file_path(location))) {
        chosen = read_language_choice(*bytes);
    }
    const bool settings_existed = file_exists(settings_file_path(location));
    return starting_language(chosen, settings_existed, PRIMARYLANGID(GetUserDefaultUILanguage()));
}

bool save_language_choice(const ProgramLocation& location, Language language) {
    return write_file_replacing(language_file_path(location), write_language_choice(language));
}

}  // namespace qb

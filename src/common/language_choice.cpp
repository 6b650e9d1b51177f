#include "common/language_choice.h"

#include <string>
#include <string_view>

#include "common/letter_case.h"

namespace qb {

namespace {

constexpr std::string_view kKey = "Language";

// Primary language identifiers (LANG_*) of systems whose users read Russian.
constexpr std::uint16_t kRussianReadingSystems[] = {0x19 /*Russian*/, 0x22 /*Ukrainian*/, 0x23 /*Belarusian*/,
                                                    0x3F /*Kazakh*/};

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<Language> read_language_choice(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxLanguageChoiceBytes) return std::nullopt;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // Notepad's "UTF-8" starts the file with its mark.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::optional<Language> found;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.starts_with(';') || line.starts_with('#')) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !equal_ignoring_case(trimmed(line.substr(0, equals)), kKey)) continue;
        const std::optional<Language> named = language_of_code(trimmed(line.substr(equals + 1)));
        // A key with no known language, or two keys that disagree: damaged.
        if (!named || (found && *found != *named)) return std::nullopt;
        found = named;
    }
    return found;
}

std::vector<std::uint8_t> write_language_choice(Language language) {
    std::string codes;
    for (const char* code : kLanguageCodes) codes += (codes.empty() ? "" : ", ") + std::string(code);
    const std::string text = "; The language of Quillobrante on this drive (" + codes + ")\r\n" + std::string(kKey) +
                             "=" + language_code(language) + "\r\n";
    return {text.begin(), text.end()};
}

Language starting_language(std::optional<Language> chosen, bool settings_file_existed,
                           std::uint16_t system_primary_language) {
    if (chosen) return *chosen;
    if (settings_file_existed) return kRussian;
    for (std::uint16_t russian_reading : kRussianReadingSystems) {
        if (system_primary_language == russian_reading) return kRussian;
    }
    return kEnglish;
}

}  // namespace qb

#include "links/icon_source.h"

#include <algorithm>
#include <array>

namespace qb {

namespace {

// Files that are, hold or point to icons: programs, libraries of icons,
// icons and cursors, shortcuts, installer packages, consoles.
constexpr std::array<std::string_view, 21> kOwnIconTypes = {
    ".exe", ".com", ".scr", ".cpl", ".dll", ".ocx", ".icl", ".ico", ".cur", ".ani", ".lnk",
    ".pif", ".url", ".website", ".appref-ms", ".msi", ".msp", ".msc", ".library-ms", ".search-ms", ".theme"};

char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// "%1", "%L", "%*" and the like name the file (or its parts) itself.
bool names_the_file(std::string_view value) {
    for (std::size_t i = 0; i + 1 < value.size(); ++i) {
        if (value[i] != '%') continue;
        const char next = lower_ascii(value[i + 1]);
        if ((next >= '0' && next <= '9') || next == 'l' || next == '*') return true;
    }
    return false;
}

}  // namespace

std::string file_type_of(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.back() == '.' || name.back() == ' ') return {};
    // "C:" aside, a colon in a name opens a stream.
    if (name.find(':') != std::string_view::npos) return {};
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::string type(name.substr(dot));
    std::transform(type.begin(), type.end(), type.begin(), lower_ascii);
    return type;
}

std::string shared_icon_type(std::string_view path) {
    std::string type = file_type_of(path);
    if (std::find(kOwnIconTypes.begin(), kOwnIconTypes.end(), type) != kOwnIconTypes.end()) return {};
    return type;
}

bool type_is_shortcut(std::string_view type) {
    constexpr std::array<std::string_view, 5> kShortcutTypes = {".lnk", ".pif", ".url", ".website", ".appref-ms"};
    return std::find(kShortcutTypes.begin(), kShortcutTypes.end(), type) != kShortcutTypes.end();
}

bool type_icon_is_files_first(const FileTypeFacts& facts) {
    if (facts.icon_handler || facts.unreadable_icon || facts.default_icons.empty()) return false;
    return std::all_of(facts.default_icons.begin(), facts.default_icons.end(), [](const std::string& value) {
        // Blanks and quotes around it aside; an index or anything else
        // names another icon.
        const std::size_t first = value.find_first_not_of(" \t\"");
        const std::size_t last = value.find_last_not_of(" \t\"");
        return first != std::string::npos && value.substr(first, last - first + 1) == "%1";
    });
}

bool type_icon_is_shared(const FileTypeFacts& facts) {
    if (facts.icon_handler || facts.unreadable_icon) return false;
    return std::none_of(facts.default_icons.begin(), facts.default_icons.end(),
                        [](const std::string& value) { return names_the_file(value); });
}

}  // namespace qb

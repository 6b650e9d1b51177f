#include "theme/theme_catalogue.h"

namespace qb {

bool is_theme_folder_entry(std::uint32_t attributes, std::string_view name) {
    return attributes == kDirectoryAttribute && name != "." && name != "..";
}

std::optional<std::size_t> find_theme_item(const std::vector<std::string>& items, std::string_view theme_name) {
    if (theme_name.starts_with('\\')) theme_name.remove_prefix(1);
    if (theme_name.empty() || items.empty()) return std::nullopt;
    // The search begins after the first item and wraps round to it last.
    for (std::size_t step = 1; step <= items.size(); ++step) {
        const std::size_t index = step % items.size();
        if (starts_with_ignoring_case(items[index], theme_name)) return index;
    }
    return std::nullopt;
}

}  // namespace qb

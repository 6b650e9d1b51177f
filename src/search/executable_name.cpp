#include "search/executable_name.h"

namespace qb {

namespace {
// ASCII only: the other bytes of code page 1251 never equal "exe".
char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool is_executable_name(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = name.substr(dot);
    constexpr std::string_view kExe = ".exe";
    if (extension.size() < kExe.size()) return false;
    for (std::size_t i = 0; i < kExe.size(); ++i) {
        if (ascii_lower(extension[i]) != kExe[i]) return false;
    }
    return true;
}

}  // namespace qb

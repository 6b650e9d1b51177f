#include "common/program_location_win.h"

#include <vector>

#include "common/wide_text_win.h"

namespace qb {

namespace {

std::wstring module_file_path_wide(HMODULE instance) {
    // A path cut to the buffer comes back filling it exactly (older
    // systems do not even terminate it), so the buffer grows until the
    // answer is shorter than it. Paths stop at 32,767 characters.
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        std::vector<wchar_t> buffer(size + 1, L'\0');
        const DWORD length = GetModuleFileNameW(instance, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) return std::wstring(buffer.data(), length);
    }
    return {};
}

// The path with every character that code page 1251 cannot hold written
// as "&#x...;": a name that is the same for the same path and differs for
// different ones, for a path no short name can bring into the code page.
std::string escaped_path(std::wstring_view path) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string escaped;
    for (const wchar_t c : path) {
        if (const std::optional<std::string> narrow = to_1251(std::wstring_view(&c, 1))) {
            escaped += *narrow;
            continue;
        }
        escaped += "&#x";
        for (int shift = 12; shift >= 0; shift -= 4) escaped.push_back(kDigits[(c >> shift) & 0xF]);
        escaped += ';';
    }
    return escaped;
}

}  // namespace

std::string module_file_path(HMODULE instance) {
    const std::wstring wide = module_file_path_wide(instance);
    if (std::optional<std::string> path = storable_path(wide)) return *path;
    return escaped_path(wide);
}

ProgramLocation locate_program(HINSTANCE instance) {
    const std::wstring wide = module_file_path_wide(instance);
    if (std::optional<std::string> path = storable_path(wide)) return location_from_module_path(*path);
    // A folder that code page 1251 cannot name, on a volume without short
    // names: the program's own files are reached relative to it, as the
    // current folder. Its root still comes from the path's shape.
    const ProgramLocation shape = location_from_module_path(escaped_path(wide));
    ProgramLocation location;
    const std::size_t last = wide.rfind(L'\\');
    if (last == std::wstring::npos || !SetCurrentDirectoryW(wide.substr(0, last + 1).c_str())) return location;
    location.program_dir.push_back('.');
    if (shape.drive_root.find("&#x") == std::string::npos) location.drive_root = shape.drive_root;
    return location;
}

}  // namespace qb

#include "common/program_location.h"

#include <cstdint>

#include "common/letter_case.h"

namespace qb {

namespace {

bool is_network_path(std::string_view path) { return path.size() >= 2 && path[0] == '\\' && path[1] == '\\'; }

// 64-bit FNV-1a from the given starting value.
std::uint64_t fnv1a(std::string_view text, std::uint64_t hash) {
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ull;
    }
    return hash;
}

void append_hex(std::string& out, std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 60; shift >= 0; shift -= 4) out.push_back(kDigits[(value >> shift) & 0xF]);
}

}  // namespace

std::string without_long_path_prefix(std::string_view path) {
    if (!(path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\"))) return std::string(path);
    std::string_view rest = path.substr(4);
    if (starts_with_ignoring_case(rest, "UNC\\")) return "\\\\" + std::string(rest.substr(4));
    return std::string(rest);
}

std::string plain_module_path(std::string_view module_path) {
    if (starts_with_ignoring_case(module_path, "UNC\\")) return "\\\\" + std::string(module_path.substr(4));
    return without_long_path_prefix(module_path);
}

std::string root_of_folder(std::string_view folder) {
    if (folder.empty()) return {};
    if (!is_network_path(folder)) return std::string(1, folder.front()) + ":\\";
    // \\server\share: the first two names after the double backslash.
    const std::size_t server_end = folder.find('\\', 2);
    if (server_end == std::string_view::npos || server_end == 2) return {};
    std::size_t share_end = folder.find('\\', server_end + 1);
    if (share_end == std::string_view::npos) share_end = folder.size();
    if (share_end == server_end + 1) return {};
    return std::string(folder.substr(0, share_end)) + "\\";
}

ProgramLocation location_from_module_path(std::string_view module_path) {
    ProgramLocation location;
    std::string_view dir = module_path;
    std::size_t last = dir.rfind('\\');
    if (last != std::string_view::npos) dir = dir.substr(0, last);
    if (!dir.empty() && dir.front() == '"') dir.remove_prefix(1);
    location.program_dir = plain_module_path(dir);
    // Without any path at all there is no drive to name; an empty root
    // makes every later lookup fail instead of guessing a drive.
    location.drive_root = root_of_folder(location.program_dir);
    return location;
}

std::string ProgramLocation::beside_program(std::string_view piece) const {
    std::string path = program_dir;
    path.append(piece);
    return path;
}

std::string ProgramLocation::theme_folder(std::string_view theme_name) const {
    std::string path = beside_program("\\Data");
    path.append(theme_name);
    return path;
}

std::string program_instance_name(std::string_view module_path) {
    const std::string identity = folded(plain_module_path(module_path));
    // Two 64-bit hashes from different starting values: paths of any
    // length fit the name, and two programs practically never share it.
    std::string name = "Quillobrante.";
    append_hex(name, fnv1a(identity, 0xCBF29CE484222325ull));
    append_hex(name, fnv1a(identity, 0x84222325CBF29CE4ull));
    return name;
}

}  // namespace qb

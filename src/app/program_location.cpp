#include "app/program_location.h"

namespace qb {

std::string program_dir;
std::string drive_root;

ProgramLocation location_from_module_path(std::string_view module_path) {
    ProgramLocation location;
    std::string_view dir = module_path;
    std::size_t last = dir.rfind('\\');
    if (last != std::string_view::npos) dir = dir.substr(0, last);
    if (!dir.empty() && dir.front() == '"') dir.remove_prefix(1);
    location.program_dir.assign(dir);
    // Without any path at all there is no drive to name; an empty root
    // makes every later lookup fail instead of guessing a drive.
    if (!location.program_dir.empty()) {
        location.drive_root = std::string(1, location.program_dir.front()) + ":\\";
    }
    return location;
}

void set_program_location(const ProgramLocation& location) {
    program_dir = location.program_dir;
    drive_root = location.drive_root;
}

std::string beside_program(std::string_view piece) {
    std::string path = program_dir;
    path.append(piece);
    return path;
}

}  // namespace qb

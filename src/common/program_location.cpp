#include "common/program_location.h"

namespace qb {

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

}  // namespace qb

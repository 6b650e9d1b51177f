#include "common/program_location_win.h"

namespace qb {

ProgramLocation locate_program(HINSTANCE instance) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(instance, path, MAX_PATH);
    return location_from_module_path(path);
}

}  // namespace qb

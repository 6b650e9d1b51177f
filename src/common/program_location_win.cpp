#include "common/program_location_win.h"

#include <vector>

namespace qb {

std::string module_file_path(HMODULE instance) {
    // A path cut to the buffer comes back filling it exactly (older
    // systems do not even terminate it), so the buffer grows until the
    // answer is shorter than it. Paths stop at 32,767 characters.
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        std::vector<char> buffer(size + 1, '\0');
        const DWORD length = GetModuleFileNameA(instance, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) return std::string(buffer.data(), length);
    }
    return {};
}

ProgramLocation locate_program(HINSTANCE instance) { return location_from_module_path(module_file_path(instance)); }

}  // namespace qb

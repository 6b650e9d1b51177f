#include "autorun/autorun_file_win.h"

#include <windows.h>

namespace qb {

std::uint16_t check_autorun_file(const std::string& /*drive_root*/) {
    // The comparison with autorun.inf is not built yet: no findings.
    return 0;
}

void protect_autorun_file(const std::string& drive_root) {
    if (drive_root.empty()) return;  // never a file of the current folder
    const std::string path = drive_root + "autorun.inf";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
}

}  // namespace qb

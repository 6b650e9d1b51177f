#include "autorun/autorun_file_win.h"

#include <windows.h>

#include <string>

#include "app/program_location.h"
#include "autorun/autorun_state.h"

namespace qb {

void check_autorun_file() {
    // Not built yet: reading and comparing autorun.inf comes with the
    // autorun work. Until then the check reports no findings.
    autorun_state = 0;
}

void protect_autorun_file() {
    if (drive_root.empty()) return;  // never a file of the current folder
    const std::string path = drive_root + "autorun.inf";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
}

}  // namespace qb

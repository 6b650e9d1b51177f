#include <windows.h>

#include "app/lifecycle_win.h"
#include "app/startup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int /*show*/) {
    const int exit_code = qb::run_program(instance);
    // files.dat goes last, when everything else of the run is done; the
    // containers themselves are destroyed after this returns.
    qb::save_found_files_at_exit();
    return exit_code;
}

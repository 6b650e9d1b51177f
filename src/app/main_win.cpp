#include <windows.h>

#include "app/library_search_win.h"
#include "app/lifecycle_win.h"
#include "app/startup_win.h"
#include "common/modal_seams_win.h"
#include "mainwindow/program_state_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int /*show*/) {
    qb::limit_library_search();  // before anything can bring in a library
    qb::SystemModalSeams seams;
    qb::ProgramState program(instance, seams);
    const int exit_code = qb::run_program(program);
    // files.dat goes last, when everything else of the run is done; the
    // program's state itself is destroyed after this returns.
    qb::save_found_files_at_exit(program);
    return exit_code;
}

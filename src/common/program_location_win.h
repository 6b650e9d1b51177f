#pragma once
// Where the running program's executable is.
#include <windows.h>

#include <string>

#include "common/program_location.h"

namespace qb {

// The full path of the module `instance` was loaded from, however long
// (the buffer grows until the whole path fits); empty when it cannot be had.
std::string module_file_path(HMODULE instance);

// The folder and drive root of the module `instance` was loaded from.
ProgramLocation locate_program(HINSTANCE instance);

}  // namespace qb

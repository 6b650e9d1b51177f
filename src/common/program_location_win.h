#pragma once
// Where the running program's executable is.
#include <windows.h>

#include <string>

#include "common/program_location.h"

namespace qb {

// The full path of the module `instance` was loaded from, however long
// (the buffer grows until the whole path fits), in code page 1251 with
// short names where a name does not convert; empty when it cannot be had.
std::string module_file_path(HMODULE instance);

// The folder and drive root of the module `instance` was loaded from. A
// folder that no 1251 name reaches becomes the current folder, and the
// program's files are named relative to it (program_dir ".").
ProgramLocation locate_program(HINSTANCE instance);

}  // namespace qb

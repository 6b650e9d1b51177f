#pragma once
// Where the running program's executable is.
#include <windows.h>

#include "common/program_location.h"

namespace qb {

// The folder and drive root of the module `instance` was loaded from.
ProgramLocation locate_program(HINSTANCE instance);

}  // namespace qb

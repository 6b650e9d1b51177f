#pragma once
#include <windows.h>

namespace qb {

// Starts the thread that scans the drive for new programs; null when it
// cannot be started (the program then runs without it).
HANDLE start_watch_thread();

}  // namespace qb

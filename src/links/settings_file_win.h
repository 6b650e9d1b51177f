#pragma once
// data.qb beside the program: read once at start-up, written at shutdown.
#include <windows.h>

#include <string>

namespace qb {

std::string settings_file_path();

// Fills AppSettings and the link list, makes every link's picture and
// reads the theme. A file that cannot be opened is reported and the
// built-in values are used.
void load_settings(HWND window, HINSTANCE instance);

// Writes the settings and links; the old file stays whole when the
// write fails, and the failure is reported.
bool save_settings();

}  // namespace qb

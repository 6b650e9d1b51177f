#pragma once
// data.qb beside the program: read once at start-up, written at shutdown.
#include <windows.h>

#include <string>

#include "common/modal_seams_win.h"
#include "common/program_location.h"
#include "links/app_settings.h"
#include "links/link_list.h"

namespace qb {

std::string settings_file_path(const ProgramLocation& location);

// Fills the settings and the link list from data.qb and makes every
// link's picture (shell icons drawn for `window`). A first start creates
// the file empty. A file that cannot be opened is reported and the
// built-in values are used. links_loaded is set when the file held links.
void load_settings(const ProgramLocation& location, ModalSeams& seams, HWND window, AppSettings& settings,
                   LinkList& links, bool& links_loaded);

// Writes the settings and links; the old file stays whole when the
// write fails, and the failure is reported.
bool save_settings(const ProgramLocation& location, ModalSeams& seams, const AppSettings& settings,
                   const LinkList& links);

}  // namespace qb

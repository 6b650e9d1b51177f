#pragma once
// files.dat beside the program: the executables known on the drive.
#include <string>

#include "search/found_file_list.h"

namespace qb {

// Sets the list's file path to `path` and adds every stored record as
// known. A missing or unreadable file leaves the records as they were.
void load_found_files(FoundFileList& list, const std::string& path);
// Writes the list to its file path, replacing the old file only once the
// new one is complete; false when the list has no path (never loaded) or
// the write failed.
bool save_found_files(const FoundFileList& list);
// The list changed and the search service is on at this moment.
bool found_files_need_saving(const FoundFileList& list, bool use_search_service);

}  // namespace qb

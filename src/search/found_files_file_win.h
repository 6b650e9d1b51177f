#pragma once
// files.dat beside the program: the executables known on the drive.
#include <string>

#include "search/found_file_list.h"

namespace qb {

// Sets the list's file path and adds every stored record as known.
void load_found_files(FoundFileList& list, const std::string& path);
// Writes the list to its file path (silently nothing when it cannot).
void save_found_files(const FoundFileList& list);
// The list changed and the search service is on at this moment.
bool found_files_need_saving(const FoundFileList& list, bool use_search_service);

}  // namespace qb

#pragma once
// files.dat beside the program: the executables known on the drive.
namespace qb {

// Sets the list's file path and adds every stored record as known.
void load_found_files();
// Writes the list to its file path (silently nothing when it cannot).
void save_found_files();
// The list changed and the search service is on at this moment.
bool found_files_need_saving();
// At exit: saves when the list changed and the search service is on.
// Runs once, whether from a session's end or from the exit itself.
void save_found_files_at_exit();

}  // namespace qb

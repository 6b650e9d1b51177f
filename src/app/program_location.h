#pragma once
// Where the program lives: its folder and its drive root, derived from
// the executable's path at every start (nothing about it is stored).
#include <string>
#include <string_view>

namespace qb {

// Folder of the executable without a trailing backslash ("E:" for a
// program in the drive root).
extern std::string program_dir;
// Drive letter, colon and backslash ("E:\"); link targets are relative to it.
extern std::string drive_root;
struct ProgramLocation {
    std::string program_dir;
    std::string drive_root;
};

// Cuts the module path at its last backslash and drops a leading quote.
ProgramLocation location_from_module_path(std::string_view module_path);

// Sets program_dir and drive_root (tests point them at a drive of their own).
void set_program_location(const ProgramLocation& location);

// program_dir followed by a piece that starts with a backslash.
std::string beside_program(std::string_view piece);

}  // namespace qb

#pragma once
// Where the program lives: its folder and its drive root, derived from
// the executable's path at every start (nothing about it is stored).
#include <string>
#include <string_view>

namespace qb {

struct ProgramLocation {
    // Folder of the executable without a trailing backslash ("E:" for a
    // program in the drive root).
    std::string program_dir;
    // Drive letter, colon and backslash ("E:\"); link targets are relative to it.
    std::string drive_root;

    // program_dir followed by a piece that starts with a backslash.
    std::string beside_program(std::string_view piece) const;
    // The folder of a theme: program_dir, "\Data" and the theme name
    // (which carries its own leading backslash, as "\MAINTHEME").
    std::string theme_folder(std::string_view theme_name) const;
};

// Cuts the module path at its last backslash and drops a leading quote.
ProgramLocation location_from_module_path(std::string_view module_path);

}  // namespace qb

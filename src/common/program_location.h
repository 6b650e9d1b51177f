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
    // Drive letter, colon and backslash ("E:\"), or the share of a network
    // path ("\\server\share\"); link targets are relative to it.
    std::string drive_root;

    // program_dir followed by a piece that starts with a backslash.
    std::string beside_program(std::string_view piece) const;
    // The folder of a theme: program_dir, "\Data" and the theme name
    // (which carries its own leading backslash, as "\MAINTHEME").
    std::string theme_folder(std::string_view theme_name) const;
};

// Cuts the module path at its last backslash and drops a leading quote;
// the folder then gets its plain form (plain_module_path).
ProgramLocation location_from_module_path(std::string_view module_path);

// The root of a folder: its drive ("E:\") or its network share
// ("\\server\share\"); empty for a network path without a share.
std::string root_of_folder(std::string_view folder);

// The plain form of a long-path name: "\\?\E:\x" is "E:\x" and
// "\\?\UNC\server\share\x" is "\\server\share\x"; other paths are kept.
std::string without_long_path_prefix(std::string_view path);

// The plain form of a module's path: without_long_path_prefix, and
// "UNC\server\share\x" (how Wine names a module on a share: the long
// form without its "\\?\") is "\\server\share\x". A module path is
// always absolute, so that form can mean nothing else.
std::string plain_module_path(std::string_view module_path);

// The name of the lock that one running copy of the program holds: the
// same for every spelling of its full path that Windows takes as the same
// file (letter case, the long-path form), and a valid kernel object name
// (no backslash) whatever the path's length.
std::string program_instance_name(std::string_view module_path);

}  // namespace qb

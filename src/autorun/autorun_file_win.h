#pragma once
// The drive's autorun.inf: written so that the drive starts this program
// with the current theme's icon, and checked against the running program.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "autorun/autorun_rules.h"
#include "common/modal_seams_win.h"
#include "common/program_location_win.h"  // module_file_path, the running executable's path

namespace qb {

// Where the program runs from, as autorun.inf names it.
struct AutorunPlace {
    std::string drive_root;    // "E:\"; autorun.inf lives here
    std::string module_path;   // the running executable, e.g. "E:\Tools\Quillobrante.exe"
    std::string theme_folder;  // the current theme, e.g. "E:\Tools\Data\MAINTHEME"
};

// drive_root followed by "autorun.inf".
std::string autorun_file_path(const std::string& drive_root);

// Writes autorun.inf afresh, replacing any file there (a read-only or
// system one too), and leaves it read-only and system. With
// show_messages, tells the user the result through `seams`, in a message
// box owned by `owner`, in `language`. The file is replaced in one step, so a failed write leaves the
// old one as it was.
AutorunWriteResult write_autorun_file(const AutorunPlace& place, ModalSeams& seams, HWND owner, Language language,
                                      bool show_messages);

// The silent rewrite of a theme switch: writes the file when there is none
// or when it carries the program's marker; any other file (or folder) of
// that name is the user's own and stays as it is (LeftForeign).
AutorunWriteResult rewrite_autorun_file_quietly(const AutorunPlace& place);

// The process's command line in code page 1251; none when it holds a
// character 1251 has not (such a line names no program autorun.inf can).
std::optional<std::string> process_command_line();

// Compares the drive's autorun.inf with the program that `command_line`
// (process_command_line) started; returns the findings, the bits of
// autorun_state.h (0 when in order). No command line matches no file.
std::uint16_t check_autorun_file(const std::string& drive_root, std::optional<std::string_view> command_line);

// Makes autorun.inf in the drive root read-only and system, so that it is
// not changed or removed by accident; a missing file is left alone, and so
// is everything when the drive root is unknown.
void protect_autorun_file(const std::string& drive_root);

}  // namespace qb

#pragma once
// What the drive's autorun.inf holds and how a file found there is judged
// against the running program. The Win32 layer only moves bytes and
// values between these rules and the drive.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

inline constexpr const char* kAutorunFileName = "autorun.inf";
// The first line of every file the program writes: a comment for Windows,
// the program's signature for itself.
inline constexpr std::string_view kAutorunMarker = ";QUILLOBRANTE";
inline constexpr const char* kAutorunSection = "AutoRun";
inline constexpr const char* kShellExecuteKey = "shellexecute";
inline constexpr const char* kIconKey = "Icon";
// What a file without a shellexecute key is taken to start.
inline constexpr const char* kDefaultProgramValue = "Quillobrante.exe";
// The icon a theme may offer for the drive, inside its folder.
inline constexpr const char* kThemeIconFile = "\\icon.ico";
// The longest value read back from the file, terminator included.
inline constexpr int kAutorunValueBuffer = 260;

// The nine CRLF-ended lines written before the values are filled in.
std::string_view autorun_template();

// A path relative to its drive root: without drive letter, colon and
// backslash. Shorter texts give an empty value.
std::string drive_relative(std::string_view path);

// The value that starts the program: its module path relative to the drive.
std::string program_value(std::string_view module_path);

// The Icon value: the theme's icon when it has one, else the first icon of
// the program itself.
std::string icon_value(std::string_view program, std::string_view theme_icon_path, bool theme_icon_exists);

// The first bytes of a file start with the marker, exactly.
bool has_autorun_marker(std::string_view first_bytes);

// The running program as the command line names it, relative to its drive.
// A quoted program is the text between the quotes; anything but blanks
// after the closing quote means more than the program was started, and
// gives none. An unquoted line is taken whole.
std::optional<std::string> command_line_program(std::string_view command_line);

// The findings of a check (the bits of autorun_state.h). `first_bytes` is
// none when the file could not be opened; then nothing else is judged.
// `command_line` is none when the program could not read its own command
// line; it then matches no shellexecute value.
std::uint16_t autorun_findings(std::optional<std::string_view> first_bytes, std::string_view shellexecute_value,
                               std::optional<std::string_view> command_line);

enum class AutorunWriteResult {
    Failed,           // the file could not be created or replaced; the old one stays
    Configured,       // written, with at least one of its two values
    ConfigureFailed,  // neither value could be written; the old file stays
    LeftForeign,      // a quiet rewrite found a file the program did not write
};

// The findings after a write, given those before it.
std::uint16_t findings_after_write(AutorunWriteResult result, std::uint16_t before);

}  // namespace qb

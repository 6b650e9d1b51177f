#include "autorun/autorun_rules.h"

#include "autorun/autorun_state.h"

namespace qb {

namespace {
constexpr std::string_view kTemplate =
    ";QUILLOBRANTE\r\n"
    "[AutoRun]\r\n"
    "shellexecute=\r\n"
    "Action=Quillobrante\r\n"
    "Icon=\r\n"
    "[Content]\r\n"
    "MusicFiles=false\r\n"
    "PictureFiles=false\r\n"
    "VideoFiles=false\r\n";

constexpr std::size_t kDrivePrefixLength = 3;  // "E:\"

bool is_blank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string_view autorun_template() { return kTemplate; }

std::string drive_relative(std::string_view path) {
    if (path.size() < kDrivePrefixLength) return {};
    return std::string(path.substr(kDrivePrefixLength));
}

std::string program_value(std::string_view module_path) { return drive_relative(module_path); }

std::string icon_value(std::string_view program, std::string_view theme_icon_path, bool theme_icon_exists) {
    if (theme_icon_exists) return drive_relative(theme_icon_path);
    return std::string(program) + ",0";
}

bool has_autorun_marker(std::string_view first_bytes) { return first_bytes.starts_with(kAutorunMarker); }

std::optional<std::string> command_line_program(std::string_view command_line) {
    std::string_view program = command_line;
    if (!command_line.empty() && command_line.front() == '"') {
        const std::size_t closing = command_line.find('"', 1);
        if (closing == std::string_view::npos) {
            program = command_line.substr(1);
        } else {
            program = command_line.substr(1, closing - 1);
            for (char c : command_line.substr(closing + 1)) {
                if (!is_blank(c)) return std::nullopt;
            }
        }
    }
    if (program.size() >= kDrivePrefixLength && program[1] == ':' && program[2] == '\\') {
        program.remove_prefix(kDrivePrefixLength);
    }
    return std::string(program);
}

std::uint16_t autorun_findings(std::optional<std::string_view> first_bytes, std::string_view shellexecute_value,
                               std::optional<std::string_view> command_line) {
    if (!first_bytes) return kAutorunMissing;
    std::uint16_t findings = 0;
    if (!has_autorun_marker(*first_bytes)) findings |= kAutorunForeign;
    const std::optional<std::string> program =
        command_line ? command_line_program(*command_line) : std::nullopt;
    if (!program || *program != shellexecute_value) findings |= kAutorunWrongTarget;
    return findings;
}

std::uint16_t findings_after_write(AutorunWriteResult result, std::uint16_t before) {
    return result == AutorunWriteResult::Configured ? 0 : before;
}

}  // namespace qb

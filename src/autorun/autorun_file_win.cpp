#include "autorun/autorun_file_win.h"

#include <optional>
#include <vector>

#include "autorun/autorun_state.h"
#include "common/file_io_win.h"
#include "common/modal_seams_win.h"
#include "common/profile_text.h"
#include "common/ui_texts.h"
#include "common/wide_text_win.h"
#include "common/win_handles_win.h"

namespace qb {

namespace {

// The first bytes of a file, as many as the marker has; none when the
// file cannot be opened with `share`. A file that opens but cannot be
// read gives no bytes, so it cannot pass for one of the program's.
std::optional<std::string> read_first_bytes(const std::string& path, DWORD share) {
    UniqueFile file = open_file(path, GENERIC_READ, share, OPEN_EXISTING);
    if (!file) return std::nullopt;
    char bytes[kAutorunMarker.size()] = {};
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes, sizeof bytes, &got, nullptr)) return std::string{};
    return std::string(bytes, got);
}

bool set_attributes(const std::string& path, DWORD attributes) {
    return SetFileAttributesW(system_path(path).c_str(), attributes) != FALSE;
}

// The template with its two values filled in, as code page 1251 bytes
// whatever the system's own code page is.
std::string autorun_text(const AutorunPlace& place) {
    const std::string program = program_value(place.module_path);
    const std::string icon_path = place.theme_folder + kThemeIconFile;
    const std::string icon = icon_value(program, icon_path, file_exists(icon_path));
    std::string text = with_profile_value(autorun_template(), kAutorunSection, kShellExecuteKey, program);
    return with_profile_value(text, kAutorunSection, kIconKey, icon);
}

// The whole text goes into a file beside autorun.inf, and only a complete
// file replaces the old one.
AutorunWriteResult write_file(const AutorunPlace& place) {
    if (place.drive_root.empty()) return AutorunWriteResult::Failed;  // never a file of the current folder
    const std::string path = autorun_file_path(place.drive_root);
    const std::string text = autorun_text(place);

    const DWORD old_attributes = GetFileAttributesW(system_path(path).c_str());
    set_attributes(path, FILE_ATTRIBUTE_NORMAL);  // a read-only or system file can then be replaced
    if (!write_file_replacing(path, std::vector<std::uint8_t>(text.begin(), text.end()))) {
        if (old_attributes != INVALID_FILE_ATTRIBUTES) set_attributes(path, old_attributes);
        return AutorunWriteResult::Failed;
    }
    set_attributes(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    return AutorunWriteResult::Configured;
}

void report_write(AutorunWriteResult result, ModalSeams& seams, HWND owner, Language language) {
    text::Id message = text::kAutorunCreateFailed;
    switch (result) {
        case AutorunWriteResult::Failed:
            message = text::kAutorunCreateFailed;
            break;
        case AutorunWriteResult::Configured:
            message = text::kAutorunConfigured;
            break;
        case AutorunWriteResult::ConfigureFailed:
            message = text::kAutorunConfigureFailed;
            break;
        case AutorunWriteResult::LeftForeign:
            return;
    }
    seams.message_box(owner, message, text::kCheckResultCaption, MB_OK, language);
}

// Only a file that is surely absent, or surely the program's, may be
// replaced without asking.
bool may_rewrite_quietly(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(system_path(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    const std::optional<std::string> first = read_first_bytes(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
    return first && has_autorun_marker(*first);
}

}  // namespace

std::string autorun_file_path(const std::string& drive_root) { return drive_root + kAutorunFileName; }

AutorunWriteResult write_autorun_file(const AutorunPlace& place, ModalSeams& seams, HWND owner, Language language,
                                      bool show_messages) {
    const AutorunWriteResult result = write_file(place);
    if (show_messages) report_write(result, seams, owner, language);
    return result;
}

AutorunWriteResult rewrite_autorun_file_quietly(const AutorunPlace& place) {
    if (place.drive_root.empty()) return AutorunWriteResult::Failed;
    if (!may_rewrite_quietly(autorun_file_path(place.drive_root))) return AutorunWriteResult::LeftForeign;
    return write_file(place);
}

std::optional<std::string> process_command_line() { return to_1251(GetCommandLineW()); }

std::uint16_t check_autorun_file(const std::string& drive_root, std::optional<std::string_view> command_line) {
    if (drive_root.empty()) return kAutorunMissing;
    // No sharing: a file in use counts as missing.
    const UniqueFile file = open_file(autorun_file_path(drive_root), GENERIC_READ, 0, OPEN_EXISTING);
    if (!file) return autorun_findings(std::nullopt, {}, command_line);
    // A file that cannot be read whole (or is far too big for an
    // autorun.inf) gives no bytes, so it cannot pass for one of the program's.
    const std::optional<std::vector<std::uint8_t>> bytes = read_open_file(file.get());
    const std::string text = bytes ? std::string(bytes->begin(), bytes->end()) : std::string{};
    std::string value = profile_value(text, kAutorunSection, kShellExecuteKey).value_or(kDefaultProgramValue);
    if (value.size() >= static_cast<std::size_t>(kAutorunValueBuffer)) value.resize(kAutorunValueBuffer - 1);
    const std::string_view first = std::string_view(text).substr(0, kAutorunMarker.size());
    return autorun_findings(first, value, command_line);
}

void protect_autorun_file(const std::string& drive_root) {
    if (drive_root.empty()) return;  // never a file of the current folder
    set_attributes(autorun_file_path(drive_root), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
}

}  // namespace qb

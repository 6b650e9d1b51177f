#include "autorun/autorun_file_win.h"

#include <optional>

#include "autorun/autorun_state.h"
#include "common/file_io_win.h"
#include "common/modal_seams_win.h"
#include "common/ui_texts.h"
#include "common/win_handles_win.h"

namespace qb {

namespace {

// The first bytes of a file, as many as the marker has; none when the
// file cannot be opened with `share`. A file that opens but cannot be
// read gives no bytes, so it cannot pass for one of the program's.
std::optional<std::string> read_first_bytes(const std::string& path, DWORD share) {
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    char bytes[kAutorunMarker.size()] = {};
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes, sizeof bytes, &got, nullptr)) return std::string{};
    return std::string(bytes, got);
}

bool write_all(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD put = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) || put == 0) return false;
        bytes.remove_prefix(put);
    }
    return true;
}

// Puts what the profile functions wrote on the drive before the file
// takes the place of the old one.
bool flush_to_drive(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get());
}

// The template goes into a file beside autorun.inf, its two values are
// filled in there, and only a complete file replaces the old one.
AutorunWriteResult write_file(const AutorunPlace& place) {
    if (place.drive_root.empty()) return AutorunWriteResult::Failed;  // never a file of the current folder
    const std::string path = autorun_file_path(place.drive_root);
    const std::string temporary = replacement_path(path);

    const DWORD old_attributes = GetFileAttributesA(path.c_str());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only or system file can then be replaced
    const auto give_up = [&](AutorunWriteResult result) {
        DeleteFileA(temporary.c_str());
        if (old_attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), old_attributes);
        return result;
    };

    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);  // a leftover of a pulled drive
    {
        UniqueFile file(CreateFileA(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !write_all(file.get(), autorun_template())) return give_up(AutorunWriteResult::Failed);
    }

    const std::string program = program_value(place.module_path);
    const std::string icon_path = place.theme_folder + kThemeIconFile;
    const bool icon_exists = GetFileAttributesA(icon_path.c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::string icon = icon_value(program, icon_path, icon_exists);
    int successes = 0;
    if (WritePrivateProfileStringA(kAutorunSection, kShellExecuteKey, program.c_str(), temporary.c_str())) ++successes;
    if (WritePrivateProfileStringA(kAutorunSection, kIconKey, icon.c_str(), temporary.c_str())) ++successes;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, temporary.c_str());  // empties the profile cache
    if (successes == 0) return give_up(AutorunWriteResult::ConfigureFailed);

    if (!flush_to_drive(temporary) ||
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return give_up(AutorunWriteResult::Failed);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    return AutorunWriteResult::Configured;
}

void report_write(AutorunWriteResult result, ModalSeams& seams, HWND owner) {
    const char* message = nullptr;
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
    seams.message_box(owner, message, text::kCheckResultCaption, MB_OK);
}

// Only a file that is surely absent, or surely the program's, may be
// replaced without asking.
bool may_rewrite_quietly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
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

AutorunWriteResult write_autorun_file(const AutorunPlace& place, ModalSeams& seams, HWND owner,
                                      bool show_messages) {
    const AutorunWriteResult result = write_file(place);
    if (show_messages) report_write(result, seams, owner);
    return result;
}

AutorunWriteResult rewrite_autorun_file_quietly(const AutorunPlace& place) {
    if (place.drive_root.empty()) return AutorunWriteResult::Failed;
    if (!may_rewrite_quietly(autorun_file_path(place.drive_root))) return AutorunWriteResult::LeftForeign;
    return write_file(place);
}

std::uint16_t check_autorun_file(const std::string& drive_root, std::string_view command_line) {
    if (drive_root.empty()) return kAutorunMissing;
    const std::string path = autorun_file_path(drive_root);
    const std::optional<std::string> first = read_first_bytes(path, 0);  // no sharing: a file in use is "missing"
    if (!first) return autorun_findings(std::nullopt, {}, command_line);
    char value[kAutorunValueBuffer] = {};
    GetPrivateProfileStringA(kAutorunSection, kShellExecuteKey, kDefaultProgramValue, value, sizeof value,
                             path.c_str());
    return autorun_findings(std::string_view(*first), value, command_line);
}

void protect_autorun_file(const std::string& drive_root) {
    if (drive_root.empty()) return;  // never a file of the current folder
    SetFileAttributesA(autorun_file_path(drive_root).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
}

}  // namespace qb

#include "common/file_io_win.h"

#include "common/aside_name.h"
#include "common/wide_text_win.h"

namespace qb {

std::wstring system_path(const std::string& path) {
    const std::wstring wide = to_wide(path);
    // The plain form ends at MAX_PATH characters with its terminator.
    if (wide.size() < MAX_PATH || wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) return wide;
    if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\') return L"\\\\?\\" + wide;
    if (wide.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + wide.substr(2);
    return wide;  // a relative path has no long form
}

UniqueFile open_file(const std::string& path, DWORD access, DWORD share, DWORD creation) {
    return UniqueFile(
        CreateFileW(system_path(path).c_str(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::vector<std::uint8_t>> read_file_bytes(const std::string& path) {
    UniqueFile file = open_file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!file) return std::nullopt;
    return read_open_file(file.get());
}

std::optional<std::vector<std::uint8_t>> read_open_file(HANDLE file) {
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return std::nullopt;
    const std::uint64_t size = (std::uint64_t{high} << 32) | low;
    if (size > kMaxDriveFileBytes) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - filled);
        if (!ReadFile(file, bytes.data() + filled, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;  // the file became shorter meanwhile: what is there is all of it
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

std::string replacement_path(const std::string& path) { return path + ".new"; }

bool replace_through_temporary(const std::string& path, const std::function<bool(const std::string&)>& fill) {
    const std::string temporary = replacement_path(path);
    // A leftover of a pulled drive may carry attributes that refuse a rewrite.
    SetFileAttributesW(system_path(temporary).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!fill(temporary) || !MoveFileExW(system_path(temporary).c_str(), system_path(path).c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        delete_file(temporary);
        return false;
    }
    return true;
}

namespace {

bool write_whole_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    UniqueFile file = open_file(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    if (!file) return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - written);
        if (!WriteFile(file.get(), bytes.data() + written, want, &put, nullptr) || put == 0) break;
        written += put;
    }
    return written == bytes.size() && FlushFileBuffers(file.get());
}

}  // namespace

bool write_file_replacing(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return replace_through_temporary(path, [&bytes](const std::string& temporary) {
        return write_whole_file(temporary, bytes);
    });
}

std::optional<std::string> move_aside(const std::string& path) {
    const std::wstring from = system_path(path);
    for (int attempt = 1; attempt <= kMaxAsideNames; ++attempt) {
        std::string name = aside_name(path, attempt);
        // MoveFile never replaces: a name taken meanwhile only means the next one.
        if (MoveFileW(from.c_str(), system_path(name).c_str())) return name;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return std::nullopt;
    }
    return std::nullopt;
}

bool file_exists(const std::string& path) {
    return GetFileAttributesW(system_path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool regular_file_exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(system_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool delete_file(const std::string& path) { return DeleteFileW(system_path(path).c_str()) != FALSE; }

}  // namespace qb

#include "common/file_io_win.h"

#include <algorithm>

#include "common/win_handles_win.h"

namespace qb {

std::optional<std::vector<std::uint8_t>> read_file_bytes(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    return read_open_file(file.get());
}

std::vector<std::uint8_t> read_open_file(void* handle) {
    std::vector<std::uint8_t> bytes;
    DWORD high = 0;
    DWORD low = GetFileSize(handle, &high);
    std::uint64_t size = (std::uint64_t{high} << 32) | low;
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) size = 0;
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, kMaxDriveFileBytes)));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(bytes.size() - filled);
        if (!ReadFile(handle, bytes.data() + filled, want, &got, nullptr) || got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

std::string replacement_path(const std::string& path) { return path + ".new"; }

bool replace_through_temporary(const std::string& path, const std::function<bool(const std::string&)>& fill) {
    const std::string temporary = replacement_path(path);
    if (!fill(temporary) ||
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

namespace {

bool write_whole_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(bytes.size() - written);
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

bool file_exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool regular_file_exists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace qb

#pragma once
// Reading and writing the program's own files on the drive. Writes go to
// a temporary file beside the target, which replaces it only when all
// bytes are on the drive: a stick pulled mid-write leaves the old file.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qb {

// Files read from the drive are at most this large; a bigger one is read
// only this far (no file of the program's is near it).
inline constexpr std::uint32_t kMaxDriveFileBytes = 16u * 1024 * 1024;

// The bytes of an existing file; none when it cannot be opened.
std::optional<std::vector<std::uint8_t>> read_file_bytes(const std::string& path);

// The bytes of a file opened for reading (a HANDLE), at most kMaxDriveFileBytes.
std::vector<std::uint8_t> read_open_file(void* handle);

// Replaces `path` with `bytes` through a temporary file; false on any failure,
// the old file then stays as it was.
bool write_file_replacing(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Replaces `path` by a temporary file beside it that `fill` writes (given
// its path; false when it failed). The temporary file replaces the target
// only after `fill` succeeded; otherwise it is removed and the old file
// stays as it was.
bool replace_through_temporary(const std::string& path, const std::function<bool(const std::string&)>& fill);

// The temporary file a replacing write uses for `path`.
std::string replacement_path(const std::string& path);

bool file_exists(const std::string& path);        // a file or a folder
bool regular_file_exists(const std::string& path);  // a file, not a folder

}  // namespace qb

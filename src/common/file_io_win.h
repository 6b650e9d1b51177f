#pragma once
// Reading and writing the program's own files on the drive. Writes go to
// a temporary file beside the target, which replaces it only when all
// bytes are on the drive: a stick pulled mid-write leaves the old file.
// Paths are the program's code page 1251 paths; one longer than the
// system's plain limit (a program folder deep on the stick) is reached in
// its long form.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/win_handles_win.h"

namespace qb {

// Files read from the drive are at most this large (no file of the
// program's is near it); a bigger one counts as unreadable, since reading
// only a part of it and saving that would lose the rest.
inline constexpr std::uint32_t kMaxDriveFileBytes = 16u * 1024 * 1024;

// The name the system's wide functions take for a path: the same path, with the long-path prefix ("\\?\", "\\?\UNC\") when it is too
// long for the plain form.
std::wstring system_path(const std::string& path);

// CreateFile for a path of any length.
UniqueFile open_file(const std::string& path, DWORD access, DWORD share, DWORD creation);

// The bytes of an existing file; none when it cannot be opened or read whole.
std::optional<std::vector<std::uint8_t>> read_file_bytes(const std::string& path);

// The bytes of a file opened for reading; none on a read error or when
// the file is larger than kMaxDriveFileBytes.
std::optional<std::vector<std::uint8_t>> read_open_file(HANDLE file);

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

// Renames `path` to the first free name of aside_name (data.qb.unread,
// data.qb.unread2, ...) without replacing anything; the name used, or
// none when the file stays where it is.
std::optional<std::string> move_aside(const std::string& path);

bool file_exists(const std::string& path);        // a file or a folder
bool regular_file_exists(const std::string& path);  // a file, not a folder
bool delete_file(const std::string& path);

}  // namespace qb

#pragma once
// The program's memory of which executables exist on its drive, which of
// them appeared since the last look, and the bytes of files.dat.
//
// Shared by the watch thread and the GUI thread. Every operation locks
// the list; a caller that keeps a record across several calls (painting,
// a click on the panel) holds `guard()` meanwhile, so no record is freed
// under it. The lock is recursive for that reason. Nobody may hold it
// while sending a message to the main window.
#include <cstdint>
#include <list>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qb {

struct FoundFile {
    // Relative to the drive root; the identity, letter case aside (as
    // Windows names files), spelled as it was first met.
    std::string path;
    std::string name;    // after the last backslash
    std::string folder;  // before the last backslash
    bool not_seen = false;
    bool is_new = true;
    std::int32_t slide_offset = 1000;
};

class FoundFileList {
public:
    using Guard = std::unique_lock<std::recursive_mutex>;

    FoundFileList() = default;
    FoundFileList(const FoundFileList&) = delete;
    FoundFileList& operator=(const FoundFileList&) = delete;

    Guard guard() const { return Guard(mutex_); }

    FoundFile& add(std::string_view path);
    FoundFile* find(std::string_view relative_path);
    int count_all() const;
    int count_new() const;
    FoundFile* new_at(int index);
    const FoundFile* new_at(int index) const;
    std::optional<std::string> path_at(int index) const;
    void mark_all_not_seen();
    void remove_not_seen();
    void clear();

    bool dirty() const;
    const std::optional<std::string>& file_path() const { return file_path_; }
    void set_file_path(std::string path) { file_path_ = std::move(path); }

    // files.dat: a record count, then each path as a length and its bytes.
    std::vector<std::uint8_t> encode() const;
    // Adds every record of the bytes as known (not new). Work stays
    // bounded by the bytes: the count is not trusted. Records longer
    // than 1023 bytes or cut short by the end are skipped.
    void load_from(std::span<const std::uint8_t> bytes);

    template <typename Fn>
    void for_each(Fn&& fn) {
        Guard lock = guard();
        for (FoundFile& record : records_) fn(record);
    }

private:
    mutable std::recursive_mutex mutex_;
    std::list<FoundFile> records_;  // insertion order; addresses stay valid
    std::unordered_map<std::string, FoundFile*> index_;  // by the folded path
    std::optional<std::string> file_path_;
    bool dirty_ = false;
};

// The relative path of a full path: its drive prefix dropped.
std::string_view strip_drive_prefix(std::string_view path);

}  // namespace qb

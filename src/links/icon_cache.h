#pragma once
// The cache of link pictures (icons.dat beside data.qb): the 32 x 32
// pictures a start looked up, each kept under the key of exactly what
// decided it, so that a later start shows the same picture without
// opening the programs on the drive or asking the shell.
//
// A key names the picture's source and its facts: a file by its path
// from the drive root (letter case aside), size and last-write time; a
// document type by what the registry says of it; a folder by its path,
// attributes and desktop.ini. A picture that comes from the PC's file
// associations (a document's, a folder's) also carries the machine's
// facts (another PC: another key); a program's or an icon file's own
// icon, which the file alone decides, carries only the screen's facts,
// so a stick starts warm for it on any PC. A cached picture is never one
// this machine would not draw.
//
// The file: "QBIC", format byte 1, three zero bytes; the picture count
// and entry count (32-bit little-endian); each picture's 4,096 bytes
// (32 x 32 pixels, 4 bytes each, top row first, as the picture bitmap
// holds them); each entry as key length (16-bit), key, picture index
// (32-bit); then an FNV-1a checksum of everything before it. Equal
// pictures are stored once. Entries stand most recently used first, so
// that a full cache drops the least recently used. A file that is not
// exactly this is ignored as a whole.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "links/icon_source.h"

namespace qb {

inline constexpr int kCachedPictureSide = 32;
inline constexpr std::size_t kCachedPictureBytes = kCachedPictureSide * kCachedPictureSide * 4;
// Bounds that keep the file and its reading small whatever it holds (at
// most some 12 MB, below what the program reads of any drive file; 1,000
// links of a stick take about 1 MB). A picture whose key is longer, or
// one more than the cache holds, is looked up at every start.
inline constexpr std::size_t kMaxCachedPictures = 2048;
inline constexpr std::size_t kMaxCacheEntries = 4096;
inline constexpr std::size_t kMaxCacheKey = 1024;
inline constexpr std::size_t kIconCacheHeaderBytes = 16;
inline constexpr std::size_t kIconCacheChecksumBytes = 4;
inline constexpr std::size_t kMaxIconCacheBytes = kIconCacheHeaderBytes +
                                                  kMaxCachedPictures * kCachedPictureBytes +
                                                  kMaxCacheEntries * (2 + kMaxCacheKey + 4) + kIconCacheChecksumBytes;

using PicturePixels = std::vector<std::uint8_t>;

class IconCache {
public:
    // The picture stored under the key; null when there is none.
    const PicturePixels* find(std::string_view key) const;
    // Keeps the pixels under the key (replacing what it held), after the
    // entries put before it; equal pixels are kept once. False, and
    // nothing kept, for pixels that are not one picture, an empty or
    // overlong key, or a full cache.
    bool put(std::string_view key, std::span<const std::uint8_t> pixels);
    // The keys in their order: most recently used first.
    std::vector<std::string_view> keys() const;

    std::size_t entry_count() const { return entries_.size(); }
    // Pictures kept, each once (one replaced by put may stay until encoded).
    std::size_t picture_count() const { return pictures_.size(); }
    bool empty() const { return entries_.empty(); }
    // Same keys with the same pixels.
    bool same_as(const IconCache& other) const;

    // The file's bytes: only pictures some entry shows, entries in order.
    std::vector<std::uint8_t> encode() const;
    // The cache a file holds; nothing for any file that is not a whole,
    // well-formed cache (too short or long, foreign, damaged, an index or
    // count out of range, a key twice). Work is bounded by the bytes.
    static std::optional<IconCache> decode(std::span<const std::uint8_t> bytes);

private:
    struct Entry {
        std::uint32_t picture = 0;
        std::uint32_t rank = 0;  // its place in the order
    };
    std::vector<const std::pair<const std::string, Entry>*> in_order() const;

    std::vector<PicturePixels> pictures_;
    std::map<std::string, Entry, std::less<>> entries_;
    std::uint32_t next_rank_ = 0;
    std::unordered_multimap<std::uint64_t, std::uint32_t> by_hash_;
};

// The cache the next start finds: first this start's entries (those it
// looked up, then those it found in `read`); then the entries of `read`
// this start did not use that belong to other machines or screens, in
// their old order, while the bounds leave room. Entries of this machine
// or this screen that went unused are dropped: their targets are gone or
// changed. Nothing when the file needs no writing:
// it was read whole, nothing was looked up and none of this machine's
// entries went unused.
std::optional<IconCache> next_icon_cache(const std::optional<IconCache>& read, bool file_refused,
                                         const IconCache& looked_up, const std::set<std::string, std::less<>>& found,
                                         std::string_view machine, std::string_view screen);

// Whom a key belongs to: the machine facts it carries (machine_key), or
// for a file's own icon the screen's (screen_key); none for a key that
// is neither.
std::optional<std::string_view> owner_of_key(std::string_view key);

// The checksum that ends the file: FNV-1a of every byte before it.
std::uint32_t icon_cache_checksum(std::span<const std::uint8_t> body);

// The facts every key of this machine carries: its name and identity,
// the system's version, the screen's bits per pixel and the system's
// icon size (the size icons are drawn from).
std::string machine_key(std::string_view machine_name, std::string_view machine_id, std::string_view system_version,
                        int bits_per_pixel, int icon_size);

// The key of the shared picture of a document type (".txt"), or the
// facts a per-file picture of that type also depends on.
std::string type_picture_key(std::string_view machine, std::string_view type, const FileTypeFacts& facts);

// What of a file decides its picture besides its type: where it is, how
// long it is and when it was last written (the file itself is not read).
struct FileStamp {
    std::string path;  // full path, or relative to the drive root (see stamp_path)
    std::uint64_t size = 0;
    std::uint64_t write_time = 0;  // 100 ns units, as the system gives them
    std::uint32_t attributes = 0;
};

// The path as a key holds it: relative to the drive root when on that
// drive (so a new drive letter keeps the key), letter case folded.
std::string stamp_path(std::string_view full_path, std::string_view drive_root);

// The facts of the screen that a file's own icon is drawn for: the
// screen's bits per pixel and the system's icon size.
std::string screen_key(int bits_per_pixel, int icon_size);

// The key of a file's own first icon (a program's, an icon file's), when
// this PC's registry makes that icon the file's picture: the screen's
// facts and the file's stamp, nothing of the PC else.
std::string own_icon_picture_key(std::string_view screen, const FileStamp& file);

// The key of a file's own picture (a program's icon, an icon file, a
// type whose icon is per file): the facts of its type and the file's stamp.
std::string file_picture_key(std::string_view type_key, const FileStamp& file);

// The key of a folder's picture: the registry's facts of folders, the
// folder (its attributes mark a customised one) and its desktop.ini,
// when there is one.
std::string folder_picture_key(std::string_view folder_type_key, const FileStamp& folder,
                               const std::optional<FileStamp>& desktop_ini);

}  // namespace qb

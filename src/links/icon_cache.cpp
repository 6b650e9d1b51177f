#include "links/icon_cache.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "common/letter_case.h"

namespace qb {

namespace {

constexpr std::uint8_t kMagic[4] = {'Q', 'B', 'I', 'C'};
constexpr std::uint8_t kFormat = 1;

std::uint64_t pixels_hash(std::span<const std::uint8_t> pixels) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::uint8_t b : pixels) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    return hash;
}

void put_u16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

std::uint32_t get_u16(const std::uint8_t* at) { return at[0] | (std::uint32_t{at[1]} << 8); }

std::uint32_t get_u32(const std::uint8_t* at) {
    return at[0] | (std::uint32_t{at[1]} << 8) | (std::uint32_t{at[2]} << 16) | (std::uint32_t{at[3]} << 24);
}

// One field of a key: its length first, so no text can pass for two fields.
void add_field(std::string& key, std::string_view value) {
    key += std::to_string(value.size());
    key += ':';
    key += value;
}

void add_field(std::string& key, std::uint64_t value) { add_field(key, std::to_string(value)); }

}  // namespace

const PicturePixels* IconCache::find(std::string_view key) const {
    const auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : &pictures_[found->second.picture];
}

std::vector<const std::pair<const std::string, IconCache::Entry>*> IconCache::in_order() const {
    std::vector<const std::pair<const std::string, Entry>*> order;
    order.reserve(entries_.size());
    for (const auto& entry : entries_) order.push_back(&entry);
    std::sort(order.begin(), order.end(), [](const auto* a, const auto* b) { return a->second.rank < b->second.rank; });
    return order;
}

std::vector<std::string_view> IconCache::keys() const {
    std::vector<std::string_view> keys;
    for (const auto* entry : in_order()) keys.push_back(entry->first);
    return keys;
}

bool IconCache::put(std::string_view key, std::span<const std::uint8_t> pixels) {
    if (pixels.size() != kCachedPictureBytes || key.empty() || key.size() > kMaxCacheKey) return false;
    const auto known = entries_.find(key);
    if (known == entries_.end() && entries_.size() >= kMaxCacheEntries) return false;
    const std::uint64_t hash = pixels_hash(pixels);
    std::optional<std::uint32_t> index;
    for (auto [at, end] = by_hash_.equal_range(hash); at != end; ++at) {
        if (std::equal(pixels.begin(), pixels.end(), pictures_[at->second].begin())) {
            index = at->second;
            break;
        }
    }
    if (!index) {
        if (pictures_.size() >= kMaxCachedPictures) return false;
        index = static_cast<std::uint32_t>(pictures_.size());
        pictures_.emplace_back(pixels.begin(), pixels.end());
        by_hash_.emplace(hash, *index);
    }
    if (known != entries_.end()) {
        known->second.picture = *index;
    } else {
        entries_.emplace(std::string(key), Entry{*index, next_rank_++});
    }
    return true;
}

bool IconCache::same_as(const IconCache& other) const {
    if (entries_.size() != other.entries_.size()) return false;
    return std::equal(entries_.begin(), entries_.end(), other.entries_.begin(), [&](const auto& a, const auto& b) {
        return a.first == b.first && pictures_[a.second.picture] == other.pictures_[b.second.picture];
    });
}

std::vector<std::uint8_t> IconCache::encode() const {
    // Pictures numbered afresh in the order entries first show them, so a
    // picture no entry shows any more is left out.
    const auto entries = in_order();
    std::vector<std::uint32_t> renumbered(pictures_.size(), UINT32_MAX);
    std::vector<std::uint32_t> order;
    for (const auto* entry : entries) {
        const std::uint32_t index = entry->second.picture;
        if (renumbered[index] != UINT32_MAX) continue;
        renumbered[index] = static_cast<std::uint32_t>(order.size());
        order.push_back(index);
    }
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    out.push_back(kFormat);
    out.insert(out.end(), 3, 0);
    put_u32(out, static_cast<std::uint32_t>(order.size()));
    put_u32(out, static_cast<std::uint32_t>(entries_.size()));
    for (std::uint32_t index : order) out.insert(out.end(), pictures_[index].begin(), pictures_[index].end());
    for (const auto* entry : entries) {
        const std::string& key = entry->first;
        put_u16(out, static_cast<std::uint32_t>(key.size()));
        out.insert(out.end(), key.begin(), key.end());
        put_u32(out, renumbered[entry->second.picture]);
    }
    put_u32(out, icon_cache_checksum(out));
    return out;
}

std::optional<IconCache> IconCache::decode(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kIconCacheHeaderBytes + kIconCacheChecksumBytes || bytes.size() > kMaxIconCacheBytes) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> body = bytes.first(bytes.size() - kIconCacheChecksumBytes);
    if (!std::equal(std::begin(kMagic), std::end(kMagic), body.begin()) || body[4] != kFormat || body[5] != 0 ||
        body[6] != 0 || body[7] != 0) {
        return std::nullopt;
    }
    if (get_u32(bytes.data() + body.size()) != icon_cache_checksum(body)) return std::nullopt;
    const std::uint32_t picture_count = get_u32(body.data() + 8);
    const std::uint32_t entry_count = get_u32(body.data() + 12);
    std::size_t at = kIconCacheHeaderBytes;
    if (picture_count > kMaxCachedPictures || entry_count > kMaxCacheEntries ||
        picture_count * kCachedPictureBytes > body.size() - at) {
        return std::nullopt;
    }
    const std::size_t pictures_at = at;
    at += picture_count * kCachedPictureBytes;

    IconCache cache;
    cache.pictures_.reserve(picture_count);
    for (std::uint32_t i = 0; i < picture_count; ++i) {
        const std::uint8_t* pixels = body.data() + pictures_at + i * kCachedPictureBytes;
        cache.pictures_.emplace_back(pixels, pixels + kCachedPictureBytes);
        cache.by_hash_.emplace(pixels_hash(cache.pictures_.back()), i);
    }
    for (std::uint32_t i = 0; i < entry_count; ++i) {
        if (body.size() - at < 2) return std::nullopt;
        const std::size_t key_length = get_u16(body.data() + at);
        at += 2;
        if (key_length == 0 || key_length > kMaxCacheKey || body.size() - at < key_length + 4) return std::nullopt;
        std::string key(reinterpret_cast<const char*>(body.data() + at), key_length);
        at += key_length;
        const std::uint32_t index = get_u32(body.data() + at);
        at += 4;
        if (index >= picture_count) return std::nullopt;
        if (!cache.entries_.emplace(std::move(key), Entry{index, cache.next_rank_++}).second) return std::nullopt;
    }
    if (at != body.size()) return std::nullopt;
    return cache;
}

std::optional<IconCache> next_icon_cache(const std::optional<IconCache>& read, bool file_refused,
                                         const IconCache& looked_up, const std::set<std::string, std::less<>>& found,
                                         std::string_view machine, std::string_view screen) {
    bool unused_here = false;
    std::vector<std::string_view> elsewhere;
    if (read) {
        for (std::string_view key : read->keys()) {
            if (found.contains(key)) continue;
            // Unused here: its target is no longer linked or has changed.
            const std::optional<std::string_view> owner = owner_of_key(key);
            if (!owner || *owner == machine || *owner == screen) {
                unused_here = true;
            } else {
                elsewhere.push_back(key);
            }
        }
    }
    if (!file_refused && looked_up.empty() && !unused_here) return std::nullopt;
    IconCache next = looked_up;
    for (const std::string& key : found) {
        if (const PicturePixels* pixels = read ? read->find(key) : nullptr; pixels && !next.find(key)) {
            next.put(key, *pixels);
        }
    }
    // put refuses what no longer fits: the rest of the old order goes.
    for (std::string_view key : elsewhere) {
        if (!next.find(key)) next.put(key, *read->find(key));
    }
    return next;
}

namespace {

// The text of the length-led field at the start of `text`, and what follows.
std::optional<std::pair<std::string_view, std::string_view>> first_field(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 19) return std::nullopt;
    std::size_t length = 0;
    for (char digit : text.substr(0, colon)) {
        if (digit < '0' || digit > '9') return std::nullopt;
        length = length * 10 + static_cast<std::size_t>(digit - '0');
    }
    if (length > text.size() - colon - 1) return std::nullopt;
    return std::pair(text.substr(colon + 1, length), text.substr(colon + 1 + length));
}

}  // namespace

std::optional<std::string_view> owner_of_key(std::string_view key) {
    // "own" then the screen; "type" then the machine; "file" and "folder"
    // then a type key.
    for (int depth = 0; depth < 2; ++depth) {
        std::string_view rest;
        if (key.starts_with("own")) {
            const auto field = depth == 0 ? first_field(key.substr(3)) : std::nullopt;
            return field ? std::optional<std::string_view>(field->first) : std::nullopt;
        }
        if (key.starts_with("type")) {
            rest = key.substr(4);
        } else if (key.starts_with("folder")) {
            rest = key.substr(6);
        } else if (key.starts_with("file")) {
            rest = key.substr(4);
        } else {
            return std::nullopt;
        }
        const auto field = first_field(rest);
        if (!field) return std::nullopt;
        if (key.starts_with("type")) return field->first;
        key = field->first;
    }
    return std::nullopt;
}

std::uint32_t icon_cache_checksum(std::span<const std::uint8_t> body) {
    std::uint32_t hash = 2166136261u;
    for (std::uint8_t b : body) {
        hash ^= b;
        hash *= 16777619u;
    }
    return hash;
}

std::string machine_key(std::string_view machine_name, std::string_view machine_id, std::string_view system_version,
                        int bits_per_pixel, int icon_size) {
    std::string key;
    add_field(key, folded(machine_name));
    add_field(key, folded(machine_id));
    add_field(key, system_version);
    add_field(key, static_cast<std::uint64_t>(std::max(bits_per_pixel, 0)));
    add_field(key, static_cast<std::uint64_t>(std::max(icon_size, 0)));
    return key;
}

std::string screen_key(int bits_per_pixel, int icon_size) {
    std::string key;
    add_field(key, static_cast<std::uint64_t>(std::max(bits_per_pixel, 0)));
    add_field(key, static_cast<std::uint64_t>(std::max(icon_size, 0)));
    return key;
}

namespace {
// A file's picture: what kind of key, the facts besides the file, the file.
std::string stamped_key(const char* kind, std::string_view facts, const FileStamp& file) {
    std::string key = kind;
    add_field(key, facts);
    add_field(key, file.path);
    add_field(key, file.size);
    add_field(key, file.write_time);
    return key;
}
}  // namespace

std::string own_icon_picture_key(std::string_view screen, const FileStamp& file) {
    return stamped_key("own", screen, file);
}

std::string type_picture_key(std::string_view machine, std::string_view type, const FileTypeFacts& facts) {
    std::string key = "type";
    add_field(key, machine);
    add_field(key, folded(type));
    add_field(key, facts.icon_handler ? "handler" : "");
    add_field(key, facts.unreadable_icon ? "unreadable" : "");
    add_field(key, static_cast<std::uint64_t>(facts.default_icons.size()));
    for (const std::string& icon : facts.default_icons) add_field(key, icon);
    return key;
}

std::string stamp_path(std::string_view full_path, std::string_view drive_root) {
    if (!drive_root.empty() && full_path.size() > drive_root.size() &&
        starts_with_ignoring_case(full_path, drive_root)) {
        return folded(full_path.substr(drive_root.size()));
    }
    return folded(full_path);
}

std::string file_picture_key(std::string_view type_key, const FileStamp& file) {
    return stamped_key("file", type_key, file);
}

std::string folder_picture_key(std::string_view folder_type_key, const FileStamp& folder,
                               const std::optional<FileStamp>& desktop_ini) {
    std::string key = "folder";
    add_field(key, folder_type_key);
    add_field(key, folder.path);
    add_field(key, folder.attributes);
    add_field(key, desktop_ini ? "ini" : "");
    if (desktop_ini) {
        add_field(key, desktop_ini->size);
        add_field(key, desktop_ini->write_time);
        add_field(key, desktop_ini->attributes);
    }
    return key;
}

}  // namespace qb

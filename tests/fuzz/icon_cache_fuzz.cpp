// icons.dat comes from a removable drive and may be anything. Whatever it
// holds is read without fault, in work bounded by its bytes, and a cache
// that was accepted is written back to a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "links/icon_cache.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

void read_and_write_back(std::span<const std::uint8_t> bytes) {
    const std::size_t size = bytes.size();
    const std::optional<qb::IconCache> cache = qb::IconCache::decode(bytes);
    if (!cache) return;
    check(cache->picture_count() * qb::kCachedPictureBytes <= size);
    check(cache->entry_count() <= size);
    const std::vector<std::uint8_t> written = cache->encode();
    check(written.size() <= size);
    const std::optional<qb::IconCache> again = qb::IconCache::decode(written);
    check(again.has_value());
    check(again->same_as(*cache));
    check(again->encode() == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    read_and_write_back(std::span(data, size));
    // The same bytes with a checksum that fits, so that what follows it is
    // tried too and not only the checksum's refusal.
    if (size >= qb::kIconCacheChecksumBytes) {
        std::vector<std::uint8_t> sealed(data, data + size);
        const std::uint32_t sum =
            qb::icon_cache_checksum(std::span(sealed).first(size - qb::kIconCacheChecksumBytes));
        for (std::size_t i = 0; i < qb::kIconCacheChecksumBytes; ++i) {
            sealed[size - qb::kIconCacheChecksumBytes + i] = static_cast<std::uint8_t>(sum >> (8 * i));
        }
        read_and_write_back(sealed);
    }
    return 0;
}

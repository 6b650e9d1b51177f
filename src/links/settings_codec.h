#pragma once
// The byte layout of data.qb, used by both the reader and the writer:
// magic "QB1", window size, theme name, link records, five option flags.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/byte_codec.h"

namespace qb {

inline constexpr std::size_t kOptionCount = 5;
// A record needs at least its flags, position and three string lengths.
inline constexpr std::size_t kMinLinkRecordBytes = 3 + 3 + 3 + 3 + 3 + 3;

struct StoredLink {
    bool close_on_activate = false;
    bool custom_image = false;
    bool root_relative = false;
    std::int64_t x = 0;
    std::int64_t y = 0;
    StoredString target;
    StoredString caption;
    StoredString image_path;
};

struct StoredSettings {
    std::int64_t window_width = 0;
    std::int64_t window_height = 0;
    StoredString theme_name;
    std::uint32_t declared_link_count = 0;
    std::vector<StoredLink> links;
    // show_hints, check_autorun_at_start, auto_close_when_idle,
    // auto_arrange, use_search_service, in file order.
    std::array<bool, kOptionCount> options{};
};

std::vector<std::uint8_t> encode_settings(const StoredSettings& settings);

// Reads whatever the bytes hold: missing integers are 0, missing flags
// false. Records are read while bytes remain, so a damaged count costs
// no more work than the file's size.
StoredSettings decode_settings(std::span<const std::uint8_t> bytes);

}  // namespace qb

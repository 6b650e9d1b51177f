#pragma once
// The .bmp files of a theme and of custom link pictures come from the
// drive and may be anything. This reader checks every size and offset
// against the file's bytes before any of it is used, so a picture that
// claims more than the file holds is refused instead of read past its end.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qb {

// A side longer than this is refused (a screen is far smaller).
inline constexpr std::int32_t kMaxBitmapSide = 16384;

// A picture as CreateDIBSection takes it: `info` is a 40-byte
// BITMAPINFOHEADER, followed by the three colour masks of a bit-field
// picture and by the colour table (RGBQUADs) of one with 8 bits or fewer
// per pixel; the pixel rows are bits_size bytes from bits_offset of the
// file, inside it.
struct BitmapFileImage {
    std::vector<std::uint8_t> info;
    std::size_t bits_offset = 0;
    std::size_t bits_size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows from the top down
    std::uint16_t bit_count = 0;
};

// Uncompressed pictures of 1, 4, 8, 16, 24 or 32 bits per pixel (16 and
// 32 also with colour masks), with any of the usual info headers (12, 40,
// 52, 56, 108 or 124 bytes). None for anything else: no "BM", a header or
// colour table or pixel rows that run past the end, run-length and other
// compressions, a side of 0 or above kMaxBitmapSide.
std::optional<BitmapFileImage> read_bitmap_file(std::span<const std::uint8_t> bytes);

}  // namespace qb

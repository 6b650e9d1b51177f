// Theme pictures and custom link pictures come from a removable drive.
// The reader must refuse without fault whatever is not a sound picture,
// and what it accepts must lie inside the file and fit its header.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/bitmap_file.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

std::uint32_t u32_at(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qb;
    const auto image = read_bitmap_file(std::span(data, size));
    if (!image) return 0;
    check(image->bits_offset <= size && image->bits_size <= size - image->bits_offset);
    check(image->width >= 1 && image->width <= kMaxBitmapSide);
    check(image->height != 0 && image->height >= -kMaxBitmapSide && image->height <= kMaxBitmapSide);
    const std::size_t rows = static_cast<std::size_t>(image->height < 0 ? -image->height : image->height);
    const std::size_t stride = (static_cast<std::size_t>(image->width) * image->bit_count + 31) / 32 * 4;
    check(image->bits_size == stride * rows);

    // The header CreateDIBSection gets says what the buffer holds.
    const std::vector<std::uint8_t>& info = image->info;
    check(info.size() >= 40 && u32_at(info, 0) == 40);
    const std::uint32_t compression = u32_at(info, 16);
    const std::uint32_t colors = u32_at(info, 32);
    check(compression == 0 || compression == 3);
    check(image->bit_count <= 8 ? colors >= 1 && colors <= (1u << image->bit_count) : colors == 0);
    check(info.size() == 40 + (compression == 3 ? 12 : 0) + 4 * std::size_t{colors});

    // Every byte of the rows is there to be copied.
    unsigned sum = 0;
    for (std::size_t i = 0; i < image->bits_size; ++i) sum += data[image->bits_offset + i];
    return static_cast<int>(sum & 0);
}

#include "common/bitmap_file_win.h"

#include <cstring>

#include "common/bitmap_file.h"
#include "common/file_io_win.h"

namespace qb {

HBITMAP load_bitmap_file(const std::string& path) {
    const std::optional<std::vector<std::uint8_t>> bytes = read_file_bytes(path);
    if (!bytes) return nullptr;
    const std::optional<BitmapFileImage> image = read_bitmap_file(*bytes);
    if (!image) return nullptr;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(image->info.data()),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    std::memcpy(bits, bytes->data() + image->bits_offset, image->bits_size);
    return bitmap;
}

}  // namespace qb

#include "common/bitmap_file.h"

namespace qb {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;        // BI_RGB
constexpr std::uint32_t kBitFields = 3;  // BI_BITFIELDS

std::uint32_t u16_at(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}

std::uint32_t u32_at(std::span<const std::uint8_t> b, std::size_t at) {
    return u16_at(b, at) | u16_at(b, at + 2) << 16;
}

void put_u16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put_u16(out, v & 0xFFFF);
    put_u16(out, v >> 16);
}

// The fields that matter, from either kind of header.
struct Header {
    std::size_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    std::uint32_t bit_count = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colors_used = 0;
};

std::optional<Header> read_header(std::span<const std::uint8_t> b) {
    if (b.size() < kFileHeaderSize + 4) return std::nullopt;
    Header h;
    h.size = u32_at(b, kFileHeaderSize);
    const bool known = h.size == kCoreHeaderSize || h.size == 40 || h.size == 52 || h.size == 56 ||
                       h.size == 108 || h.size == 124;
    if (!known || b.size() < kFileHeaderSize + h.size) return std::nullopt;
    const std::size_t at = kFileHeaderSize;
    if (h.size == kCoreHeaderSize) {
        h.width = u16_at(b, at + 4);
        h.height = u16_at(b, at + 6);
        h.planes = u16_at(b, at + 8);
        h.bit_count = u16_at(b, at + 10);
        return h;
    }
    h.width = static_cast<std::int32_t>(u32_at(b, at + 4));
    h.height = static_cast<std::int32_t>(u32_at(b, at + 8));
    h.planes = u16_at(b, at + 12);
    h.bit_count = u16_at(b, at + 14);
    h.compression = u32_at(b, at + 16);
    h.colors_used = u32_at(b, at + 32);
    return h;
}

bool fits(std::size_t offset, std::uint64_t size, std::size_t total) {
    return offset <= total && size <= total - offset;
}

}  // namespace

std::optional<BitmapFileImage> read_bitmap_file(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::optional<Header> header = read_header(bytes);
    if (!header) return std::nullopt;
    const Header& h = *header;
    const bool core = h.size == kCoreHeaderSize;

    const std::uint32_t bpp = h.bit_count;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
    if (core && (bpp == 16 || bpp == 32)) return std::nullopt;
    const bool bit_fields = h.compression == kBitFields;
    if (h.compression != kRgb && !(bit_fields && (bpp == 16 || bpp == 32))) return std::nullopt;
    if (h.planes != 1) return std::nullopt;
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width < 1 || h.width > kMaxBitmapSide || rows < 1 || rows > kMaxBitmapSide) return std::nullopt;

    // The masks of a bit-field picture follow a 40-byte header; the longer
    // headers hold them themselves.
    std::size_t table_at = kFileHeaderSize + h.size;
    std::size_t masks_at = kFileHeaderSize + kInfoHeaderSize;
    if (bit_fields && h.size == kInfoHeaderSize) {
        if (!fits(table_at, 12, bytes.size())) return std::nullopt;
        table_at += 12;
    }
    std::uint64_t colors = 0;
    if (bpp <= 8) {
        const std::uint64_t most = std::uint64_t{1} << bpp;
        colors = h.colors_used == 0 ? most : h.colors_used;
        if (colors > most) return std::nullopt;
    }
    const std::size_t entry_size = core ? 3 : 4;
    if (!fits(table_at, colors * entry_size, bytes.size())) return std::nullopt;

    const std::uint64_t stride = (static_cast<std::uint64_t>(h.width) * bpp + 31) / 32 * 4;
    const std::uint64_t bits_size = stride * static_cast<std::uint64_t>(rows);
    const std::uint32_t declared_offset = u32_at(bytes, 10);
    // Rows start where the file says, but never inside the headers; a 0
    // means right after the colour table.
    const std::size_t bits_offset = declared_offset == 0 ? table_at + colors * entry_size : declared_offset;
    if (bits_offset < kFileHeaderSize + h.size || !fits(bits_offset, bits_size, bytes.size())) return std::nullopt;

    BitmapFileImage image;
    image.width = static_cast<std::int32_t>(h.width);
    image.height = static_cast<std::int32_t>(h.height);
    image.bit_count = static_cast<std::uint16_t>(bpp);
    image.bits_offset = bits_offset;
    image.bits_size = static_cast<std::size_t>(bits_size);
    std::vector<std::uint8_t>& info = image.info;
    info.reserve(kInfoHeaderSize + 12 + colors * 4);
    put_u32(info, kInfoHeaderSize);
    put_u32(info, static_cast<std::uint32_t>(image.width));
    put_u32(info, static_cast<std::uint32_t>(image.height));
    put_u16(info, 1);
    put_u16(info, bpp);
    put_u32(info, h.compression);
    put_u32(info, static_cast<std::uint32_t>(bits_size));
    put_u32(info, 0);
    put_u32(info, 0);
    put_u32(info, static_cast<std::uint32_t>(colors));
    put_u32(info, 0);
    if (bit_fields) {
        for (std::size_t i = 0; i < 3; ++i) put_u32(info, u32_at(bytes, masks_at + 4 * i));
    }
    for (std::uint64_t i = 0; i < colors; ++i) {
        const std::size_t at = table_at + static_cast<std::size_t>(i) * entry_size;
        info.push_back(bytes[at]);      // blue
        info.push_back(bytes[at + 1]);  // green
        info.push_back(bytes[at + 2]);  // red
        info.push_back(0);
    }
    return image;
}

}  // namespace qb

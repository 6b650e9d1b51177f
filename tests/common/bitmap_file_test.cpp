// The checking .bmp reader: what it accepts becomes a DIB section as is;
// whatever claims more than the file holds is refused.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "common/bitmap_file.h"

namespace qb {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// A file with a 40-byte header, `colors` palette entries and the rows a
// picture of that size needs (filled with 0x5A), plus `extra` bytes.
Bytes bmp(std::int32_t width, std::int32_t height, std::uint16_t bpp, std::uint32_t colors = 0,
          std::uint32_t compression = 0, std::size_t extra = 0) {
    const std::size_t stride = (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    const std::size_t masks = compression == 3 ? 12 : 0;
    const std::size_t offset = 14 + 40 + masks + colors * 4;
    Bytes b(offset + stride * rows + extra, 0x5A);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 6, 0);
    put32(b, 10, static_cast<std::uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, bpp);
    put32(b, 30, compression);
    put32(b, 34, 0);
    put32(b, 38, 2835);
    put32(b, 42, 2835);
    put32(b, 46, colors);
    put32(b, 50, 0);
    for (std::size_t i = 0; i < colors; ++i) put32(b, 54 + masks + 4 * i, 0x00102030 + static_cast<std::uint32_t>(i));
    if (masks) {
        put32(b, 54, 0xF800);
        put32(b, 58, 0x07E0);
        put32(b, 62, 0x001F);
    }
    return b;
}

TEST(BitmapFile, SoundPicturesAreTakenAsTheyAre) {
    // The theme pictures: 24 bits, bottom-up, rows padded to four bytes.
    const Bytes plain = bmp(5, 3, 24);
    const auto image = read_bitmap_file(plain);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 5);
    EXPECT_EQ(image->height, 3);
    EXPECT_EQ(image->bits_offset, 54u);
    EXPECT_EQ(image->bits_size, 16u * 3);
    ASSERT_EQ(image->info.size(), 40u);
    EXPECT_EQ(get32(image->info, 0), 40u);
    EXPECT_EQ(get32(image->info, 20), 48u) << "the size of the rows";

    // A palette picture brings its colour table; a top-down one keeps its sign.
    const auto palette = read_bitmap_file(bmp(9, -2, 4, 16));
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->height, -2);
    ASSERT_EQ(palette->info.size(), 40u + 16 * 4);
    EXPECT_EQ(get32(palette->info, 40 + 4 * 15), 0x0010203Fu);
    EXPECT_EQ(palette->bits_size, 16u);  // 9 pixels of 4 bits fill two 4-byte words a row

    // Colour masks after a 40-byte header.
    const auto masked = read_bitmap_file(bmp(2, 2, 16, 0, 3));
    ASSERT_TRUE(masked);
    ASSERT_EQ(masked->info.size(), 52u);
    EXPECT_EQ(get32(masked->info, 40), 0xF800u);
    EXPECT_EQ(masked->bits_offset, 66u);

    // An old-style 12-byte header: the palette's three-byte entries become four.
    Bytes core(14 + 12 + 2 * 3 + 4, 0);
    core[0] = 'B';
    core[1] = 'M';
    put32(core, 10, 14 + 12 + 6);
    put32(core, 14, 12);
    put16(core, 18, 3);  // width
    put16(core, 20, 1);  // height
    put16(core, 22, 1);  // planes
    put16(core, 24, 1);  // bits
    core[26] = 0x11, core[27] = 0x22, core[28] = 0x33;
    core[29] = 0x44, core[30] = 0x55, core[31] = 0x66;
    const auto old = read_bitmap_file(core);
    ASSERT_TRUE(old);
    ASSERT_EQ(old->info.size(), 40u + 8);
    EXPECT_EQ(get32(old->info, 44), 0x00665544u);

    // The longer headers editors write (GIMP: 108 and 124 bytes): the same
    // picture, its palette and rows found after the longer header.
    for (const std::uint32_t size : {52u, 56u, 108u, 124u}) {
        Bytes longer = bmp(3, 2, 8, 2);
        longer.insert(longer.begin() + 14 + 40, size - 40, 0);
        put32(longer, 2, static_cast<std::uint32_t>(longer.size()));
        put32(longer, 10, 14 + size + 2 * 4);
        put32(longer, 14, size);
        const auto image = read_bitmap_file(longer);
        ASSERT_TRUE(image) << size << "-byte header";
        EXPECT_EQ(image->bits_offset, 14u + size + 8) << size;
        ASSERT_EQ(image->info.size(), 40u + 2 * 4) << size;
        EXPECT_EQ(get32(image->info, 0), 40u) << "handed on with the plain header";
        EXPECT_EQ(get32(image->info, 44), 0x00102031u) << "the palette's second entry, after the " << size << " bytes";
    }

    // An offset of 0 means the rows follow the table; trailing bytes are fine.
    Bytes zero_offset = bmp(1, 1, 8, 2, 0, 100);
    put32(zero_offset, 10, 0);
    ASSERT_TRUE(read_bitmap_file(zero_offset));
    EXPECT_EQ(read_bitmap_file(zero_offset)->bits_offset, 14u + 40 + 8);
}

TEST(BitmapFile, WhatClaimsMoreThanTheFileHoldsIsRefused) {
    // A header that claims gigabytes of rows in a file of a few bytes.
    ASSERT_TRUE(read_bitmap_file(bmp(1, 1, 32)));
    Bytes huge = bmp(1, 1, 32);
    put32(huge, 18, 60000);
    put32(huge, 22, 60000);
    EXPECT_FALSE(read_bitmap_file(huge));
    put32(huge, 18, 16000);
    put32(huge, 22, 16000);
    EXPECT_FALSE(read_bitmap_file(huge)) << "within the side limit, but the rows are not there";
    Bytes widest = bmp(1, 1, 32);
    put32(widest, 18, 0x7FFFFFFF);
    EXPECT_FALSE(read_bitmap_file(widest));
    Bytes tallest = bmp(1, 1, 32);
    put32(tallest, 22, 0x80000000u);  // the most negative height has no positive twin
    EXPECT_FALSE(read_bitmap_file(tallest));

    // Cut short anywhere: in the rows, in the palette, in the header.
    const Bytes whole = bmp(7, 7, 8, 256);
    for (std::size_t size : {whole.size() - 1, std::size_t{54 + 100}, std::size_t{40}, std::size_t{14}, std::size_t{2},
                             std::size_t{0}}) {
        EXPECT_FALSE(read_bitmap_file(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size))))
            << size;
    }
    // Rows placed past the end, or inside the header.
    Bytes far = bmp(2, 2, 24);
    put32(far, 10, 0xFFFFFFF0u);
    EXPECT_FALSE(read_bitmap_file(far));
    put32(far, 10, 20);
    EXPECT_FALSE(read_bitmap_file(far));
    // A palette larger than the bits allow, or larger than the file.
    EXPECT_FALSE(read_bitmap_file(bmp(2, 2, 4, 17)));
    Bytes many_colors = bmp(2, 2, 8, 2);
    put32(many_colors, 46, 0x7FFFFFFF);
    EXPECT_FALSE(read_bitmap_file(many_colors));
}

TEST(BitmapFile, WhatIsNotAPlainPictureIsRefused) {
    EXPECT_FALSE(read_bitmap_file(Bytes(500, 'a')));
    Bytes not_bm = bmp(2, 2, 24);
    not_bm[0] = 'M';
    EXPECT_FALSE(read_bitmap_file(not_bm));
    for (std::uint32_t header : {0u, 11u, 39u, 41u, 64u, 200u, 0xFFFFFFFFu}) {
        Bytes odd = bmp(2, 2, 24);
        put32(odd, 14, header);
        EXPECT_FALSE(read_bitmap_file(odd)) << header;
    }
    EXPECT_FALSE(read_bitmap_file(bmp(2, 2, 8, 0, 1))) << "run-length rows";
    EXPECT_FALSE(read_bitmap_file(bmp(2, 2, 24, 0, 3))) << "masks on 24 bits";
    EXPECT_FALSE(read_bitmap_file(bmp(2, 2, 2)));
    EXPECT_FALSE(read_bitmap_file(bmp(0, 2, 24)));
    EXPECT_FALSE(read_bitmap_file(bmp(2, 0, 24)));
    Bytes planes = bmp(2, 2, 24);
    put16(planes, 26, 2);
    EXPECT_FALSE(read_bitmap_file(planes));
}

}  // namespace
}  // namespace qb

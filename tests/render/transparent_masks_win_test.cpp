// Masks made once with a picture draw exactly what the two-mask routine
// draws in every paint, for the kinds of bitmaps pictures come in, both
// transparent colours, display and DIB targets, and pictures that lie
// partly outside the target or its clip.
#include <gtest/gtest.h>

#include "common/transparent_masks_win.h"
#include "render/transparent_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

// Magenta and black pixels, colours one step away from them, and others.
Color pattern(int x, int y) {
    switch ((x * 7 + y * 3) % 9) {
        case 0: return kMagenta;
        case 1: return kBlack;
        case 2: return rgb(254, 0, 255);
        case 3: return rgb(0, 0, 1);
        case 4: return kWhite;
        case 5: return kMagenta;
        default: return rgb(x * 8, y * 5, 200 - x);
    }
}

Color background(int x, int y) { return rgb(x * 3, 255 - y * 2, (x * y) % 256); }

// A bitmap of `bits` per pixel (0: compatible with the display) holding
// the pattern.
UniqueBitmap make_picture(int bits, int w, int h) {
    UniqueBitmap source(make_test_bitmap(w, h, pattern));
    WindowDc screen(nullptr);
    UniqueBitmap picture;
    if (bits == 0) {
        picture.reset(CreateCompatibleBitmap(screen.get(), w, h));
    } else {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bits);
        void* data = nullptr;
        picture.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0));
    }
    BitmapDc from(screen.get(), source.get());
    BitmapDc to(screen.get(), picture.get());
    BitBlt(to.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY);
    return picture;
}

// A target like the paint buffer (display-compatible) or a DIB, filled
// with the background.
struct Target {
    Target(bool display, int w, int h) : width(w), height(h) {
        WindowDc screen(nullptr);
        UniqueBitmap filled(make_test_bitmap(w, h, background));
        bitmap.reset(display ? CreateCompatibleBitmap(screen.get(), w, h) : make_test_bitmap(w, h, background));
        dc.reset(CreateCompatibleDC(screen.get()));
        original = SelectObject(dc.get(), bitmap.get());
        BitmapDc from(screen.get(), filled.get());
        BitBlt(dc.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY);
    }
    ~Target() { SelectObject(dc.get(), original); }
    std::vector<Color> pixels() const {
        GdiFlush();
        SelectObject(dc.get(), original);
        std::vector<Color> p = bitmap_pixels(bitmap.get());
        SelectObject(dc.get(), bitmap.get());
        return p;
    }
    int width;
    int height;
    UniqueBitmap bitmap;
    UniqueMemoryDc dc;
    HGDIOBJ original = nullptr;
};

TEST(TransparentMasks, MadeOnceTheyDrawThePixelsOfTheRoutine) {
    constexpr int w = 13;
    constexpr int h = 11;
    int compared = 0;
    for (const int bits : {0, 32, 24, 16}) {
        UniqueBitmap picture = make_picture(bits, w, h);
        const std::vector<Color> picture_before = bitmap_pixels(picture.get());
        for (const COLORREF transparent : {kMagenta, kBlack}) {
            std::unique_ptr<TransparentMasks> masks;
            {
                UniqueMemoryDc picture_dc(CreateCompatibleDC(nullptr));
                SelectGuard select(picture_dc.get(), picture.get());
                masks = make_transparent_masks(picture_dc.get(), picture.get(), transparent);
            }
            ASSERT_TRUE(masks) << bits << " bits";
            EXPECT_EQ(masks->width, w);
            EXPECT_EQ(masks->height, h);
            for (const bool display : {true, false}) {
                for (const POINT at : {POINT{4, 5}, POINT{-6, -3}, POINT{34, 25}}) {
                    for (const bool clipped : {false, true}) {
                        Target routine(display, 40, 30);
                        Target masked(display, 40, 30);
                        if (clipped) {
                            IntersectClipRect(routine.dc.get(), 7, 6, 30, 12);
                            IntersectClipRect(masked.dc.get(), 7, 6, 30, 12);
                        }
                        SetTextColor(masked.dc.get(), rgb(1, 2, 3));
                        SetBkColor(masked.dc.get(), rgb(4, 5, 6));
                        draw_transparent(routine.dc.get(), picture.get(), static_cast<std::int16_t>(at.x),
                                         static_cast<std::int16_t>(at.y), transparent);
                        UniqueMemoryDc mask_dc(CreateCompatibleDC(masked.dc.get()));
                        UniqueMemoryDc masked_dc(CreateCompatibleDC(masked.dc.get()));
                        draw_with_masks(masked.dc.get(), *masks, at.x, at.y, mask_dc.get(), masked_dc.get());
                        EXPECT_EQ(GetTextColor(masked.dc.get()), rgb(1, 2, 3)) << "the target's colours go back";
                        EXPECT_EQ(GetBkColor(masked.dc.get()), rgb(4, 5, 6));
                        const std::vector<Color> expected = routine.pixels();
                        const std::vector<Color> drawn = masked.pixels();
                        ASSERT_EQ(drawn, expected) << bits << " bits, transparent " << transparent << ", display "
                                                   << display << ", at " << at.x << "," << at.y << ", clipped "
                                                   << clipped;
                        ++compared;
                    }
                }
            }
        }
        EXPECT_EQ(bitmap_pixels(picture.get()), picture_before) << "the picture is as it was";
    }
    EXPECT_EQ(compared, 4 * 2 * 2 * 3 * 2);

    // A drawing that shows something: the background through the
    // transparent pixels, the picture elsewhere.
    UniqueBitmap picture = make_picture(32, w, h);
    UniqueMemoryDc picture_dc(CreateCompatibleDC(nullptr));
    std::unique_ptr<TransparentMasks> masks;
    {
        SelectGuard select(picture_dc.get(), picture.get());
        masks = make_transparent_masks(picture_dc.get(), picture.get(), kMagenta);
    }
    Target shown(false, 40, 30);
    TransparentDrawing drawing(shown.dc.get());
    drawing.draw(shown.dc.get(), *masks, 4, 5);
    const std::vector<Color> pixels = shown.pixels();
    EXPECT_EQ(pixels[5 * 40 + 4], background(4, 5)) << "pattern(0, 0) is magenta";
    EXPECT_EQ(pixels[5 * 40 + 5], pattern(1, 0));
}

TEST(TransparentMasks, PalettedPicturesKeepTheRoutine) {
    // The routine ANDs their palette indices; masks would not repeat that.
    for (const int bits : {1, 4, 8}) {
        UniqueBitmap picture = make_picture(bits, 8, 8);
        UniqueMemoryDc picture_dc(CreateCompatibleDC(nullptr));
        SelectGuard select(picture_dc.get(), picture.get());
        EXPECT_EQ(make_transparent_masks(picture_dc.get(), picture.get(), kMagenta), nullptr) << bits;
    }
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    EXPECT_EQ(make_transparent_masks(dc.get(), nullptr, kMagenta), nullptr);
}

}  // namespace
}  // namespace qb

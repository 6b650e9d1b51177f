#pragma once
// Draws a bitmap with every pixel of one colour left out, by two
// monochrome masks and plain raster operations.
#include <windows.h>

#include <cstdint>

#include "common/transparent_masks_win.h"
#include "common/win_handles_win.h"

namespace qb {

class TransparentDrawing;

// The bitmap is changed during the call and restored before it returns.
// A paint that draws many pictures passes its TransparentDrawing; without
// one the call makes its own.
void draw_transparent(HDC target, HBITMAP bitmap, std::int16_t x, std::int16_t y, COLORREF transparent,
                      TransparentDrawing* shared = nullptr);

// The five memory DCs and four scratch bitmaps that transparent drawing
// works with. Making and selecting them costs far more than drawing a
// small picture, so one paint makes them once, at its first picture, and
// passes them to every picture it draws (the bitmaps are made again only
// for a picture of another size); all are deleted when the paint ends.
class TransparentDrawing {
public:
    explicit TransparentDrawing(HDC target) : target_(target) {}
    TransparentDrawing(const TransparentDrawing&) = delete;
    TransparentDrawing& operator=(const TransparentDrawing&) = delete;
    ~TransparentDrawing();

    void draw(HDC target, HBITMAP bitmap, std::int16_t x, std::int16_t y, COLORREF transparent);
    // A picture whose masks were made with it: the same pixels, two
    // copies instead of nine, and the picture itself is not touched.
    void draw(HDC target, const TransparentMasks& masks, std::int16_t x, std::int16_t y);

private:
    void make_dcs();
    // Scratch bitmaps of w x h, each selected into its DC.
    void prepare(HDC target, int w, int h);
    void release_scratch();

    HDC target_;
    UniqueMemoryDc source_, back_, object_, mem_, save_;
    UniqueBitmap back_bits_, object_bits_, mem_bits_, save_bits_;
    HGDIOBJ original_[4] = {};
    int width_ = -1;
    int height_ = -1;
};

}  // namespace qb

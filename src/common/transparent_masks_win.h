#pragma once
// What transparent drawing derives from a picture and its transparent
// colour, made once per picture instead of in every paint: the mask
// (white where the picture has the transparent colour, black elsewhere)
// and the picture with those pixels made black. Drawn with them, a
// picture gives exactly the pixels of the two-mask routine in
// render/transparent_win.h, without selecting the picture itself (which
// is slow for display bitmaps) and without touching it.
#include <windows.h>

#include <memory>

#include "common/win_handles_win.h"

namespace qb {

struct TransparentMasks {
    COLORREF transparent = 0;
    int width = 0;
    int height = 0;
    UniqueBitmap mask;    // one bit per pixel
    UniqueBitmap masked;  // a 32-bit DIB section
};

// The masks of `picture`, which is selected into `picture_dc` (a memory
// DC whose colours and mapping are the defaults). None for a picture of
// eight or fewer bits per pixel: the routine works on their palette
// indices, which these masks would not repeat.
std::unique_ptr<TransparentMasks> make_transparent_masks(HDC picture_dc, HBITMAP picture, COLORREF transparent);

// Draws the picture at (x, y) of `target` (MM_TEXT), selecting the masks
// into the two memory DCs given for the time of the call.
void draw_with_masks(HDC target, const TransparentMasks& masks, int x, int y, HDC mask_dc, HDC masked_dc);

}  // namespace qb

#include "common/transparent_masks_win.h"

namespace qb {

std::unique_ptr<TransparentMasks> make_transparent_masks(HDC picture_dc, HBITMAP picture, COLORREF transparent) {
    BITMAP info{};
    if (picture == nullptr || !GetObjectW(picture, sizeof info, &info)) return nullptr;
    if (info.bmBitsPixel * info.bmPlanes <= 8 || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
    const int w = info.bmWidth;
    const int h = info.bmHeight;

    auto masks = std::make_unique<TransparentMasks>();
    masks->transparent = transparent;
    masks->width = w;
    masks->height = h;
    masks->mask.reset(CreateBitmap(w, h, 1, 1, nullptr));
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = w;
    format.bmiHeader.biHeight = -h;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    masks->masked.reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!masks->mask || !masks->masked) return nullptr;

    UniqueMemoryDc mask_dc(CreateCompatibleDC(picture_dc));
    UniqueMemoryDc masked_dc(CreateCompatibleDC(picture_dc));
    UniqueBitmap back(CreateBitmap(w, h, 1, 1, nullptr));
    UniqueMemoryDc back_dc(CreateCompatibleDC(picture_dc));
    if (!mask_dc || !masked_dc || !back || !back_dc) return nullptr;
    SelectGuard select_mask(mask_dc.get(), masks->mask.get());
    SelectGuard select_masked(masked_dc.get(), masks->masked.get());
    SelectGuard select_back(back_dc.get(), back.get());

    // The mask: the colour-to-monochrome copy turns the pixels of the
    // picture's background colour white.
    const COLORREF previous_background = SetBkColor(picture_dc, transparent);
    BitBlt(mask_dc.get(), 0, 0, w, h, picture_dc, 0, 0, SRCCOPY);
    SetBkColor(picture_dc, previous_background);
    BitBlt(back_dc.get(), 0, 0, w, h, mask_dc.get(), 0, 0, NOTSRCCOPY);
    // The picture ANDed with the inverse mask: black where transparent,
    // itself elsewhere (a true-colour picture ANDed with white is itself).
    BitBlt(masked_dc.get(), 0, 0, w, h, picture_dc, 0, 0, SRCCOPY);
    BitBlt(masked_dc.get(), 0, 0, w, h, back_dc.get(), 0, 0, SRCAND);
    GdiFlush();
    return masks;
}

void draw_with_masks(HDC target, const TransparentMasks& masks, int x, int y, HDC mask_dc, HDC masked_dc) {
    const int w = masks.width;
    const int h = masks.height;
    SelectGuard select_mask(mask_dc, masks.mask.get());
    SelectGuard select_masked(masked_dc, masks.masked.get());
    // A monochrome source takes the target's text colour for 0 and its
    // background colour for 1: black and white, as in a fresh DC.
    const COLORREF previous_text = SetTextColor(target, RGB(0, 0, 0));
    const COLORREF previous_background = SetBkColor(target, RGB(255, 255, 255));
    BitBlt(target, x, y, w, h, mask_dc, 0, 0, SRCAND);
    BitBlt(target, x, y, w, h, masked_dc, 0, 0, SRCPAINT);
    SetBkColor(target, previous_background);
    SetTextColor(target, previous_text);
}

}  // namespace qb

#include "render/transparent_win.h"

#include "common/win_handles_win.h"

namespace qb {

void draw_transparent(HDC target, HBITMAP bitmap, std::int16_t x, std::int16_t y, COLORREF transparent) {
    if (bitmap == nullptr) return;
    BitmapDc source(target, bitmap);
    HDC s = source.get();

    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info)) return;
    POINT size{info.bmWidth, info.bmHeight};
    DPtoLP(s, &size, 1);
    const int w = size.x;
    const int h = size.y;

    UniqueBitmap back_bits(CreateBitmap(w, h, 1, 1, nullptr));
    UniqueBitmap object_bits(CreateBitmap(w, h, 1, 1, nullptr));
    UniqueBitmap mem_bits(CreateCompatibleBitmap(target, w, h));
    UniqueBitmap save_bits(CreateCompatibleBitmap(target, w, h));
    BitmapDc back(target, back_bits.get());
    BitmapDc object(target, object_bits.get());
    BitmapDc mem(target, mem_bits.get());
    BitmapDc save(target, save_bits.get());

    SetMapMode(s, GetMapMode(target));
    BitBlt(save.get(), 0, 0, w, h, s, 0, 0, SRCCOPY);

    // Object mask: transparent pixels white, all others black.
    COLORREF previous_background = SetBkColor(s, transparent);
    BitBlt(object.get(), 0, 0, w, h, s, 0, 0, SRCCOPY);
    SetBkColor(s, previous_background);

    BitBlt(back.get(), 0, 0, w, h, object.get(), 0, 0, NOTSRCCOPY);
    BitBlt(mem.get(), 0, 0, w, h, target, x, y, SRCCOPY);
    BitBlt(mem.get(), 0, 0, w, h, object.get(), 0, 0, SRCAND);
    BitBlt(s, 0, 0, w, h, back.get(), 0, 0, SRCAND);
    BitBlt(mem.get(), 0, 0, w, h, s, 0, 0, SRCPAINT);
    BitBlt(target, x, y, w, h, mem.get(), 0, 0, SRCCOPY);
    // The source goes back to what it held, transparent pixels included.
    BitBlt(s, 0, 0, w, h, save.get(), 0, 0, SRCCOPY);
}

}  // namespace qb

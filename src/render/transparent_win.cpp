#include "render/transparent_win.h"

namespace qb {

TransparentDrawing::~TransparentDrawing() { release_scratch(); }

void TransparentDrawing::make_dcs() {
    if (source_) return;
    source_.reset(CreateCompatibleDC(target_));
    back_.reset(CreateCompatibleDC(target_));
    object_.reset(CreateCompatibleDC(target_));
    mem_.reset(CreateCompatibleDC(target_));
    save_.reset(CreateCompatibleDC(target_));
}

void TransparentDrawing::release_scratch() {
    HDC dcs[4] = {back_.get(), object_.get(), mem_.get(), save_.get()};
    for (int i = 0; i < 4; ++i) {
        if (original_[i]) SelectObject(dcs[i], original_[i]);
        original_[i] = nullptr;
    }
    back_bits_.reset();
    object_bits_.reset();
    mem_bits_.reset();
    save_bits_.reset();
    width_ = height_ = -1;
}

void TransparentDrawing::prepare(HDC target, int w, int h) {
    if (w == width_ && h == height_) return;
    release_scratch();
    back_bits_.reset(CreateBitmap(w, h, 1, 1, nullptr));
    object_bits_.reset(CreateBitmap(w, h, 1, 1, nullptr));
    mem_bits_.reset(CreateCompatibleBitmap(target, w, h));
    save_bits_.reset(CreateCompatibleBitmap(target, w, h));
    original_[0] = SelectObject(back_.get(), back_bits_.get());
    original_[1] = SelectObject(object_.get(), object_bits_.get());
    original_[2] = SelectObject(mem_.get(), mem_bits_.get());
    original_[3] = SelectObject(save_.get(), save_bits_.get());
    width_ = w;
    height_ = h;
}

void TransparentDrawing::draw(HDC target, HBITMAP bitmap, std::int16_t x, std::int16_t y, COLORREF transparent) {
    if (bitmap == nullptr) return;
    make_dcs();
    HDC s = source_.get();
    SelectGuard select_source(s, bitmap);

    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) return;
    POINT size{info.bmWidth, info.bmHeight};
    DPtoLP(s, &size, 1);
    const int w = size.x;
    const int h = size.y;

    if (w <= 0 || h <= 0) return;
    prepare(target, w, h);
    HDC back = back_.get();
    HDC object = object_.get();
    HDC mem = mem_.get();
    HDC save = save_.get();

    const int previous_mapping = SetMapMode(s, GetMapMode(target));
    BitBlt(save, 0, 0, w, h, s, 0, 0, SRCCOPY);

    // Object mask: transparent pixels white, all others black.
    COLORREF previous_background = SetBkColor(s, transparent);
    BitBlt(object, 0, 0, w, h, s, 0, 0, SRCCOPY);
    SetBkColor(s, previous_background);

    BitBlt(back, 0, 0, w, h, object, 0, 0, NOTSRCCOPY);
    BitBlt(mem, 0, 0, w, h, target, x, y, SRCCOPY);
    BitBlt(mem, 0, 0, w, h, object, 0, 0, SRCAND);
    BitBlt(s, 0, 0, w, h, back, 0, 0, SRCAND);
    BitBlt(mem, 0, 0, w, h, s, 0, 0, SRCPAINT);
    BitBlt(target, x, y, w, h, mem, 0, 0, SRCCOPY);
    // The source goes back to what it held, transparent pixels included.
    BitBlt(s, 0, 0, w, h, save, 0, 0, SRCCOPY);
    SetMapMode(s, previous_mapping);
}

void TransparentDrawing::draw(HDC target, const TransparentMasks& masks, std::int16_t x, std::int16_t y) {
    make_dcs();
    draw_with_masks(target, masks, x, y, object_.get(), source_.get());
}

void draw_transparent(HDC target, HBITMAP bitmap, std::int16_t x, std::int16_t y, COLORREF transparent,
                      TransparentDrawing* shared) {
    if (bitmap == nullptr) return;
    if (shared) {
        shared->draw(target, bitmap, x, y, transparent);
        return;
    }
    TransparentDrawing own(target);
    own.draw(target, bitmap, x, y, transparent);
}

}  // namespace qb

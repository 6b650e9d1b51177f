#include "render/skin_win.h"

#include <algorithm>
#include <string>

#include "render/gdi_helpers_win.h"

namespace qb {

namespace {

struct ThemePicture {
    const char* file;
    const char* name;
};
constexpr ThemePicture kThemePictures[] = {
    {"\\Background.bmp", "BackGround"},
    {"\\CloseButton.bmp", "CloseButton"},
    {"\\OptButton.bmp", "OptButton"},
    {"\\Right.bmp", "RightSide"},
};
constexpr const char* kLibraryPictures[] = {"DT_FLASH", "DT_HDD",  "DT_CDROM", "DT_NET",
                                            "DT_FIND",  "DT_UNKN", "DT_ADD",   "DT_DEL"};

// The cache entry `name`, created empty if missing; its old bitmap goes.
BitmapEntry& fresh_entry(BitmapCache& bitmaps, const char* name) {
    BitmapEntry* entry = bitmaps.find(name);
    if (entry == nullptr) {
        bitmaps.add_from_file(nullptr, name);
        entry = bitmaps.find(name);
    }
    entry->set_bitmap(nullptr);
    return *entry;
}

// Fills w x h with copies of the bw x bh picture from (0, 0), cut at the
// right and bottom edges. The first copy is doubled along the row and then
// the row down the height, so a tiny picture costs a few dozen copies
// instead of one per tile, with the same pixels.
void tile(HDC to, HDC from, int w, int h, int bw, int bh) {
    BitBlt(to, 0, 0, bw, bh, from, 0, 0, SRCCOPY);
    for (int done = bw; done < w; done *= 2) {
        BitBlt(to, done, 0, std::min(done, w - done), bh, to, 0, 0, SRCCOPY);
    }
    for (int done = bh; done < h; done *= 2) {
        BitBlt(to, 0, done, w, std::min(done, h - done), to, 0, 0, SRCCOPY);
    }
}

void compose_background(BitmapCache& bitmaps, HDC window_dc, const BitmapEntry& source, int w, int h,
                        std::int8_t fill_type) {
    BitmapEntry& composed = fresh_entry(bitmaps, "BackGroundRESIZED");
    composed.set_bitmap(CreateCompatibleBitmap(window_dc, w, h));
    BitmapDc from(window_dc, source.bitmap.get());
    BitmapDc to(window_dc, composed.bitmap.get());
    // Parts that the picture does not cover are black.
    PatBlt(to.get(), 0, 0, w, h, BLACKNESS);
    SetStretchBltMode(to.get(), COLORONCOLOR);
    const int bw = source.width;
    const int bh = source.height;
    switch (fill_type) {
        case 1:
            BitBlt(to.get(), 0, 0, bw, bh, from.get(), 0, 0, SRCCOPY);
            break;
        case 2:
            // A picture without size has nothing to tile.
            if (bw <= 0 || bh <= 0) break;
            tile(to.get(), from.get(), w, h, bw, bh);
            break;
        case 3:
            StretchBlt(to.get(), 0, 0, w, h, from.get(), 0, 0, bw, bh, SRCCOPY);
            break;
        default:
            break;
    }
}

void compose_right_side(BitmapCache& bitmaps, HDC window_dc, const BitmapEntry& source) {
    BitmapEntry& composed = fresh_entry(bitmaps, "RightSideRESIZED");
    composed.set_bitmap(CreateCompatibleBitmap(window_dc, kRightStripWidth, kTabHeight));
    BitmapDc from(window_dc, source.bitmap.get());
    BitmapDc to(window_dc, composed.bitmap.get());
    PatBlt(to.get(), 0, 0, kRightStripWidth, kTabHeight, BLACKNESS);
    SetStretchBltMode(to.get(), COLORONCOLOR);
    StretchBlt(to.get(), 0, 0, kRightStripWidth, kTabHeight, from.get(), 0, 0, source.width, source.height, SRCCOPY);

    // The frame's left side lies outside the image: top, right and bottom
    // edges show, with rounded right corners.
    UniquePen pen = solid_pen(rgb(142, 142, 122));
    MixGuard mix(to.get(), R2_COPYPEN);
    SelectGuard select_pen(to.get(), pen.get());
    SelectGuard select_brush(to.get(), GetStockObject(NULL_BRUSH));
    RoundRect(to.get(), -10, 0, kRightStripWidth, kTabHeight - 1, 5, 5);
}

}  // namespace

void load_theme_pictures(BitmapCache& bitmaps, const std::string& theme_folder) {
    for (const ThemePicture& picture : kThemePictures) {
        const std::string path = theme_folder + picture.file;
        bitmaps.add_from_file(path.c_str(), picture.name);
    }
}

void load_skin(BitmapCache& bitmaps, const std::string& theme_folder, HMODULE library) {
    load_theme_pictures(bitmaps, theme_folder);
    if (library == nullptr) return;
    for (const char* name : kLibraryPictures) bitmaps.add_from_resource(library, name);
}

void compose_skin(BitmapCache& bitmaps, const Rect& window_rect, HWND window, std::int8_t fill_type,
                  int header_height) {
    // Entries are looked up again after each composition: composing adds
    // entries, and the list keeps every entry where it is.
    const BitmapEntry* background = bitmaps.find("BackGround");
    if (background == nullptr) return;
    WindowDc window_dc(window);
    const int w = window_rect.right - kRightStripWidth;
    const int h = window_rect.bottom - 2 * header_height + 1;
    compose_background(bitmaps, window_dc.get(), *background, w, h, fill_type);

    const BitmapEntry* right = bitmaps.find("RightSide");
    if (right == nullptr) return;
    compose_right_side(bitmaps, window_dc.get(), *right);
}

void draw_right_side(HDC dc, int width, int height, const BitmapCache& bitmaps, const SkinButtonPlaces& buttons) {
    if (HBITMAP tab = bitmaps.bitmap_of("RightSideRESIZED")) {
        SetStretchBltMode(dc, COLORONCOLOR);
        BitmapDc source(dc, tab);
        BitBlt(dc, width - kRightStripWidth, height / 2 - kTabHeight / 2, kRightStripWidth, kTabHeight, source.get(), 0,
               0, SRCCOPY);
    }
    if (buttons.close) bitmaps.draw(dc, "CloseButton", buttons.close->x, buttons.close->y);
    if (buttons.options) bitmaps.draw(dc, "OptButton", buttons.options->x, buttons.options->y);
}

Rect right_side_extent(int width, int height, const BitmapCache& bitmaps, const SkinButtonPlaces& buttons) {
    Rect extent{width - kRightStripWidth, height / 2 - kTabHeight / 2, width, height / 2 - kTabHeight / 2 + kTabHeight};
    auto add = [&](const std::optional<Point>& place, const char* name) {
        const BitmapEntry* entry = bitmaps.find(name);
        if (!place || entry == nullptr) return;
        extent = bounding_union(extent, {place->x, place->y, place->x + entry->width, place->y + entry->height});
    };
    add(buttons.close, "CloseButton");
    add(buttons.options, "OptButton");
    return extent;
}

}  // namespace qb

#include "render/skin_win.h"

#include <algorithm>
#include <string>

#include "app/app_globals_win.h"
#include "app/drive_info.h"
#include "render/gdi_helpers_win.h"
#include "theme/theme_values.h"

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
BitmapEntry& fresh_entry(const char* name) {
    BitmapEntry* entry = bitmap_cache.find(name);
    if (entry == nullptr) {
        bitmap_cache.add_from_file(nullptr, name);
        entry = bitmap_cache.find(name);
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

void compose_background(HDC window_dc, const BitmapEntry& source, int w, int h) {
    BitmapEntry& composed = fresh_entry("BackGroundRESIZED");
    composed.set_bitmap(CreateCompatibleBitmap(window_dc, w, h));
    BitmapDc from(window_dc, source.bitmap.get());
    BitmapDc to(window_dc, composed.bitmap.get());
    // Parts that the picture does not cover are black.
    PatBlt(to.get(), 0, 0, w, h, BLACKNESS);
    SetStretchBltMode(to.get(), COLORONCOLOR);
    const int bw = source.width;
    const int bh = source.height;
    switch (theme_colors.fill_type) {
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

void compose_right_side(HDC window_dc, const BitmapEntry& source) {
    BitmapEntry& composed = fresh_entry("RightSideRESIZED");
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

void load_skin(HWND window) {
    for (const ThemePicture& picture : kThemePictures) {
        const std::string path = theme_file_path(picture.file);
        bitmap_cache.add_from_file(path.c_str(), picture.name);
    }
    if (resource_library) {
        for (const char* name : kLibraryPictures) bitmap_cache.add_from_resource(resource_library.get(), name);
        // The copies in the cache are sections of their own.
        resource_library.reset();
    }
    RECT placed{};
    GetWindowRect(window, &placed);
    compose_skin({0, 0, placed.right - placed.left, placed.bottom - placed.top}, window);
}

void compose_skin(const Rect& window_rect, HWND window) {
    const BitmapEntry* background = bitmap_cache.find("BackGround");
    if (background == nullptr) return;
    WindowDc window_dc(window);
    const int w = window_rect.right - kRightStripWidth;
    const int h = window_rect.bottom - 2 * header_height + 1;
    compose_background(window_dc.get(), *background, w, h);

    const BitmapEntry* right = bitmap_cache.find("RightSide");
    if (right == nullptr) return;
    compose_right_side(window_dc.get(), *right);
}

void draw_right_side(HDC dc, int width, int height, HWND window) {
    if (HBITMAP tab = bitmap_cache.bitmap_of("RightSideRESIZED")) {
        SetStretchBltMode(dc, COLORONCOLOR);
        BitmapDc source(dc, tab);
        BitBlt(dc, width - kRightStripWidth, height / 2 - kTabHeight / 2, kRightStripWidth, kTabHeight, source.get(), 0,
               0, SRCCOPY);
    }
    if (window == nullptr) return;
    RECT placed{};
    GetWindowRect(window, &placed);
    const std::pair<int, const char*> buttons[] = {{CMD_CLOSE, "CloseButton"}, {CMD_OPTIONS, "OptButton"}};
    for (const auto& [id, name] : buttons) {
        HWND button = GetDlgItem(window, id);
        if (button == nullptr) continue;
        RECT place{};
        GetWindowRect(button, &place);
        bitmap_cache.draw(dc, name, place.left - placed.left, place.top - placed.top);
    }
}

}  // namespace qb

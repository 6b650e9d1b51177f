#pragma once
// The theme's pictures made to fit the window: the background laid out
// by the fill type and the right tab stretched and framed.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/geometry.h"
#include "render/bitmap_cache_win.h"

namespace qb {

inline constexpr int kRightStripWidth = 50;
inline constexpr int kTabHeight = 120;

// Appends the four pictures of the theme in `theme_folder` to the cache,
// in order: "BackGround", "CloseButton", "OptButton", "RightSide".
void load_theme_pictures(BitmapCache& bitmaps, const std::string& theme_folder);
// The theme's pictures, then the eight status images of the picture
// library when it is loaded.
void load_skin(BitmapCache& bitmaps, const std::string& theme_folder, HMODULE library);
// Builds "BackGroundRESIZED" (laid out by the theme's fill type) and
// "RightSideRESIZED" for a window of window_rect's size, with bitmaps
// compatible with the window's DC.
void compose_skin(BitmapCache& bitmaps, const Rect& window_rect, HWND window, std::int8_t fill_type,
                  int header_height);

// Where the two skin buttons sit, in client coordinates; a button that
// does not exist is not drawn.
struct SkinButtonPlaces {
    std::optional<Point> close;
    std::optional<Point> options;
};
// The tab and the two skin buttons, for a client area of width x height.
void draw_right_side(HDC dc, int width, int height, const BitmapCache& bitmaps, const SkinButtonPlaces& buttons);
// Where draw_right_side draws.
Rect right_side_extent(int width, int height, const BitmapCache& bitmaps, const SkinButtonPlaces& buttons);

}  // namespace qb

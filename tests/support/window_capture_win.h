#pragma once
// The main window's pixels as the screen shows them, for comparisons of
// whole paints: read back from the window, every pixel outside the
// window's shape or under a child window (the skin buttons paint
// themselves) set to 0.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qb::test {

struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
    bool operator==(const WindowPixels&) const = default;
};

WindowPixels capture_window(HWND window);
// The same masking applied to an image of the whole window in `image`
// (a DC of the window's size), such as a paint drawn off screen.
WindowPixels capture_window_image(HWND window, HDC image);

// FNV-1a over the pixels and the size.
std::uint64_t pixel_checksum(const WindowPixels& capture);

// Where two captures of one size differ: the count and the first place.
struct PixelDifference {
    int count = 0;
    int first_x = -1;
    int first_y = -1;
};
PixelDifference compare_pixels(const WindowPixels& a, const WindowPixels& b);

// A 24-bit .bmp file of the capture, to look at a difference.
void write_bmp(const std::string& path, const WindowPixels& capture);

}  // namespace qb::test

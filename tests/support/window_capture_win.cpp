#include "support/window_capture_win.h"

#include <algorithm>

#include "common/win_handles_win.h"
#include "support/test_support_win.h"

namespace qb::test {

namespace {

BOOL CALLBACK mask_child(HWND child, LPARAM param) {
    auto* capture = reinterpret_cast<std::pair<HWND, WindowPixels*>*>(param);
    if (!IsWindowVisible(child)) return TRUE;
    RECT place{};
    GetWindowRect(child, &place);
    RECT parent{};
    GetWindowRect(capture->first, &parent);
    WindowPixels& pixels = *capture->second;
    const int top = std::max(0, static_cast<int>(place.top - parent.top));
    const int bottom = std::min(pixels.height, static_cast<int>(place.bottom - parent.top));
    const int left = std::max(0, static_cast<int>(place.left - parent.left));
    const int right = std::min(pixels.width, static_cast<int>(place.right - parent.left));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) pixels.pixels[static_cast<std::size_t>(y) * pixels.width + x] = 0;
    }
    return TRUE;
}

}  // namespace

WindowPixels capture_window(HWND window) {
    WindowDc dc(window);
    return capture_window_image(window, dc.get());
}

WindowPixels capture_window_image(HWND window, HDC image) {
    RECT placed{};
    GetWindowRect(window, &placed);
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    Canvas canvas(width, height);
    BitBlt(canvas.dc(), 0, 0, width, height, image, 0, 0, SRCCOPY);
    // The shape: white where the window is, black elsewhere.
    Canvas shape(width, height, kBlack);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.get()) == ERROR) {
        shape.fill(kWhite);
    } else {
        UniqueBrush white(CreateSolidBrush(kWhite));
        FillRgn(shape.dc(), region.get(), white.get());
    }
    const std::vector<Color> shown = bitmap_pixels(canvas.bitmap());
    const std::vector<Color> inside = bitmap_pixels(shape.bitmap());
    WindowPixels capture;
    capture.width = width;
    capture.height = height;
    capture.pixels.resize(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const Color c = inside[i] == kWhite ? shown[i] : kBlack;
        capture.pixels[i] = (std::uint32_t(red_of(c)) << 16) | (std::uint32_t(green_of(c)) << 8) | blue_of(c);
    }
    std::pair<HWND, WindowPixels*> param{window, &capture};
    EnumChildWindows(window, mask_child, reinterpret_cast<LPARAM>(&param));
    return capture;
}

std::uint64_t pixel_checksum(const WindowPixels& capture) {
    std::uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (value >> (8 * i)) & 0xFF;
            hash *= 1099511628211ull;
        }
    };
    add(static_cast<std::uint32_t>(capture.width));
    add(static_cast<std::uint32_t>(capture.height));
    for (std::uint32_t p : capture.pixels) add(p);
    return hash;
}

PixelDifference compare_pixels(const WindowPixels& a, const WindowPixels& b) {
    PixelDifference difference;
    if (a.width != b.width || a.height != b.height) {
        difference.count = -1;
        return difference;
    }
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * a.width + x;
            if (a.pixels[i] == b.pixels[i]) continue;
            if (difference.count++ == 0) {
                difference.first_x = x;
                difference.first_y = y;
            }
        }
    }
    return difference;
}

void write_bmp(const std::string& path, const WindowPixels& capture) {
    const int row = (capture.width * 3 + 3) & ~3;
    std::vector<std::uint8_t> bytes(54 + static_cast<std::size_t>(row) * capture.height);
    auto put32 = [&bytes](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(capture.width));
    put32(22, static_cast<std::uint32_t>(capture.height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < capture.height; ++y) {
        std::uint8_t* out = bytes.data() + 54 + static_cast<std::size_t>(capture.height - 1 - y) * row;
        for (int x = 0; x < capture.width; ++x) {
            const std::uint32_t p = capture.pixels[static_cast<std::size_t>(y) * capture.width + x];
            out[3 * x] = static_cast<std::uint8_t>(p);
            out[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
            out[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
        }
    }
    write_bytes(path, bytes);
}

}  // namespace qb::test

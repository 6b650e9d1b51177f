// Prints how long the main window's paints take under Wine, next to the
// floor of a paint measured in the same run: one full-window BitBlt of a
// 1024 x 768 bitmap to a window, and a paint message whose handler does
// only that BitBlt. The program runs on a drive whose data.qb links to
// programs and documents, so the pictures are the shell's. Also how long
// the skin takes to compose for 1024 x 768 when a small picture is tiled.
// Figures, not a test.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "mainwindow/main_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/painter_win.h"
#include "render/skin_win.h"
#include "render/window_areas.h"
#include "support/link_drive_win.h"
#include "support/test_support_win.h"

using namespace qb;

namespace {

constexpr int kRounds = 200;

using Clock = std::chrono::steady_clock;

// The median time of one call of `body`, after one call to warm up.
template <typename Body>
double median_ms(Body&& body, int rounds = kRounds) {
    body();
    std::vector<double> times;
    times.reserve(rounds);
    for (int i = 0; i < rounds; ++i) {
        const Clock::time_point start = Clock::now();
        body();
        GdiFlush();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A window whose paint is one BitBlt of a bitmap of its size: the floor of
// a paint that goes through the paint message.
struct BareSurface {
    HDC source = nullptr;
};

LRESULT CALLBACK bare_paint_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* surface = reinterpret_cast<const BareSurface*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT || surface == nullptr) return DefWindowProcA(window, message, wparam, lparam);
    PaintDc paint(window);
    RECT client{};
    GetClientRect(window, &client);
    BitBlt(paint.get(), 0, 0, client.right, client.bottom, surface->source, 0, 0, SRCCOPY);
    return 0;
}

void print_floor(int width, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = bare_paint_proc;
    wc.hInstance = instance;
    wc.lpszClassName = "QbBarePaint";
    RegisterClassA(&wc);
    BareSurface surface;
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, width, height, nullptr, nullptr, instance,
                                  &surface);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    double blit = 0;
    double message = 0;
    {
        WindowDc dc(window);
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc.get(), width, height));
        BitmapDc source(dc.get(), bitmap.get());
        PatBlt(source.get(), 0, 0, width, height, WHITENESS);
        surface.source = source.get();
        blit = median_ms([&] { BitBlt(dc.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY); });
        message = median_ms([&] {
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
        });
        surface.source = nullptr;
    }
    DestroyWindow(window);
    UnregisterClassA(wc.lpszClassName, instance);
    std::printf("Floor, %d x %d: one full-window BitBlt %.3f ms; a paint message doing only that BitBlt %.3f ms\n",
                width, height, blit, message);
}

LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// One drag frame: a mouse move while a link is dragged (the window repaints
// before the message returns). The pointer walks to and fro over 120 pixels.
double drag_frame_ms(ProgramState& program, HWND window) {
    const Link& link = *program.links.at(0);
    const Point grab = link_to_client(link.x + 30, link.y + 30, program.header_height);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point_param(grab.x, grab.y));
    int step = 0;
    const double ms = median_ms(
        [&] {
            const int offset = (step / 40) % 2 == 0 ? step % 40 : 40 - step % 40;
            ++step;
            SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, point_param(grab.x + 3 * offset, grab.y + 2 * offset));
        },
        kRounds * 2);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, point_param(grab.x, grab.y));
    SendMessageA(window, WM_LBUTTONUP, 0, point_param(grab.x, grab.y));
    return ms;
}

void measure(ProgramState& program, HWND window, const char* what, int width, int height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    const int header_height = program.header_height;
    const double full = median_ms([&] { repaint_areas(window, AREA_ALL, header_height); });
    // One link changed, the whole window asked for: the kept links are
    // drawn again only where that link is.
    Link& changing = *program.links.at(program.links.count() / 2);
    const double changed = median_ms([&] {
        changing.selected = !changing.selected;
        repaint_areas(window, AREA_ALL, header_height);
    });
    changing.selected = false;
    // The selection moved by an arrow key, repainted as the window does it.
    const LPARAM extended_key = 1 | (1 << 24);
    int presses = 0;
    const double selection = median_ms([&] {
        SendMessageA(window, WM_KEYDOWN, presses++ % 2 ? VK_LEFT : VK_RIGHT, extended_key);
    });
    const double header = median_ms([&] { repaint_areas(window, AREA_HEADER, header_height); });
    const double drag = drag_frame_ms(program, window);
    test::Canvas canvas(width, height);
    const PaintScene scene = paint_scene(*main_window_data(window), window);
    const double layers = median_ms([&] { draw_main_window(canvas.dc(), scene, {true, true, true, true}); }, 50);
    std::printf("%-22s full paint %7.3f ms   after a link changed %7.3f ms   new selection by a key %6.3f ms"
                " (goal at most 3 ms)   header only %6.3f ms   drag frame %6.3f ms   (all layers into a bitmap"
                " %7.3f ms)\n",
                what, full, changed, selection, header, drag, layers);
}

// A theme may tile a tiny picture (a plain colour or a fine pattern).
void measure_tiling(ProgramState& program, int picture_size, HWND window) {
    BitmapCache& bitmap_cache = program.bitmaps;
    bitmap_cache.remove("BackGround");
    bitmap_cache.add_from_file(nullptr, "BackGround");
    BitmapEntry* picture = bitmap_cache.find("BackGround");
    picture->set_bitmap(test::make_test_bitmap(picture_size, picture_size, [](int x, int y) {
        return (x + y) % 2 ? rgb(30, 60, 90) : rgb(40, 80, 120);
    }));
    program.theme.fill_type = 2;
    const double ms = median_ms(
        [&] { compose_skin(bitmap_cache, {0, 0, 1024, 768}, window, program.theme.fill_type, program.header_height); },
        5);
    std::printf("compose 1024 x 768, tiling a %d x %d picture: %9.2f ms (median of 5)\n", picture_size, picture_size,
                ms);
}

}  // namespace

int main() {
    const std::string folder = test::fresh_folder(test::kTestDrive, "bench");
    test::install_themes(folder);
    const std::vector<StoredLink> links = test::make_link_targets(folder + "\\files", 100);
    test::write_bytes(folder + "\\data.qb", test::settings_with_links(links, 1024, 768));
    std::printf("Paints of the main window, median of %d rounds each (drag: %d mouse moves)\n", kRounds,
                kRounds * 2);
    print_floor(1024, 768);
    test::TestProgram program(folder);
    ProgramState& state = program.state;
    return program.run([&](HWND window) {
        SetWindowPos(window, nullptr, 0, 0, 1024, 768, SWP_NOZORDER);
        state.settings.show_hints = false;  // no balloon or countdown comes and goes
        state.settings.auto_arrange = true;
        state.drive.total_mb = 1000.0;
        state.drive.free_mb = 300.0;
        measure(state, window, "1024 x 768, 100 links", 1024, 768);
        while (state.links.count() > 20) state.links.remove(state.links.at(state.links.count() - 1));
        measure(state, window, "400 x 300, 20 links", 400, 300);
        state.links.clear();
        measure_tiling(state, 1, window);
        measure_tiling(state, 8, window);
        measure_tiling(state, 64, window);
        test::press_key(window, VK_ESCAPE);
    });
}

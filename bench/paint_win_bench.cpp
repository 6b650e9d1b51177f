// Prints how long the main window's paints take under Wine: a full paint
// of a 400 x 300 window with 20 links, of a 1024 x 768 window with 100
// links, and a repaint of the header strip alone; and how long the skin
// takes to compose for 1024 x 768 when a small picture is tiled. Figures,
// not a test.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "links/link_images_win.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/painter_win.h"
#include "render/skin_win.h"
#include "render/window_areas.h"
#include "support/test_support_win.h"

using namespace qb;

namespace {

constexpr int kRounds = 300;

template <typename Body>
double milliseconds_per_round(Body&& body, int rounds = kRounds) {
    body();  // warm up
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) body();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::milli>(elapsed).count() / rounds;
}

void fill_links(ProgramState& program, const std::string& folder, int count, HWND window) {
    program.links.clear();
    const std::string default_picture = default_picture_path(program.theme_folder());
    for (int i = 0; i < count; ++i) {
        Link& link = program.links.append_from_path(folder + "\\Sample file " + std::to_string(i) + ".txt",
                                                    program.location.drive_root);
        LinkList::set_x(link, (i % 13) * 75, false);
        LinkList::set_y(link, (i / 13) * 75, false);
        make_icon_image(link, folder + "\\sample.txt", window, default_picture);
    }
}

void measure(ProgramState& program, const char* what, const std::string& folder, int width, int height,
             int links) {
    HWND window = program.main_window;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    fill_links(program, folder, links, window);
    const int header_height = program.header_height;
    const double full = milliseconds_per_round([&] { repaint_areas(window, AREA_ALL, header_height); });
    const double header = milliseconds_per_round([&] { repaint_areas(window, AREA_HEADER, header_height); });
    test::Canvas canvas(width, height);
    const PaintScene scene = paint_scene(*main_window_data(window), window);
    const double layers = milliseconds_per_round([&] {
        draw_main_window(canvas.dc(), scene, {true, true, true, true});
    });
    std::printf("%-24s full paint %7.2f ms   header only %6.2f ms   (layers alone, off screen %7.2f ms)\n", what,
                full, header, layers);
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
    const double ms = milliseconds_per_round(
        [&] { compose_skin(bitmap_cache, {0, 0, 1024, 768}, window, program.theme.fill_type, program.header_height); },
        5);
    std::printf("compose 1024 x 768, tiling a %d x %d picture: %9.2f ms (mean of 5)\n", picture_size, picture_size,
                ms);
}

}  // namespace

int main() {
    const std::string folder = test::fresh_folder(test::kTestDrive, "bench");
    test::install_themes(folder);
    test::write_text(folder + "\\sample.txt", "x");
    std::printf("Paints of the main window, mean of %d rounds each\n", kRounds);
    test::TestProgram program(folder);
    ProgramState& state = program.state;
    return program.run([&](HWND window) {
        state.drive.total_mb = 1000.0;
        state.drive.free_mb = 300.0;
        measure(state, "400 x 300, 20 links", folder, 400, 300, 20);
        measure(state, "1024 x 768, 100 links", folder, 1024, 768, 100);
        state.links.clear();
        measure_tiling(state, 1, window);
        measure_tiling(state, 8, window);
        measure_tiling(state, 64, window);
        test::press_key(window, VK_ESCAPE);
    });
}

// Prints how long the main window's paints take under Wine: a full paint
// of a 400 x 300 window with 20 links, of a 1024 x 768 window with 100
// links, and a repaint of the header strip alone; and how long the skin
// takes to compose for 1024 x 768 when a small picture is tiled. Figures,
// not a test.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/app_globals_win.h"
#include "app/drive_info.h"
#include "links/link_images_win.h"
#include "mainwindow/window_areas.h"
#include "mainwindow/window_shape_win.h"
#include "render/painter_win.h"
#include "render/skin_win.h"
#include "theme/theme_values.h"
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

void fill_links(const std::string& folder, int count, HWND window) {
    link_list.clear();
    for (int i = 0; i < count; ++i) {
        Link& link = link_list.append_from_path(folder + "\\Sample file " + std::to_string(i) + ".txt");
        LinkList::set_x(link, (i % 13) * 75);
        LinkList::set_y(link, (i / 13) * 75);
        make_icon_image(link, folder + "\\sample.txt", window);
    }
}

void measure(const char* what, const std::string& folder, int width, int height, int links) {
    HWND window = main_window;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    fill_links(folder, links, window);
    const double full = milliseconds_per_round([&] { repaint_areas(window, AREA_ALL); });
    const double header = milliseconds_per_round([&] { repaint_areas(window, AREA_HEADER); });
    test::Canvas canvas(width, height);
    const double layers = milliseconds_per_round([&] {
        draw_main_window(canvas.dc(), width, height, {true, true, true, true}, nullptr, window);
    });
    std::printf("%-24s full paint %7.2f ms   header only %6.2f ms   (layers alone, off screen %7.2f ms)\n", what,
                full, header, layers);
}

// A theme may tile a tiny picture (a plain colour or a fine pattern).
void measure_tiling(int picture_size, HWND window) {
    bitmap_cache.remove("BackGround");
    bitmap_cache.add_from_file(nullptr, "BackGround");
    BitmapEntry* picture = bitmap_cache.find("BackGround");
    picture->set_bitmap(test::make_test_bitmap(picture_size, picture_size, [](int x, int y) {
        return (x + y) % 2 ? rgb(30, 60, 90) : rgb(40, 80, 120);
    }));
    theme_colors.fill_type = 2;
    const double ms = milliseconds_per_round([&] { compose_skin({0, 0, 1024, 768}, window); }, 5);
    std::printf("compose 1024 x 768, tiling a %d x %d picture: %9.2f ms (mean of 5)\n", picture_size, picture_size,
                ms);
}

}  // namespace

int main() {
    test::reset_program_state();
    const std::string folder = test::fresh_folder(test::kTestDrive, "bench");
    test::install_themes(folder);
    test::write_text(folder + "\\sample.txt", "x");
    std::printf("Paints of the main window, mean of %d rounds each\n", kRounds);
    return test::run_program_in(folder, [&](HWND window) {
        total_mb = 1000.0;
        free_mb = 300.0;
        measure("400 x 300, 20 links", folder, 400, 300, 20);
        measure("1024 x 768, 100 links", folder, 1024, 768, 100);
        link_list.clear();
        measure_tiling(1, window);
        measure_tiling(8, window);
        measure_tiling(64, window);
        test::press_key(window, VK_ESCAPE);
    });
}

// Prints how long the main window's paints take under Wine: a full paint
// of a 400 x 300 window with 20 links, of a 1024 x 768 window with 100
// links, and a repaint of the header strip alone. Figures, not a test.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_globals_win.h"
#include "app/drive_info.h"
#include "links/link_images_win.h"
#include "mainwindow/window_areas.h"
#include "mainwindow/window_shape_win.h"
#include "render/painter_win.h"
#include "render/caption_layout.h"
#include "render/gdi_helpers_win.h"
#include "render/transparent_win.h"
#include "support/test_support_win.h"

using namespace qb;

namespace {

double milliseconds_per(int rounds, auto&& body) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) body();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::milli>(elapsed).count() / rounds;
}

void fill_links(const std::string& folder, int count, HWND window) {
    link_list.clear();
    for (int i = 0; i < count; ++i) {
        Link& link = link_list.append_from_path(folder + "\\sample " + std::to_string(i) + ".txt");
        LinkList::set_x(link, (i % 13) * 75);
        LinkList::set_y(link, (i / 13) * 75);
        make_icon_image(link, folder + "\\sample.txt", window);
    }
}

void measure(const char* what, const std::string& folder, int width, int height, int links) {
    HWND window = main_window;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    fill_links(folder, links, window);
    const int rounds = 200;
    const double full = milliseconds_per(rounds, [&] { repaint_areas(window, AREA_ALL); });
    const double header = milliseconds_per(rounds, [&] { repaint_areas(window, AREA_HEADER); });
    test::Canvas canvas(width, height);
    const double offscreen = milliseconds_per(rounds, [&] {
        draw_main_window(canvas.dc(), width, height, {true, true, true, true}, nullptr, window);
    });
    const double links_only = milliseconds_per(rounds, [&] { draw_links(canvas.dc()); });
    const double background = milliseconds_per(rounds, [&] { draw_background(canvas.dc(), width, height); });
    const double header_layer = milliseconds_per(rounds, [&] { draw_header(canvas.dc(), width); });
    const double shading = milliseconds_per(rounds, [&] { draw_shading_lines(canvas.dc(), width, height); });
    const double frame = milliseconds_per(rounds, [&] { draw_work_frame(canvas.dc(), width, height); });
    HBITMAP picture = static_cast<HBITMAP>(link_list.at(0)->image.get());
    const double transparent = milliseconds_per(rounds, [&] { draw_transparent(canvas.dc(), picture, 10, 10, 0); });
    const double captions = milliseconds_per(rounds, [&] {
        for (Link& l : link_list) layout_caption(*l.caption, kHitSize, [&](std::string_view t) { return measure_text(canvas.dc(), t); });
    });
    double links_without_captions, links_without_pictures;
    {
        std::vector<std::optional<std::string>> captions;
        for (Link& l : link_list) captions.push_back(std::exchange(l.caption, std::nullopt));
        TransparentDrawing shared(canvas.dc());
        links_without_captions = milliseconds_per(rounds, [&] { draw_links(canvas.dc()); });
        int i = 0;
        for (Link& l : link_list) l.caption = captions[i++];
    }
    {
        std::vector<LinkImage> pictures;
        for (Link& l : link_list) pictures.push_back(std::move(l.image));
        links_without_pictures = milliseconds_per(rounds, [&] { draw_links(canvas.dc()); });
        int i = 0;
        for (Link& l : link_list) l.image = std::move(pictures[i++]);
    }
    UniqueFont font = create_caption_font();
    double font_make = milliseconds_per(rounds, [&] { UniqueFont f = create_caption_font(); SelectGuard g(canvas.dc(), f.get()); measure_text(canvas.dc(), "x"); });
    std::printf("   links without captions %.3f  without pictures %.3f  caption font make+select %.3f\n",
                links_without_captions, links_without_pictures, font_make);
    std::printf("   one transparent picture %.3f  all caption layouts %.3f\n", transparent, captions);
    std::printf("   links %.3f  background %.3f  header %.3f  shading %.3f  frame %.3f\n", links_only, background,
                header_layer, shading, frame);
    std::printf("%-28s full paint %7.3f ms   header only %7.3f ms   layers into a bitmap %7.3f ms\n", what, full,
                header, offscreen);
}

}  // namespace

int main() {
    test::reset_program_state();
    const std::string folder = test::fresh_folder(test::kTestDrive, "bench");
    test::install_themes(folder);
    test::write_text(folder + "\\sample.txt", "x");
    int code = test::run_program_in(folder, [&](HWND window) {
        total_mb = 1000.0;
        free_mb = 300.0;
        measure("400 x 300, 20 links", folder, 400, 300, 20);
        measure("1024 x 768, 100 links", folder, 1024, 768, 100);
        link_list.clear();
        test::press_key(window, VK_ESCAPE);
    });
    return code;
}

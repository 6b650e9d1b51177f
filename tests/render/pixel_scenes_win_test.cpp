// Every pixel of the main window in a fixed series of scenes, compared
// with checksums taken from the program before its paints were cached:
// the real program started on a drive whose data.qb links to programs,
// documents, a folder, a missing file and a custom picture, then selected,
// dragged (with and without the grid, over the edges), given new programs,
// a balloon and the countdown, themed otherwise, resized, and its links
// changed. A repaint of a strip alone is compared too.
//
// When a change of the pictures is intended, run the test with
// QB_PIXEL_PRINT=1 to print the new table for pixel_scenes_baseline.h,
// and QB_PIXEL_DUMP=<folder> to write every scene as a .bmp file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "mainwindow/main_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/pixel_scenes_baseline.h"
#include "render/window_areas.h"
#include "support/link_drive_win.h"
#include "support/test_support_win.h"
#include "support/window_capture_win.h"

namespace qb {
namespace {

using namespace qb::test;

LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

StoredString stored(const std::string& text) {
    StoredString s;
    s.declared_length = static_cast<std::uint32_t>(text.size());
    s.text = text;
    return s;
}

StoredLink special_link(const std::string& target, const std::string& caption, int x, int y) {
    StoredLink link;
    link.root_relative = true;
    link.x = x;
    link.y = y;
    link.target = stored(target);
    link.caption = stored(caption);
    return link;
}

// The links of the scenes: 60 from the shared drive layout, then a folder,
// a missing document, a custom picture, a name without a type, a batch
// file, a Cyrillic name and a link that overlaps others.
std::vector<StoredLink> scene_links(const std::string& folder) {
    std::vector<StoredLink> links = make_link_targets(folder + "\\files", 60);
    const std::string base = folder.substr(3) + "\\files\\";
    write_text(folder + "\\files\\README", "no type");
    write_text(folder + "\\files\\run.bat", "@echo off");
    write_text(folder + "\\files\\Отчёт за квартал.txt", "cyrillic");
    links.push_back(special_link(base + "Docs", "Docs", 0, 375));
    links.push_back(special_link(base + "gone.txt", "gone.txt", 75, 375));
    StoredLink custom = special_link(base + "Docs", "Custom picture", 150, 375);
    custom.custom_image = true;
    custom.image_path = stored(folder + "\\Data\\MAINTHEME\\OptButton.bmp");
    links.push_back(custom);
    links.push_back(special_link(base + "README", "README", 225, 375));
    links.push_back(special_link(base + "run.bat", "run.bat", 300, 375));
    links.push_back(special_link(base + "Отчёт за квартал.txt", "Отчёт за квартал.txt", 375, 375));
    links.push_back(special_link(base + "Tools\\Item 4.exe", "Overlapping", 40, 30));
    return links;
}

struct Scene {
    std::string name;
    std::uint64_t sum = 0;
    WindowPixels pixels;
};

class Scenes {
public:
    Scenes(ProgramState& program, HWND window) : program_(program), window_(window) {}

    void capture(const std::string& name) {
        Scene scene;
        scene.name = name;
        scene.pixels = capture_window(window_);
        scene.sum = pixel_checksum(scene.pixels);
        scenes_.push_back(std::move(scene));
    }
    void repaint(std::uint16_t areas) { repaint_areas(window_, areas, program_.header_height); }
    void send(UINT message, int x, int y) {
        SendMessageA(window_, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, point_param(x, y));
    }
    // The client point in the middle of the link's square.
    Point middle_of(const Link& link) const {
        return link_to_client(link.x + kHitSize / 2, link.y + kHitSize / 2, program_.header_height);
    }
    // Presses on the link, moves the pointer through `path` (offsets from
    // the press), capturing after each move, and releases where it began.
    void drag(Link& link, const std::string& name, std::initializer_list<Point> path) {
        const Point from = middle_of(link);
        send(WM_LBUTTONDOWN, from.x, from.y);
        int step = 0;
        for (const Point& offset : path) {
            send(WM_MOUSEMOVE, from.x + offset.x, from.y + offset.y);
            capture(name + " move " + std::to_string(++step));
        }
        send(WM_MOUSEMOVE, from.x, from.y);
        send(WM_LBUTTONUP, from.x, from.y);
        capture(name + " released");
    }
    const std::vector<Scene>& scenes() const { return scenes_; }

private:
    ProgramState& program_;
    HWND window_;
    std::vector<Scene> scenes_;
};

void play_scenes(ProgramState& program, HWND window, Scenes& scenes) {
    MainWindowState& view = main_window_data(window)->view;
    program.drive.total_mb = 1000.0;
    program.drive.free_mb = 375.0;
    SetWindowPos(window, nullptr, 0, 0, 1024, 768, SWP_NOZORDER);
    scenes.repaint(AREA_ALL);
    scenes.capture("start 1024 x 768");

    program.links.at(5)->selected = true;
    program.links.at(17)->selected = true;
    scenes.repaint(AREA_ALL);
    scenes.capture("two selected");

    // Moves over other links, off the window's top-left and into the
    // status strip; the press selects the link and lifts it on top.
    const std::initializer_list<Point> path = {{3, 2}, {40, 17}, {150, 90}, {-60, -60}, {-300, -70}, {500, 620},
                                               {7, 5}};
    scenes.drag(*program.links.at(14), "drag", path);
    program.settings.auto_arrange = true;
    scenes.drag(*program.links.at(20), "grid drag", path);
    program.settings.auto_arrange = false;

    for (int i = 0; i < 10; ++i) {
        program.found_files.add("E:\\Tools\\program number " + std::to_string(i) + ".exe").slide_offset = -28 * (i + 1);
    }
    program.search_in_progress = true;
    view.hints.active = HintKind::AddLinks;
    program.settings.auto_close_when_idle = true;
    view.idle_countdown = 9;
    scenes.repaint(AREA_ALL);
    scenes.capture("panel, balloon and countdown");
    view.idle_countdown = 8;
    scenes.repaint(AREA_HEADER);
    scenes.capture("countdown repainted alone");
    program.drive.free_mb = 120.0;
    program.search_in_progress = false;
    scenes.repaint(AREA_FOOTER);
    scenes.capture("footer repainted alone");
    view.hints.active = HintKind::None;
    scenes.repaint(AREA_WORK);
    scenes.capture("balloon closed");

    program.theme.fill_type = 0;
    program.theme.background_color = rgb(30, 90, 60);
    program.theme.double_font = true;
    program.theme.font_color = rgb(250, 240, 120);
    scenes.repaint(AREA_ALL);
    scenes.capture("plain colour, double font");

    SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOZORDER);
    scenes.repaint(AREA_ALL);
    scenes.capture("400 x 300");

    program.links.remove(program.links.at(0));
    LinkList::set_caption(*program.links.at(1), "A caption changed to something long");
    LinkList::set_x(*program.links.at(2), 230, false);
    program.links.at(3)->selected = true;
    scenes.repaint(AREA_ALL);
    scenes.capture("links changed");

    // Another picture for a link: the missing document's default picture
    // in place of a program's icon; the missing document is left without.
    Link& changed = *program.links.at(3);
    for (Link& gone : program.links) {
        if (gone.caption != "gone.txt") continue;
        changed.image = std::move(gone.image);
        changed.image_width = gone.image_width;
        changed.image_height = gone.image_height;
        changed.transparent_color = gone.transparent_color;
    }
    scenes.repaint(AREA_ALL);
    scenes.capture("picture moved to another link");
}

TEST(PixelScenes, EveryPixelAsBeforeThePaintsWereCached) {
    const std::string folder = fresh_folder(kTestDrive, "pixels");
    install_themes(folder);
    std::array<bool, kOptionCount> options = kQuietOptions;
    options[0] = false;  // no hints: no balloon or countdown comes by itself
    write_bytes(folder + "\\data.qb", settings_with_links(scene_links(folder), 1024, 768, options));

    TestProgram program(folder);
    std::unique_ptr<Scenes> scenes;
    EXPECT_EQ(program.run([&](HWND window) {
        scenes = std::make_unique<Scenes>(program.state, window);
        play_scenes(program.state, window, *scenes);
        press_key(window, VK_ESCAPE);
    }), 0);
    ASSERT_TRUE(scenes);

    const char* dump = std::getenv("QB_PIXEL_DUMP");
    const bool print = std::getenv("QB_PIXEL_PRINT") != nullptr;
    int index = 0;
    for (const Scene& scene : scenes->scenes()) {
        if (dump) write_bmp(std::string(dump) + "\\scene" + std::to_string(index++) + ".bmp", scene.pixels);
        if (print) std::printf("    {\"%s\", 0x%016llxull},\n", scene.name.c_str(), (unsigned long long)scene.sum);
    }
    ASSERT_EQ(scenes->scenes().size(), std::size(kPixelBaseline));
    for (std::size_t i = 0; i < std::size(kPixelBaseline); ++i) {
        const Scene& scene = scenes->scenes()[i];
        EXPECT_EQ(scene.name, kPixelBaseline[i].scene);
        EXPECT_EQ(scene.sum, kPixelBaseline[i].sum) << "scene " << i << ": " << scene.name;
    }
}

}  // namespace
}  // namespace qb

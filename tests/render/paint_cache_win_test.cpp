// The window keeps its background and links as last drawn and copies
// them while they still show the same; after every kind of change the
// window must show what drawing every layer afresh shows.
#include <gtest/gtest.h>

#include "links/link_images_win.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/skin_win.h"
#include "render/window_areas.h"
#include "support/link_drive_win.h"
#include "support/test_support_win.h"
#include "support/window_capture_win.h"

namespace qb {
namespace {

using namespace qb::test;

// The whole window drawn without anything kept, as the window would
// show it.
WindowPixels drawn_afresh(HWND window) {
    const PaintScene scene = paint_scene(*main_window_data(window), window);
    WindowDc screen(window);
    UniqueBitmap buffer(CreateCompatibleBitmap(screen.get(), scene.width, scene.height));
    BitmapDc dc(screen.get(), buffer.get());
    draw_main_window(dc.get(), scene, {true, true, true, true});
    return capture_window_image(window, dc.get());
}

TEST(PaintCache, AfterEveryChangeTheWindowShowsTheLayersDrawnAfresh) {
    const std::string folder = fresh_folder(kTestDrive, "paintcache");
    install_themes(folder);
    write_bytes(folder + "\\data.qb", settings_with_links(make_link_targets(folder + "\\files", 30), 600, 420));
    write_text(folder + "\\files\\other.ini", "x");
    TestProgram program(folder);
    ProgramState& state = program.state;
    std::vector<std::string> checked;
    EXPECT_EQ(program.run([&](HWND window) {
        state.settings.show_hints = false;
        state.drive.total_mb = 100.0;
        state.drive.free_mb = 20.0;
        const std::string default_picture = default_picture_path(state.theme_folder());
        auto check = [&](const std::string& what) {
            repaint_areas(window, AREA_ALL, state.header_height);
            const WindowPixels shown = capture_window(window);
            const PixelDifference difference = compare_pixels(shown, drawn_afresh(window));
            EXPECT_EQ(difference.count, 0) << what << ": first at " << difference.first_x << ","
                                           << difference.first_y;
            checked.push_back(what);
        };
        Link& a = *state.links.at(2);
        Link& b = *state.links.at(3);
        check("as loaded");
        // The window's own repaint of a new selection: only the two links.
        for (UINT key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_LEFT}) {
            SendMessageW(window, WM_KEYDOWN, key, 1 | (1 << 24));
            const PixelDifference difference = compare_pixels(capture_window(window), drawn_afresh(window));
            EXPECT_EQ(difference.count, 0) << "after key " << key << ": first at " << difference.first_x << ","
                                           << difference.first_y;
        }
        state.links.select_only(nullptr);
        a.selected = true;
        check("selected");
        LinkList::set_x(a, a.x + 20, false);
        check("moved");
        LinkList::set_caption(a, "Another caption, long enough for two lines");
        check("caption");
        LinkList::set_caption(a, std::nullopt);
        check("no caption");
        make_icon_image(b, folder + "\\files", window, default_picture);
        check("the folder's icon");
        make_icon_image(b, folder + "\\files\\gone.txt", window, default_picture);
        check("the default picture");
        load_image_file(b, folder, "\\Data\\MAINTHEME\\CloseButton.bmp");
        check("a picture file");
        b.transparent_color = kBlack;
        check("another transparent colour");
        b.image.reset();
        check("no picture");
        state.links.move_to_end(&a);
        check("lifted on top");
        state.links.remove(&b);
        check("removed");
        Link& added = state.links.append_from_path(folder + "\\files\\other.ini", state.location.drive_root);
        make_icon_image(added, folder + "\\files\\other.ini", window, default_picture);
        check("added");
        state.theme.double_font = !state.theme.double_font;
        check("double font");
        state.theme.font_color = rgb(10, 20, 30);
        check("font colour");
        state.theme.fill_type = 0;
        state.theme.background_color = rgb(200, 100, 50);
        check("plain colour");
        state.theme.background_color = rgb(50, 100, 200);
        check("another plain colour");
        state.theme.fill_type = 2;
        compose_skin(state.bitmaps, {0, 0, 600, 420}, window, state.theme.fill_type, state.header_height);
        check("tiled picture");
        BitmapEntry* picture = state.bitmaps.find("BackGround");
        ASSERT_NE(picture, nullptr);
        picture->set_bitmap(make_test_bitmap(17, 9, [](int x, int y) { return rgb(x * 15, y * 25, 90); }));
        compose_skin(state.bitmaps, {0, 0, 600, 420}, window, state.theme.fill_type, state.header_height);
        check("another background picture");
        SetWindowPos(window, nullptr, 0, 0, 500, 380, SWP_NOMOVE | SWP_NOZORDER);
        check("resized");
        state.links.clear();
        check("no links");
        press_key(window, VK_ESCAPE);
    }), 0);
    EXPECT_EQ(checked.size(), 21u);
}

}  // namespace
}  // namespace qb

// The main window's paint, layer by layer, read back from the bitmap it
// was painted into.
#include <gtest/gtest.h>

#include "links/app_settings.h"
#include "links/link_images_win.h"
#include "render/gdi_helpers_win.h"
#include "render/painter_win.h"
#include "render/shading.h"
#include "render/status_geometry.h"
#include "render/status_panel_win.h"
#include "support/test_support_win.h"
#include "theme/theme_values.h"

namespace qb {
namespace {

using namespace qb::test;

constexpr Color kBackground = rgb(60, 120, 180);
constexpr Color kFont = rgb(255, 255, 255);
constexpr Color kUnpainted = rgb(1, 254, 3);
constexpr PaintRegions kAll{true, true, true, true};

// What the painter is given, set by each test, and the scene made of it.
class Painter : public ::testing::Test {
protected:
    void SetUp() override {
        theme_colors.fill_type = 0;  // plain background colour
        theme_colors.background_color = kBackground;
        theme_colors.font_color = kFont;
        theme_colors.header_color = rgb(40, 100, 170);
        theme_colors.frame_color = rgb(20, 50, 90);
        theme_colors.double_font = false;
        total_mb = 1000.0;
        free_mb = 250.0;
        volume_label = L"STICK";
    }

    PaintScene scene(int width, int height) const {
        std::optional<Point> drag_box;
        if (drag_link) drag_box = Point{drag_point.x - grab_dx, drag_point.y - grab_dy};
        return PaintScene{.width = width,
                          .height = height,
                          .header_height = header_height,
                          .settings = app_settings,
                          .links = link_list,
                          .theme = theme_colors,
                          .bitmaps = bitmap_cache,
                          .found_files = found_files,
                          .drive = drive,
                          .search_in_progress = search_in_progress,
                          .idle_countdown = idle_countdown,
                          .hint = active_hint,
                          .drag_box = drag_box,
                          .buttons = {}};
    }
    PaintScene scene(const Canvas& canvas) const { return scene(canvas.width(), canvas.height()); }

    void add_new_programs(int n) {
        for (int i = 0; i < n; ++i) {
            FoundFile& record = found_files.add("E:\\Tools\\program" + std::to_string(i) + ".exe");
            record.slide_offset = -28 * (i + 1);
        }
    }

    // A link at (x, y) with a solid red 32 x 32 picture.
    Link& add_link(int x, int y, const char* caption) {
        Link& link = link_list.append_new();
        LinkList::set_x(link, x, false);
        LinkList::set_y(link, y, false);
        if (caption) LinkList::set_caption(link, caption);
        link.image = owned_link_bitmap(make_test_bitmap(32, 32, [](int, int) { return rgb(220, 20, 20); }));
        link.image_width = link.image_height = 32;
        return link;
    }

    ThemeColors theme_colors;
    AppSettings app_settings;
    LinkList link_list;
    BitmapCache bitmap_cache;
    FoundFileList found_files;
    DriveFacts drive;
    double& total_mb = drive.total_mb;
    double& free_mb = drive.free_mb;
    std::wstring& volume_label = drive.volume_label;
    int header_height = 25;
    bool search_in_progress = false;
    int idle_countdown = 60;
    HintKind active_hint = HintKind::None;
    const Link* drag_link = nullptr;
    Point drag_point;
    int grab_dx = 0;
    int grab_dy = 0;
};

TEST_F(Painter, AnUpdateOfTheHeaderDrawsOnlyTheHeaderAndTheFrame) {
    Canvas canvas(400, 300, kUnpainted);
    const PaintRegions regions = regions_for_update({10, 0, 100, 20}, 400, 300, header_height);
    draw_main_window(canvas.dc(), scene(400, 300), regions);
    EXPECT_NE(canvas.pixel(5, 5), kUnpainted) << "header";
    EXPECT_EQ(canvas.pixel(1, 100), theme_colors.frame_color) << "frame";
    EXPECT_EQ(canvas.pixel(100, 100), kUnpainted) << "work area";
    EXPECT_EQ(canvas.pixel(100, 290), kUnpainted) << "status strip";
    EXPECT_EQ(canvas.pixel(375, 150), kUnpainted) << "right strip";
    EXPECT_EQ(canvas.pixel(100, header_height + 1), kUnpainted) << "no shading lines";
}

TEST_F(Painter, BackgroundIsTheColourWhenNoPictureIsShown) {
    // Even with a composed picture, fill type 0 shows the colour.
    bitmap_cache.add_from_file(nullptr, "BackGroundRESIZED");
    bitmap_cache.find("BackGroundRESIZED")->set_bitmap(make_test_bitmap(350, 251, [](int, int) { return kWhite; }));
    Canvas canvas(400, 300, kUnpainted);
    draw_background(canvas.dc(), scene(400, 300));
    EXPECT_EQ(canvas.pixel(200, 150), kBackground);
    EXPECT_EQ(canvas.pixel(399, 299), kBackground);

    theme_colors.fill_type = 3;
    draw_background(canvas.dc(), scene(400, 300));
    EXPECT_EQ(canvas.pixel(200, 150), kWhite);
    EXPECT_EQ(canvas.pixel(0, header_height - 1), kWhite) << "the picture starts one row up";
    EXPECT_EQ(canvas.pixel(350, 150), kBackground) << "the column after the picture keeps what was there";
}

TEST_F(Painter, SelectionMarkDarkensTheLinksBox) {
    Link& plain = add_link(0, 0, nullptr);
    Link& chosen = add_link(150, 0, nullptr);
    chosen.selected = true;
    Canvas canvas(400, 300, kBackground);
    draw_links(canvas.dc(), scene(canvas));
    const int top = header_height + 5;
    // Inside the box, outside the picture: background ANDed with 200, 200, 200.
    const Color marked = rgb(60 & 200, 120 & 200, 180 & 200);
    EXPECT_EQ(canvas.pixel(150 + 5 + 3, top + 50), marked);
    EXPECT_EQ(canvas.pixel(0 + 5 + 3, top + 50), kBackground);
    // The picture is drawn over the mark, centred at the top of the box.
    EXPECT_EQ(canvas.pixel(150 + 5 + 34, top + 5 + 16), rgb(220, 20, 20));
    EXPECT_EQ(canvas.pixel(5 + 34 - 16, top + 5), rgb(220, 20, 20));
    EXPECT_EQ(canvas.pixel(5 + 34 - 17, top + 5), kBackground);
    (void)plain;
}

TEST_F(Painter, CaptionsHaveAShadowOnlyWithDoubleFont) {
    add_link(0, 0, "Readme.txt");
    const int top = header_height + 5 + 32 + 5;
    Canvas flat(200, 200, kBackground);
    draw_links(flat.dc(), scene(flat));
    EXPECT_GT(flat.count(5, top, 73, top + 16, kFont), 10);
    EXPECT_EQ(flat.count(5, top, 74, top + 17, kBlack), 0);

    theme_colors.double_font = true;
    Canvas shadowed(200, 200, kBackground);
    draw_links(shadowed.dc(), scene(shadowed));
    EXPECT_GT(shadowed.count(5, top, 74, top + 17, kBlack), 10);
    EXPECT_GT(shadowed.count(5, top, 73, top + 16, kFont), 10);
}

TEST_F(Painter, LongCaptionsTakeTwoLinesAtMost) {
    add_link(0, 0, "A very long caption that never fits on two lines of a link");
    Canvas canvas(200, 200, kBackground);
    draw_links(canvas.dc(), scene(canvas));
    const int top = header_height + 5 + 32 + 5;
    UniqueFont font = create_caption_font();
    SelectGuard select(canvas.dc(), font.get());
    const int line = measure_text(canvas.dc(), "A").cy + 2;
    EXPECT_GT(canvas.count(0, top, 100, top + line, kFont), 0) << "first line";
    EXPECT_GT(canvas.count(0, top + line, 100, top + 2 * line, kFont), 0) << "second line";
    EXPECT_EQ(canvas.count(0, top + 2 * line, 200, 200, kFont), 0) << "never a third";
}

TEST_F(Painter, DragFeedbackShowsTheGridCellWhenArranging) {
    Link& link = add_link(75, 75, nullptr);
    drag_point = {200, 170};
    grab_dx = 20;
    grab_dy = 20;
    drag_link = &link;
    Canvas free_drag(400, 300, kBackground);
    draw_drag_feedback(free_drag.dc(), scene(free_drag));
    const Color lighter = rgb(60 | 70, 120 | 70, 180 | 70);
    EXPECT_EQ(free_drag.pixel(180 + 10, 150 + 10), lighter);
    EXPECT_EQ(free_drag.count(0, 0, 400, 300, lighter) + free_drag.count(0, 0, 400, 300, kBackground) <
                  400 * 300,
              true)
        << "an outline is drawn";

    app_settings.auto_arrange = true;
    Canvas grid(400, 300, kBackground);
    draw_drag_feedback(grid.dc(), scene(grid));
    // The box's middle (214, 184) lies in the cell at (150, 150) of the grid.
    const int cell_left = 150 + 5;
    const int cell_top = 150 + header_height + 5;
    // (160, 240) lies in that cell but outside the dragged square; (190, 160)
    // in the square but outside the cell.
    EXPECT_EQ(grid.pixel(160, 240), lighter);
    EXPECT_EQ(free_drag.pixel(160, 240), kBackground);
    EXPECT_EQ(grid.pixel(190, 160), lighter);
    EXPECT_EQ(free_drag.pixel(190, 160), lighter);
    EXPECT_EQ(grid.pixel(cell_left - 2, cell_top + 30), kBackground);
}

int header_font_pixels(const Canvas& canvas) { return canvas.count(280, 0, 340, 24, kFont); }

TEST_F(Painter, CountdownShowsOnlyBelowFifteenSeconds) {
    app_settings.auto_close_when_idle = true;
    idle_countdown = 15;
    Canvas at_fifteen(400, 300, kUnpainted);
    draw_header(at_fifteen.dc(), scene(at_fifteen));
    EXPECT_EQ(header_font_pixels(at_fifteen), 0);

    idle_countdown = 14;
    Canvas at_fourteen(400, 300, kUnpainted);
    draw_header(at_fourteen.dc(), scene(at_fourteen));
    EXPECT_GT(header_font_pixels(at_fourteen), 10);
    EXPECT_GT(at_fourteen.count(17, 0, 120, 24, kFont), 10) << "the drive label";

    app_settings.auto_close_when_idle = false;
    Canvas switched_off(400, 300, kUnpainted);
    draw_header(switched_off.dc(), scene(switched_off));
    EXPECT_EQ(header_font_pixels(switched_off), 0);

    // The gradient: every row across the whole width.
    EXPECT_EQ(at_fourteen.pixel(399, 0), at_fourteen.pixel(0, 0));
    EXPECT_NE(at_fourteen.pixel(0, 1), at_fourteen.pixel(0, 12));
}

TEST_F(Painter, ALongLabelLiesOverTheCountdownsShadow) {
    theme_colors.double_font = true;
    app_settings.auto_close_when_idle = true;
    idle_countdown = 14;
    volume_label = L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";  // runs under the countdown
    Canvas with_countdown(400, 300, kUnpainted);
    draw_header(with_countdown.dc(), scene(with_countdown));
    idle_countdown = 60;
    Canvas label_only(400, 300, kUnpainted);
    draw_header(label_only.dc(), scene(label_only));

    int label_pixels_blackened = 0;
    int label_pixels = 0;
    for (int y = 0; y < header_height; ++y) {
        for (int x = 290; x < 340; ++x) {
            if (label_only.pixel(x, y) != kFont) continue;
            ++label_pixels;
            if (with_countdown.pixel(x, y) == kBlack) ++label_pixels_blackened;
        }
    }
    EXPECT_GT(label_pixels, 20);
    EXPECT_EQ(label_pixels_blackened, 0) << "both shadows go down before both texts";
}

TEST_F(Painter, PanelShowsEightRowsWhileTheStatusCountsAll) {
    add_new_programs(8);
    Canvas eight(400, 300, kBackground);
    draw_main_window(eight.dc(), scene(400, 300), kAll);
    const Rect eight_panel = new_programs_panel_rect(found_files, 400, 300, header_height);

    add_new_programs(10);  // two more
    Canvas ten(400, 300, kBackground);
    draw_main_window(ten.dc(), scene(400, 300), kAll);
    const int bottom = 300 - header_height;
    const Rect ten_panel = new_programs_panel_rect(found_files, 400, 300, header_height);
    EXPECT_EQ(ten_panel, (Rect{120, bottom - 8 * 28, 290, bottom}));
    EXPECT_EQ(ten_panel, eight_panel);

    // The panel shows the same eight rows; the status text differs (8 and 10).
    for (int y = bottom - 8 * 28; y < bottom; y += 7)
        for (int x = 120; x < 290; x += 5) ASSERT_EQ(ten.pixel(x, y), eight.pixel(x, y)) << x << "," << y;
    int differing = 0;
    for (int y = bottom; y < 300; ++y)
        for (int x = 120; x < 290; ++x) differing += ten.pixel(x, y) != eight.pixel(x, y);
    EXPECT_GT(differing, 0);
    // Above the panel the work area is untouched.
    EXPECT_EQ(ten.pixel(200, bottom - 8 * 28 - 5), kBackground);
}

TEST_F(Painter, HintBalloonLiesOverLinksAndUnderTheStatusBar) {
    add_link(0, 0, "Under");
    active_hint = HintKind::AddLinks;
    // A short window, so the status strip reaches into the balloon.
    Canvas canvas(400, 150, kBackground);
    draw_main_window(canvas.dc(), scene(400, 150), kAll);
    const Color fill = rgb(241, 255, 162);
    // Where the balloon meets the link's picture, the balloon is on top.
    const Color picture = rgb(220, 20, 20);
    EXPECT_EQ(canvas.count(24, header_height + 22, 55, header_height + 42, picture), 0);
    EXPECT_GT(canvas.count(24, header_height + 22, 55, header_height + 42, fill), 100);
    EXPECT_GT(canvas.count(24, header_height + 10, 55, header_height + 18, picture), 100) << "above it, the link";
    EXPECT_NE(canvas.pixel(100, 150 - 10), fill) << "under the status bar";
    EXPECT_GT(canvas.count(10, header_height + 25, 195, header_height + 90, kBlack), 50) << "the text";

    active_hint = HintKind::None;
    Canvas none(400, 150, kBackground);
    draw_main_window(none.dc(), scene(400, 150), kAll);
    EXPECT_EQ(none.count(0, 0, 400, 150, fill), 0);
}

TEST_F(Painter, GaugeOfADriveWithoutFiguresIsEmptyAndUnnumbered) {
    total_mb = 0.0;
    free_mb = 0.0;
    Canvas canvas(400, 300, kUnpainted);
    draw_status_bar(canvas.dc(), scene(canvas));
    const int g = 120 - 8;
    // All white inside the gauge's frame, and no percentage written on it.
    EXPECT_EQ(canvas.count(6, 300 - 25 + 4, g + 3, 300 - 4, kWhite), (g + 3 - 6) * (25 - 8));

    total_mb = 1000.0;
    free_mb = 0.0;
    Canvas full(400, 300, kUnpainted);
    draw_status_bar(full.dc(), scene(full));
    EXPECT_EQ(full.pixel(g - 5 + 1, 300 - 10), kWhite) << "a full drive keeps a 9-pixel free part";
    EXPECT_NE(full.pixel(g - 5 - 1, 300 - 10), kWhite);
    EXPECT_GT(full.count(4, 300 - 25, g + 4, 300, kFont), 5) << "100 %";
}

}  // namespace
}  // namespace qb

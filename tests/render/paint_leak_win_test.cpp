// A desktop that runs for days must not leak: many more paints than the
// GDI handle table holds, and the last one still draws.
#include <gtest/gtest.h>

#include "app/app_globals_win.h"
#include "app/drive_info.h"
#include "links/app_settings.h"
#include "links/link_images_win.h"
#include "mainwindow/main_window_state.h"
#include "render/shading.h"
#include "support/test_support_win.h"
#include "theme/theme_values.h"

namespace qb {
namespace {

using namespace qb::test;

constexpr int kPaints = 20000;

TEST(PaintLeaks, TwentyThousandFullPaintsLeaveNothingBehind) {
    reset_program_state();
    const std::string folder = fresh_folder(kTestDrive, "leaks");
    install_themes(folder);
    write_text(folder + "\\a.txt", "a");

    long handles_before = 0;
    Color header_pixel = 0;
    Color expected_header = 0;
    const int code = run_program_in(folder, [&](HWND window) {
        // Every layer has something to draw.
        for (int i = 0; i < 4; ++i) {
            Link& link = link_list.append_from_path(folder + "\\a.txt");
            LinkList::set_x(link, (i % 4) * 75);
            LinkList::set_y(link, (i / 4) * 75);
            make_icon_image(link, full_target(link), window);
        }
        link_list.at(2)->selected = true;
        for (int i = 0; i < 10; ++i) found_files.add("E:\\Tools\\tool" + std::to_string(i) + ".exe").slide_offset = -28 * (i + 1);
        search_in_progress = true;
        active_hint = HintKind::AutorunMissing;
        app_settings.auto_close_when_idle = true;
        app_settings.auto_arrange = true;
        idle_countdown = 9;
        drag_link = link_list.at(0);
        drag_point = {120, 120};
        total_mb = 100.0;
        free_mb = 40.0;

        handles_before = live_handle_count;
        for (int i = 0; i < kPaints; ++i) {
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
        }
        EXPECT_EQ(live_handle_count, handles_before);

        // The last paint reached the window: its header row 12 has the
        // header colour's shade.
        WindowDc dc(window);
        header_pixel = GetPixel(dc.get(), 5, 12);
        expected_header = shaded(theme_colors.header_color, shade_percent_float(12, header_height));
        drag_link = nullptr;
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(header_pixel, expected_header);
    reset_program_state();
}

}  // namespace
}  // namespace qb

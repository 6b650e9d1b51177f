// A drag repaints only where its feedback was and is; the window must
// then show exactly what a repaint of the whole work area shows, after
// every move: small steps, jumps, over other links, the balloon and the
// new-programs panel, off the window's edges, with and without the grid.
#include <gtest/gtest.h>

#include "mainwindow/main_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"
#include "support/link_drive_win.h"
#include "support/test_support_win.h"
#include "support/window_capture_win.h"

namespace qb {
namespace {

using namespace qb::test;

LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

TEST(DragRepaintWindow, EveryMoveShowsWhatARepaintOfTheWorkAreaShows) {
    const std::string folder = fresh_folder(kTestDrive, "dragrepaint");
    install_themes(folder);
    write_bytes(folder + "\\data.qb", settings_with_links(make_link_targets(folder + "\\files", 40), 640, 480));
    TestProgram program(folder);
    ProgramState& state = program.state;
    int moves = 0;
    EXPECT_EQ(program.run([&](HWND window) {
        SetWindowPos(window, nullptr, 0, 0, 640, 480, SWP_NOZORDER);
        MainWindowState& view = main_window_data(window)->view;
        state.settings.show_hints = false;  // nothing else changes the window meanwhile
        for (const bool grid : {false, true}) {
            state.settings.auto_arrange = grid;
            view.hints.active = grid ? HintKind::AutorunMissing : HintKind::None;
            for (int i = 0; grid && i < 5; ++i) {
                state.found_files.add("E:\\Tools\\new" + std::to_string(i) + ".exe").slide_offset = -28 * (i + 1);
            }
            state.links.at(3)->selected = true;
            repaint_areas(window, AREA_ALL, state.header_height);

            const Link& link = *state.links.at(16);
            const Point from = link_to_client(link.x + 30, link.y + 20, state.header_height);
            SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point_param(from.x, from.y));
            // Without a drag under way every comparison below would hold trivially.
            ASSERT_EQ(view.drag.link, &link) << "the press took the link";
            Point at = from;
            const Point steps[] = {{1, 0},   {0, 1},    {3, 2},     {-2, 5},  {40, 17},  {75, 75},  {150, -90},
                                   {-400, -80}, {-60, -60}, {500, 300}, {7, 400}, {-640, 0}, {30, -400}, {1, 1},
                                   {200, 100}, {-3, -3},  {90, 0},   {0, 90}, {-1, 0}};
            for (const Point step : steps) {
                at = {at.x + step.x, at.y + step.y};
                SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, point_param(at.x, at.y));
                const WindowPixels after_move = capture_window(window);
                repaint_areas(window, AREA_WORK, state.header_height);
                const WindowPixels whole = capture_window(window);
                const PixelDifference difference = compare_pixels(after_move, whole);
                EXPECT_EQ(difference.count, 0) << "grid " << grid << ", move " << moves << " to " << at.x << ","
                                               << at.y << ": first at " << difference.first_x << ","
                                               << difference.first_y;
                ++moves;
            }
            EXPECT_EQ(view.drag.link, &link) << "the drag lasted every move";
            SendMessageA(window, WM_LBUTTONUP, 0, point_param(from.x, from.y));
        }
        press_key(window, VK_ESCAPE);
    }), 0);
    EXPECT_EQ(moves, 38);
}

}  // namespace
}  // namespace qb

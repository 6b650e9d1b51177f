#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwindow/new_programs_panel.h"
#include "mainwindow/panel_rows.h"
#include "render/window_areas.h"

namespace qb {
namespace {

// A 400 x 300 window with 25-pixel strips: the status strip starts at
// 275, the panel spans x 120 to 290, the dismiss buttons x 270 to 287
// and the adopt buttons x 252 to 269; row k's buttons answer from
// y 275 - 28(k + 1) + 6 for 17 pixels.
constexpr Size kClient{400, 300};
constexpr int kHeader = 25;
constexpr int kDismissX = 280;
constexpr int kAdoptX = 260;
int button_y(int row) { return 275 + rest_offset(row) + 10; }

// A list with `count` new records, every row resting in its place.
void fill(FoundFileList& list, int count) {
    for (int i = 0; i < count; ++i) list.add("Tools\\p" + std::to_string(i) + ".exe");
    int row = 0;
    list.for_each([&row](FoundFile& record) { record.slide_offset = rest_offset(row++); });
}

std::vector<std::string> new_names(FoundFileList& list) {
    std::vector<std::string> names;
    for (int i = 0; FoundFile* record = list.new_at(i); ++i) names.push_back(record->name);
    return names;
}

std::vector<int> offsets(FoundFileList& list) {
    std::vector<int> result;
    for (int i = 0; FoundFile* record = list.new_at(i); ++i) result.push_back(record->slide_offset);
    return result;
}

PanelPress left(FoundFileList& list, MainWindowState& state, Point p) {
    return panel_left_press(list, state, p, kClient, kHeader, "E:\\");
}

TEST(NewProgramsPanel, RectangleFollowsTheTopShownRow) {
    FoundFileList list;
    EXPECT_FALSE(current_panel_rect(list, kClient, kHeader));
    fill(list, 3);
    EXPECT_EQ(current_panel_rect(list, kClient, kHeader), (Rect{120, 191, 290, 275}));
    // Ten records: the panel ends at the eighth row.
    FoundFileList ten;
    fill(ten, 10);
    EXPECT_EQ(current_panel_rect(ten, kClient, kHeader), (Rect{120, 51, 290, 275}));
    // The smallest window keeps the panel 40 pixels from the left.
    EXPECT_EQ(new_programs_panel_rect(133, 203, 30, -28), (Rect{40, 145, 23, 173}));
    EXPECT_EQ(shown_panel_rows(-1), 0);
    EXPECT_EQ(shown_panel_rows(9), 8);
}

TEST(NewProgramsPanel, DismissingARowMovesTheRowsAboveDownAtOnce) {
    FoundFileList list;
    MainWindowState state;
    fill(list, 3);
    const PanelPress press = left(list, state, {kDismissX, button_y(0)});
    EXPECT_TRUE(press.taken);
    EXPECT_EQ(press.repaint, AREA_FOOTER | AREA_WORK);
    EXPECT_FALSE(press.adopt);
    EXPECT_EQ(new_names(list), (std::vector<std::string>{"p1.exe", "p2.exe"}));
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56}));
    EXPECT_EQ(list.count_all(), 3);  // still known

    // The middle row of what is left: only the row above it moves.
    list.add("Tools\\q.exe").slide_offset = -84;
    ASSERT_EQ(offsets(list), (std::vector<int>{-28, -56, -84}));
    EXPECT_TRUE(dismiss_row(list, 1));
    EXPECT_EQ(new_names(list), (std::vector<std::string>{"p1.exe", "q.exe"}));
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56}));
    EXPECT_FALSE(dismiss_row(list, 2));
    EXPECT_FALSE(dismiss_row(list, -1));
}

TEST(NewProgramsPanel, ButtonsAnswerOnlyWithinTheirBand) {
    FoundFileList list;
    MainWindowState state;
    fill(list, 3);
    const int band_top = 275 - 28 + 6;
    for (Point miss : {Point{kDismissX, band_top - 1}, Point{kDismissX, band_top + 17}, Point{150, button_y(0)},
                       Point{288, button_y(0)}, Point{251, button_y(0)}, Point{290, button_y(2)},
                       Point{kAdoptX, 191}}) {
        const PanelPress press = left(list, state, miss);
        EXPECT_TRUE(press.taken) << miss.x << ", " << miss.y;  // inside the panel: nothing below sees it
        EXPECT_EQ(press.repaint, 0) << miss.x << ", " << miss.y;
        EXPECT_FALSE(press.adopt);
    }
    EXPECT_EQ(list.count_new(), 3);
    // The band's edges are inclusive.
    EXPECT_EQ(left(list, state, {270, band_top + 16}).repaint, AREA_FOOTER | AREA_WORK);
    EXPECT_EQ(left(list, state, {287, band_top}).repaint, AREA_FOOTER | AREA_WORK);
    EXPECT_EQ(list.count_new(), 1);
    // Outside the panel the press goes on to the links.
    EXPECT_FALSE(left(list, state, {119, button_y(0)}).taken);
    EXPECT_FALSE(left(list, state, {200, 100}).taken);
}

TEST(NewProgramsPanel, AdoptedProgramsStepDiagonallyAndWrap) {
    FoundFileList list;
    MainWindowState state;
    fill(list, 7);
    const std::vector<Point> expected = {{30, 30}, {67, 67}, {104, 104}, {141, 141}, {178, 178}, {30, 30}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PanelPress press = left(list, state, {kAdoptX, button_y(0)});
        ASSERT_TRUE(press.adopt) << i;
        EXPECT_EQ(press.adopt->path, "E:\\Tools\\p" + std::to_string(i) + ".exe");
        EXPECT_EQ(press.adopt->position, expected[i]) << i;
        EXPECT_EQ(press.repaint, AREA_FOOTER | AREA_WORK);
    }
    EXPECT_EQ(new_names(list), std::vector<std::string>{"p6.exe"});
    EXPECT_EQ(state.adopt, (Point{67, 67}));
    // Each coordinate wraps on its own.
    EXPECT_EQ(next_adopt_position({178, 30}), (Point{30, 67}));
    EXPECT_EQ(next_adopt_position({163, 163}), (Point{200, 200}));
}

TEST(NewProgramsPanel, DismissAllClearsEvenTheRowsNotShown) {
    FoundFileList list;
    MainWindowState state;
    // No new record: the strip's button is not there.
    EXPECT_FALSE(left(list, state, {268, 288}).taken);
    fill(list, 10);
    EXPECT_FALSE(left(list, state, {267, 288}).taken);
    EXPECT_FALSE(left(list, state, {268, 279}).taken);
    EXPECT_FALSE(left(list, state, {286, 297}).taken);
    EXPECT_EQ(list.count_new(), 10);
    const PanelPress press = left(list, state, {285, 297});
    EXPECT_TRUE(press.taken);
    EXPECT_EQ(press.repaint, AREA_FOOTER | AREA_WORK);
    EXPECT_EQ(list.count_new(), 0);
    EXPECT_EQ(list.count_all(), 10);
}

TEST(NewProgramsPanel, RightButtonDismissesAnywhereOnARow) {
    FoundFileList list;
    fill(list, 3);
    PanelPress press = panel_right_press(list, {121, 274}, kClient, kHeader);
    EXPECT_TRUE(press.taken);
    EXPECT_EQ(press.repaint, AREA_FOOTER | AREA_WORK);
    EXPECT_EQ(new_names(list), (std::vector<std::string>{"p1.exe", "p2.exe"}));
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56}));

    // The panel's top line now lies above both rows: no row, still taken.
    press = panel_right_press(list, {200, 219}, kClient, kHeader);
    EXPECT_TRUE(press.taken);
    EXPECT_EQ(press.repaint, AREA_FOOTER | AREA_WORK);
    EXPECT_EQ(list.count_new(), 2);
    EXPECT_FALSE(panel_right_press(list, {200, 218}, kClient, kHeader).taken);
    EXPECT_FALSE(panel_right_press(list, {291, 250}, kClient, kHeader).taken);

    // Ten records, eight shown: the panel's top line does not reach the
    // ninth record, which is not drawn.
    FoundFileList ten;
    fill(ten, 10);
    EXPECT_TRUE(panel_right_press(ten, {200, 51}, kClient, kHeader).taken);
    EXPECT_EQ(ten.count_new(), 10);
    EXPECT_TRUE(panel_right_press(ten, {200, 52}, kClient, kHeader).taken);
    EXPECT_EQ(new_names(ten).back(), "p9.exe");
    EXPECT_EQ(ten.count_new(), 9);
    EXPECT_EQ(ten.new_at(7)->name, "p8.exe");
}

TEST(NewProgramsPanel, RowsNotPlacedYetTakeNoPress) {
    // A scan's records before the window placed them carry 1000.
    FoundFileList list;
    MainWindowState state;
    list.add("a.exe");
    EXPECT_FALSE(left(list, state, {kDismissX, 270}).taken);
    EXPECT_FALSE(panel_right_press(list, {200, 270}, kClient, kHeader).taken);
    EXPECT_EQ(list.count_new(), 1);
}

}  // namespace
}  // namespace qb

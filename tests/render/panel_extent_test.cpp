// Where the new-programs panel draws, for skipping it in paints that do
// not reach it.
#include <gtest/gtest.h>

#include "render/status_geometry.h"

namespace qb {
namespace {

TEST(PanelExtent, OutlineRowsAndTheirSlideAreInside) {
    FoundFileList found_files;
    EXPECT_TRUE(new_programs_panel_extent(found_files, 400, 300, 25).empty()) << "no new records, no panel";

    // Three rows in place: the panel is (120, 191, 290, 275).
    for (int i = 0; i < 3; ++i) {
        found_files.add("Tools\\tool" + std::to_string(i) + ".exe").slide_offset = -28 * (i + 1);
    }
    const Rect panel = new_programs_panel_rect(found_files, 400, 300, 25);
    ASSERT_EQ(panel, (Rect{120, 191, 290, 275}));
    const Rect extent = new_programs_panel_extent(found_files, 400, 300, 25);
    EXPECT_LE(extent.left, 118) << "outline two pixels left";
    EXPECT_GE(extent.right, 293) << "and right";
    EXPECT_LE(extent.top, 189) << "and above";
    EXPECT_GE(extent.bottom, 279) << "the column line reaches into the status strip";

    // A row still sliding up from below the strip, and rows beyond the
    // eighth that are not shown.
    found_files.new_at(0)->slide_offset = 14;
    for (int i = 3; i < 12; ++i) found_files.add("Tools\\more" + std::to_string(i) + ".exe").slide_offset = -500;
    const Rect sliding = new_programs_panel_extent(found_files, 400, 300, 25);
    EXPECT_GE(sliding.bottom, 275 + 14 + 28 + 1);
    EXPECT_LE(sliding.top, 275 - 500) << "shown rows where they stand";
    found_files.new_at(7)->slide_offset = -8 * 28;
    for (int i = 1; i < 8; ++i) found_files.new_at(i)->slide_offset = -28 * (i + 1);
    EXPECT_EQ(new_programs_panel_extent(found_files, 400, 300, 25).top, 275 - 8 * 28 - 2)
        << "the ninth and later records are not drawn";
}

}  // namespace
}  // namespace qb

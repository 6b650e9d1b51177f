#include <gtest/gtest.h>

#include "links/link_list.h"
#include "render/caption_layout.h"

namespace qb {
namespace {

// Every byte 7 pixels wide, lines 13 high.
Size fixed_width(std::string_view text) { return {7 * static_cast<int>(text.size()), 13}; }

TEST(CaptionLayout, ShortCaptionIsOneCentredLine) {
    const auto lines = layout_caption("a.txt", kHitSize, fixed_width);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "a.txt");
    EXPECT_EQ(lines[0].size, (Size{35, 13}));
    EXPECT_EQ(lines[0].left, 34 - 17);
    EXPECT_EQ(lines[0].top, 0);

    const auto eight = layout_caption("abcdefgh", kHitSize, fixed_width);  // 56 px
    ASSERT_EQ(eight.size(), 1u);
    EXPECT_EQ(eight[0].text, "abcdefgh");
    EXPECT_EQ(eight[0].left, 6);

    // The ninth byte makes the line 63 wide, but nothing is left for a second line.
    const auto nine = layout_caption("abcdefghi", kHitSize, fixed_width);
    ASSERT_EQ(nine.size(), 1u);
    EXPECT_EQ(nine[0].text, "abcdefghi");
    EXPECT_EQ(nine[0].size.cx, 63);

    EXPECT_TRUE(layout_caption("", kHitSize, fixed_width).empty());
}

TEST(CaptionLayout, LongCaptionIsTwoLinesEndingInDots) {
    const auto lines = layout_caption("abcdefghijklmnopqrstuvwxyz", kHitSize, fixed_width);
    ASSERT_EQ(lines.size(), 2u);
    // The first line keeps the byte that made it too wide.
    EXPECT_EQ(lines[0].text, "abcdefghi");
    EXPECT_EQ(lines[0].size.cx, 63);
    EXPECT_EQ(lines[0].left, 34 - 31);
    // The second line stops at the first piece of 50 px or more.
    EXPECT_EQ(lines[1].text, "jklmnopq...");
    EXPECT_EQ(lines[1].size.cx, 77);
    EXPECT_EQ(lines[1].left, 34 - 38);
    EXPECT_EQ(lines[1].top, 15);

    const auto rest_fits = layout_caption("abcdefghijkl", kHitSize, fixed_width);
    ASSERT_EQ(rest_fits.size(), 2u);
    EXPECT_EQ(rest_fits[1].text, "jkl...");
    EXPECT_EQ(rest_fits[1].size, (Size{42, 13}));
    EXPECT_EQ(rest_fits[1].left, 34 - 21);

    const auto one_more = layout_caption("abcdefghij", kHitSize, fixed_width);
    ASSERT_EQ(one_more.size(), 2u);
    EXPECT_EQ(one_more[1].text, "j...");
}

TEST(CaptionLayout, WidthsComeFromTheMeasure) {
    // Wide letters: "WWW" is 60 px and fits, the fourth W does not.
    auto wide = [](std::string_view text) {
        int cx = 0;
        for (char c : text) cx += c == 'W' ? 20 : 5;
        return Size{cx, 16};
    };
    const auto lines = layout_caption("WWWWab", kHitSize, wide);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "WWWW");
    EXPECT_EQ(lines[0].size, (Size{80, 16}));
    EXPECT_EQ(lines[1].text, "ab...");
    EXPECT_EQ(lines[1].top, 18);
    EXPECT_EQ(lines[1].left, 34 - 12);
}

}  // namespace
}  // namespace qb

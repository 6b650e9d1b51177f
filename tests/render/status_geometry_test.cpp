#include <gtest/gtest.h>

#include "render/status_geometry.h"

namespace qb {
namespace {

Size fixed_width(std::string_view text) { return {7 * static_cast<int>(text.size()), 13}; }

// A 400-pixel-wide window whose status strip runs from 275 to 300: the
// gauge section ends at 120 and g = 112.
Gauge gauge(double total, double free) { return gauge_geometry(400, 275, 300, total, free); }

TEST(StatusGeometry, SectionEdges) {
    EXPECT_EQ(panel_left(400), 120);
    EXPECT_EQ(panel_left(373), 111);  // 111.9 truncated
    EXPECT_EQ(panel_left(100), 40);
    EXPECT_EQ(panel_right(400), 290);
}

TEST(StatusGeometry, GaugeOfEmptyHalfAndFullDrives) {
    const Gauge empty = gauge(1000, 1000);
    EXPECT_EQ(empty.g, 112);
    EXPECT_EQ(empty.used_percent, 0);
    EXPECT_EQ(empty.used, (Rect{4, 278, -4, 297}));
    EXPECT_EQ(empty.free, (Rect{-5, 278, 116, 297}));

    const Gauge half = gauge(1000, 500);
    EXPECT_EQ(half.used_percent, 50);
    EXPECT_EQ(half.used, (Rect{4, 278, 52, 297}));
    EXPECT_EQ(half.free, (Rect{51, 278, 116, 297}));

    const Gauge full = gauge(1000, 0);
    EXPECT_EQ(full.used_percent, 100);
    EXPECT_EQ(full.used, (Rect{4, 278, 108, 297}));
    EXPECT_EQ(full.free, (Rect{107, 278, 116, 297}));
    EXPECT_EQ(full.free.width(), 9);

    // Percent and free width both truncate: 66.67 % used, 37.33 px free.
    const Gauge third = gauge(3, 1);
    EXPECT_EQ(third.used_percent, 66);
    EXPECT_EQ(third.used.right, 71);
    EXPECT_EQ(third.free.left, 70);

    // The figures a faulting space query leaves behind.
    const Gauge fault = gauge(1.0, 1.0);
    EXPECT_EQ(fault.used_percent, 0);
    EXPECT_EQ(fault.free, empty.free);
}

TEST(StatusGeometry, GaugeOfUnknownOrOddFigures) {
    const Gauge unknown = gauge(0, 0);
    EXPECT_FALSE(unknown.used_percent.has_value());
    EXPECT_EQ(unknown.used, (Rect{4, 278, -4, 297}));
    EXPECT_EQ(unknown.free, (Rect{-5, 278, 116, 297}));
    EXPECT_FALSE(gauge(0, 50).used_percent.has_value());

    const Gauge more_free = gauge(1000, 1500);
    EXPECT_EQ(more_free.used_percent, 0);
    EXPECT_EQ(more_free.free, (Rect{-5, 278, 116, 297}));

    const Gauge negative_free = gauge(1000, -10);
    EXPECT_EQ(negative_free.used_percent, 100);
    EXPECT_EQ(negative_free.free, (Rect{107, 278, 116, 297}));
}

TEST(StatusGeometry, NamesAreCutJustPastTheirColumn) {
    // 5 bytes reach 35 >= 30: one more byte is shown.
    EXPECT_EQ(shown_name_bytes("abcdefghij", 30, fixed_width), 6u);
    EXPECT_EQ(shown_name_bytes("abcdefghij", 35, fixed_width), 6u);
    EXPECT_EQ(shown_name_bytes("abcdefghij", 36, fixed_width), 7u);
    // At least three bytes count before the width is looked at.
    EXPECT_EQ(shown_name_bytes("abcdefghij", 10, fixed_width), 4u);
    EXPECT_EQ(shown_name_bytes("abcdefghij", -20, fixed_width), 4u);
    // Never more than the name.
    EXPECT_EQ(shown_name_bytes("abcde", 30, fixed_width), 5u);
    EXPECT_EQ(shown_name_bytes("abcd", 1000, fixed_width), 4u);
    EXPECT_EQ(shown_name_bytes("ab", 1000, fixed_width), 2u);
    EXPECT_EQ(shown_name_bytes("", 30, fixed_width), 0u);
}

TEST(StatusGeometry, FoldersStartFromOneByte) {
    EXPECT_EQ(shown_folder_bytes("Tools\\Sub", 20, fixed_width), 4u);
    EXPECT_EQ(shown_folder_bytes("Tools\\Sub", 5, fixed_width), 2u);
    EXPECT_EQ(shown_folder_bytes("Tools\\Sub", 1000, fixed_width), 9u);
    EXPECT_EQ(shown_folder_bytes("A", 0, fixed_width), 1u);
    EXPECT_EQ(shown_folder_bytes("", 100, fixed_width), 0u);
}

}  // namespace
}  // namespace qb

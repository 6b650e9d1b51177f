#include <gtest/gtest.h>

#include "render/shading.h"

namespace qb {
namespace {

Shade lighter(int p) { return {static_cast<std::uint8_t>(p), true}; }
Shade darker(int p) { return {static_cast<std::uint8_t>(p), false}; }

TEST(Shading, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(mul_div(201, 25, 100), 50);  // 50.25
    EXPECT_EQ(mul_div(10, 25, 100), 3);    // 2.5
    EXPECT_EQ(mul_div(-10, 25, 100), -3);
    EXPECT_EQ(mul_div(7, -1, 2), -4);
    EXPECT_EQ(mul_div(7, 1, -2), -4);
    EXPECT_EQ(mul_div(149, 1, 100), 1);
    EXPECT_EQ(mul_div(1, 1, 0), -1);
    EXPECT_EQ(mul_div(2147483647, 2, 1), -1);  // does not fit
    EXPECT_EQ(mul_div(2147483647, 2, 2), 2147483647);
}

TEST(Shading, DarkenAndLightenEachChannel) {
    // 100 - 25 = 75; 150 - 38 (37.5 rounds up) = 112; 201 - 50 (50.25) = 151.
    EXPECT_EQ(darken(rgb(100, 150, 201), 25), rgb(75, 112, 151));
    // 100 + 39 (38.75) = 139; 150 + 26 (26.25) = 176; 201 + 14 (13.5) = 215.
    EXPECT_EQ(lighten(rgb(100, 150, 201), 25), rgb(139, 176, 215));
    EXPECT_EQ(darken(rgb(100, 150, 201), 0), rgb(100, 150, 201));
    EXPECT_EQ(darken(rgb(100, 150, 201), 100), kBlack);
    EXPECT_EQ(lighten(rgb(100, 150, 201), 100), kWhite);
    EXPECT_EQ(lighten(kWhite, 50), kWhite);
    EXPECT_EQ(darken(rgb(127, 127, 127), 40), rgb(76, 76, 76));  // 127 - 51 (50.8)
    // Only the three channels come out, whatever the input carried above them.
    EXPECT_EQ(darken(0xAB000000u | rgb(10, 20, 30), 0), rgb(10, 20, 30));
    EXPECT_EQ(lighten(0xFF000000u | rgb(10, 20, 30), 0), rgb(10, 20, 30));
    // Beyond 100 % a channel wraps within its own byte (100 - 255 = -155 -> 101).
    EXPECT_EQ(darken(rgb(100, 0, 0), 255), rgb(101, 0, 0));
}

TEST(Shading, HeaderRowsOfTheFloatingPointForm) {
    EXPECT_EQ(shaded_rows_float(25.0), 25);
    EXPECT_EQ(shade_percent_float(0, 25.0), darker(8));
    EXPECT_EQ(shade_percent_float(1, 25.0), lighter(41));
    EXPECT_EQ(shade_percent_float(2, 25.0), lighter(35));
    EXPECT_EQ(shade_percent_float(3, 25.0), lighter(35));
    EXPECT_EQ(shade_percent_float(4, 25.0), lighter(23));
    EXPECT_EQ(shade_percent_float(5, 25.0), lighter(18));
    EXPECT_EQ(shade_percent_float(6, 25.0), lighter(19));  // every third row a little brighter
    EXPECT_EQ(shade_percent_float(24, 25.0), darker(8));
    EXPECT_EQ(shade_percent_float(13, 25.0), darker(8));
}

TEST(Shading, BandRowsOfTheIntegerForm) {
    EXPECT_EQ(shade_percent_int(0, 25), darker(9));
    EXPECT_EQ(shade_percent_int(1, 25), lighter(37));
    EXPECT_EQ(shade_percent_int(2, 25), lighter(31));
    EXPECT_EQ(shade_percent_int(3, 25), lighter(31));
    EXPECT_EQ(shade_percent_int(4, 25), lighter(19));
    EXPECT_EQ(shade_percent_int(24, 25), darker(9));
    // A panel row is 28 high (2d/3 = 18, d²/12 = 65, 4d²/9 = 348): its
    // last row is 27, and rows near zero keep their sign.
    EXPECT_EQ(shade_percent_int(27, 28), darker(6));
    EXPECT_EQ(shade_percent_int(24, 28), lighter(0));
    EXPECT_EQ(shade_percent_int(26, 28), darker(0));
    // d = 26: 4d²/9 is 300 in whole numbers (300.4 otherwise), which gives exactly 40.
    EXPECT_EQ(shade_percent_int(1, 26), lighter(40));
    EXPECT_EQ(shade_percent_int(0, 0), Shade{});  // no height, no division
}

TEST(Shading, ShadedPicksTheDirection) {
    EXPECT_EQ(shaded(rgb(100, 150, 201), lighter(25)), rgb(139, 176, 215));
    EXPECT_EQ(shaded(rgb(100, 150, 201), darker(25)), rgb(75, 112, 151));
}

}  // namespace
}  // namespace qb

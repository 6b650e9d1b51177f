#include "render/shading.h"

#include <cmath>

namespace qb {

int mul_div(int a, int b, int c) {
    if (c == 0) return -1;
    std::int64_t multiplicand = a;
    std::int64_t divisor = c;
    if (divisor < 0) {
        multiplicand = -multiplicand;
        divisor = -divisor;
    }
    const std::int64_t product = multiplicand * b;
    const std::int64_t result = product >= 0 ? (product + divisor / 2) / divisor : (product - divisor / 2) / divisor;
    if (result > 2147483647 || result < -2147483647) return -1;
    return static_cast<int>(result);
}

Color darken(Color color, std::uint8_t percent) {
    auto channel = [percent](int c) { return c - mul_div(c, percent, 100); };
    return rgb(channel(red_of(color)), channel(green_of(color)), channel(blue_of(color)));
}

Color lighten(Color color, std::uint8_t percent) {
    auto channel = [percent](int c) { return c + mul_div(255 - c, percent, 100); };
    return rgb(channel(red_of(color)), channel(green_of(color)), channel(blue_of(color)));
}

namespace {

Shade shade_from(double t) {
    Shade shade;
    shade.percent = static_cast<std::uint8_t>(static_cast<std::int64_t>(std::trunc(std::fabs(t))));
    shade.lighten = t >= 0;
    return shade;
}

int shaded_row_index(int row, int rows) { return (row == 0 || row == rows - 1) ? 13 : row; }

}  // namespace

int shaded_rows_float(double bar_height) { return static_cast<int>(std::trunc(bar_height)); }

Shade shade_percent_float(int row, double d) {
    const int j = shaded_row_index(row, shaded_rows_float(d));
    const double offset = j - 2.0 * d / 3.0;
    double v = offset * offset - d * d / 12.0;
    if (j % 3 == 0) v += 30.0;
    const double t = v * 60.0 / (4.0 * d * d / 9.0);
    return shade_from(t);
}

Shade shade_percent_int(int row, int d) {
    const int j = shaded_row_index(row, d);
    const int offset = j - 2 * d / 3;
    int v = offset * offset - d * d / 12;
    if (j % 3 == 0) v += 30;
    const int quarter = 4 * d * d / 9;
    if (quarter == 0) return {};
    const double t = v * (60.0 / quarter);
    return shade_from(t);
}

Color shaded(Color base, Shade shade) {
    return shade.lighten ? lighten(base, shade.percent) : darken(base, shade.percent);
}

}  // namespace qb

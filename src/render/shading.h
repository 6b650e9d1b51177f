#pragma once
// Colour arithmetic of the skin: darkening, lightening and the glossy
// shading of the header, status bar and panel rows.
#include <cstdint>

#include "common/color.h"

namespace qb {

// As the Windows MulDiv: a·b/c rounded to the nearest integer, half away
// from zero; -1 when c is 0 or the result does not fit.
int mul_div(int a, int b, int c);

// Each channel c becomes c - MulDiv(c, p, 100) (kept to its low byte).
Color darken(Color color, std::uint8_t percent);
// Each channel c becomes c + MulDiv(255 - c, p, 100) (kept to its low byte).
Color lighten(Color color, std::uint8_t percent);

struct Shade {
    std::uint8_t percent = 0;
    bool lighten = true;  // false: darken by percent
    bool operator==(const Shade&) const = default;
};

// Row i of a glossy bar of height d. The header uses the floating-point
// form, the status bar and the panel rows the integer form.
Shade shade_percent_float(int row, double bar_height);
Shade shade_percent_int(int row, int bar_height);

// Number of rows each form draws for a bar of height d.
int shaded_rows_float(double bar_height);

// The colour of a row after shading.
Color shaded(Color base, Shade shade);

}  // namespace qb

#pragma once
// How a link's caption breaks into at most two lines under its picture,
// given a function that measures text in the caption font.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/geometry.h"

namespace qb {

using MeasureText = std::function<Size(std::string_view)>;

// A piece fits when narrower than these (cell 75 minus 12, minus 25).
inline constexpr int kFirstLineLimit = 63;
inline constexpr int kSecondLineLimit = 50;

struct CaptionLine {
    std::string text;
    Size size;     // as measured
    int left = 0;  // relative to the link's box
    int top = 0;   // relative to the first line's top
};

// Lines of a caption centred on a box of side box_size. The second line
// always ends in "..."; there is never a third.
std::vector<CaptionLine> layout_caption(std::string_view caption, int box_size, const MeasureText& measure);

}  // namespace qb

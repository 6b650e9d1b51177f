#include "render/caption_layout.h"

#include <algorithm>

namespace qb {

std::vector<CaptionLine> layout_caption(std::string_view caption, int box_size, const MeasureText& measure) {
    std::vector<CaptionLine> lines;
    const std::size_t n = caption.size();
    std::size_t start = 0;
    int top = 0;
    while (lines.size() < 2 && start < n) {
        const int limit = lines.empty() ? kFirstLineLimit : kSecondLineLimit;
        std::size_t k = 1;
        std::string_view piece;
        Size size;
        for (;;) {
            piece = caption.substr(start, std::min(k, n - start));
            size = measure(piece);
            if (size.cx >= limit) break;  // this piece, overflowing byte included
            ++k;
            if (start + k > n) break;  // the caption ran out
        }
        CaptionLine line;
        line.text.assign(piece);
        if (!lines.empty()) {
            line.text += "...";
            size = measure(line.text);
        }
        line.size = size;
        line.left = box_size / 2 - size.cx / 2;
        line.top = top;
        top += size.cy + 2;
        start += k;
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace qb

#include "render/window_areas.h"

namespace qb {

Rect area_rect(std::uint16_t bit, int width, int height, int header) {
    switch (bit) {
        case AREA_HEADER: return {0, 0, width, header - 1};
        case AREA_FOOTER: return {0, height - header, width, height};
        case AREA_WORK: return {3, header, width - 53, height - header};
        case AREA_RIGHT: return {width - 50, 0, width, height};
        case AREA_BELOW_HEADER: return {0, header, width, height};
        default: return {};
    }
}

Rect repaint_rect(const Rect& pending, std::uint16_t bits, int width, int height, int header) {
    Rect result = pending;
    for (std::uint16_t bit = 1; bit <= AREA_BELOW_HEADER; bit <<= 1) {
        if (bits & bit) result = bounding_union(result, area_rect(bit, width, height, header));
    }
    return result;
}

}  // namespace qb

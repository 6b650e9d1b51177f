#include "render/paint_regions.h"

namespace qb {

Rect work_area_rect(int width, int height, int header) { return {3, header, width - 53, height - header}; }

PaintRegions regions_for_update(const Rect& update, int width, int height, int header) {
    if (update == Rect{0, 0, width, height}) return {true, true, true, true};
    PaintRegions regions;
    regions.header = update.top < header;
    regions.status = update.bottom >= height - header;
    regions.work = !intersect(update, work_area_rect(width, height, header)).empty();
    regions.right = update.right > width - 50;
    return regions;
}

}  // namespace qb

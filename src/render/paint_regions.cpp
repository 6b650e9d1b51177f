#include "render/paint_regions.h"

#include "render/window_areas.h"

namespace qb {

PaintRegions regions_for_update(const Rect& update, int width, int height, int header) {
    if (update == Rect{0, 0, width, height}) return {true, true, true, true};
    PaintRegions regions;
    regions.header = update.top < header;
    regions.status = update.bottom >= height - header;
    regions.work = !intersect(update, area_rect(AREA_WORK, width, height, header)).empty();
    regions.right = update.right > width - 50;
    return regions;
}

}  // namespace qb

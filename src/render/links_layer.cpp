#include "render/links_layer.h"

#include <algorithm>
#include <cstdint>

namespace qb {

namespace {

// More than a caption line reaches past the square on either side, and
// more than two lines and their shadow reach below the picture.
constexpr int kCaptionOverhang = 40;
constexpr int kCaptionDepth = 60;

}  // namespace

Rect link_paint_extent(const Link& link, int header_height) {
    const Point box = link_to_client(link.x, link.y, header_height);
    const Rect square{box.x - kCaptionOverhang, box.y, box.x + kHitSize + kCaptionOverhang,
                      std::max(box.y + kHitSize, box.y + link.image_height + 5 + kCaptionDepth)};
    const int picture_x = static_cast<std::int16_t>(box.x + kHitSize / 2 - link.image_width / 2);
    const int picture_y = static_cast<std::int16_t>(box.y + 5);
    const Rect picture{picture_x, picture_y, picture_x + link.image_width, picture_y + link.image_height};
    return bounding_union(square, picture);
}

LinksLayerKey::LinksLayerKey(const LinksLayerInputs& inputs)
    : width_(inputs.width),
      height_(inputs.height),
      header_height_(inputs.header_height),
      fill_type_(inputs.theme.fill_type),
      background_color_(inputs.theme.background_color),
      font_color_(inputs.theme.font_color),
      double_font_(inputs.theme.double_font),
      bitmaps_generation_(inputs.bitmaps_generation) {
    links_.reserve(static_cast<std::size_t>(inputs.links.count()));
    for (const Link& link : inputs.links) {
        links_.push_back({link.x, link.y, link.selected, link.caption, link.image.token(), link.image_width,
                          link.image_height, link.transparent_color});
    }
}

bool LinksLayerKey::matches(const LinksLayerInputs& inputs) const {
    const ThemeColors& theme = inputs.theme;
    if (inputs.width != width_ || inputs.height != height_ || inputs.header_height != header_height_ ||
        theme.fill_type != fill_type_ || theme.background_color != background_color_ ||
        theme.font_color != font_color_ || theme.double_font != double_font_ ||
        inputs.bitmaps_generation != bitmaps_generation_ ||
        static_cast<std::size_t>(inputs.links.count()) != links_.size()) {
        return false;
    }
    auto kept = links_.begin();
    for (const Link& link : inputs.links) {
        const LinkLook& look = *kept++;
        if (link.x != look.x || link.y != look.y || link.selected != look.selected ||
            link.image_width != look.image_width || link.image_height != look.image_height ||
            link.transparent_color != look.transparent_color || link.caption != look.caption ||
            !look.picture.matches(link.image)) {
            return false;
        }
    }
    return true;
}

}  // namespace qb

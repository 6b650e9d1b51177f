#include "render/links_layer.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace qb {

namespace {

// More than a caption line reaches past the square on either side, and
// more than two lines and their shadow reach below the picture.
constexpr int kCaptionOverhang = 40;
constexpr int kCaptionDepth = 60;

// Beyond this many changed links one drawing of the whole layer costs
// less than drawing each of their places again.
constexpr std::size_t kMostChangedAreas = 24;

Rect paint_extent(std::int32_t x, std::int32_t y, std::int32_t image_width, std::int32_t image_height,
                  int header_height) {
    const Point box = link_to_client(x, y, header_height);
    const Rect square{box.x - kCaptionOverhang, box.y, box.x + kHitSize + kCaptionOverhang,
                      std::max(box.y + kHitSize, box.y + image_height + 5 + kCaptionDepth)};
    const int picture_x = static_cast<std::int16_t>(box.x + kHitSize / 2 - image_width / 2);
    const int picture_y = static_cast<std::int16_t>(box.y + 5);
    const Rect picture{picture_x, picture_y, picture_x + image_width, picture_y + image_height};
    return bounding_union(square, picture);
}

// The positions (into `sequence`) of one longest strictly rising run of
// its values, not necessarily adjacent: links drawn in the same order
// relative to each other as before.
std::vector<bool> longest_rising(const std::vector<std::size_t>& sequence) {
    std::vector<std::size_t> tails;                                   // position ending a run of each length
    std::vector<std::size_t> before(sequence.size(), sequence.size());  // the run's previous position
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const auto place = std::lower_bound(tails.begin(), tails.end(), sequence[i],
                                            [&](std::size_t tail, std::size_t value) { return sequence[tail] < value; });
        if (place != tails.begin()) before[i] = *(place - 1);
        if (place == tails.end()) {
            tails.push_back(i);
        } else {
            *place = i;
        }
    }
    std::vector<bool> in_run(sequence.size(), false);
    for (std::size_t i = tails.empty() ? sequence.size() : tails.back(); i < sequence.size(); i = before[i]) {
        in_run[i] = true;
    }
    return in_run;
}

}  // namespace

Rect link_paint_extent(const Link& link, int header_height) {
    return paint_extent(link.x, link.y, link.image_width, link.image_height, header_height);
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
        links_.push_back({&link, link.x, link.y, link.selected, link.caption, link.image.token(), link.image_width,
                          link.image_height, link.transparent_color});
    }
}

bool LinksLayerKey::same_frame(const LinksLayerInputs& inputs) const {
    const ThemeColors& theme = inputs.theme;
    return inputs.width == width_ && inputs.height == height_ && inputs.header_height == header_height_ &&
           theme.fill_type == fill_type_ && theme.background_color == background_color_ &&
           theme.font_color == font_color_ && theme.double_font == double_font_ &&
           inputs.bitmaps_generation == bitmaps_generation_;
}

bool LinksLayerKey::same_look(const LinkLook& look, const Link& link) {
    return link.x == look.x && link.y == look.y && link.selected == look.selected &&
           link.image_width == look.image_width && link.image_height == look.image_height &&
           link.transparent_color == look.transparent_color && link.caption == look.caption &&
           look.picture.matches(link.image);
}

Rect LinksLayerKey::extent(const LinkLook& look) const {
    return paint_extent(look.x, look.y, look.image_width, look.image_height, header_height_);
}

bool LinksLayerKey::matches(const LinksLayerInputs& inputs) const {
    if (!same_frame(inputs) || static_cast<std::size_t>(inputs.links.count()) != links_.size()) return false;
    auto kept = links_.begin();
    for (const Link& link : inputs.links) {
        if (!same_look(*kept++, link)) return false;
    }
    return true;
}

std::optional<std::vector<Rect>> LinksLayerKey::changed_areas(const LinksLayerInputs& inputs) const {
    if (!same_frame(inputs)) return std::nullopt;
    const Rect shown{0, 0, width_, height_};
    std::vector<Rect> areas;
    auto add = [&](const Rect& area) {
        if (const Rect inside = intersect(area, shown); !inside.empty()) areas.push_back(inside);
    };
    std::unordered_map<const Link*, std::size_t> kept_at;
    kept_at.reserve(links_.size());
    for (std::size_t i = 0; i < links_.size(); ++i) kept_at.emplace(links_[i].identity, i);
    std::vector<bool> still_there(links_.size(), false);
    // Links that look as they did, by their old place in the order, and
    // their extents, in the new order.
    std::vector<std::size_t> old_places;
    std::vector<Rect> unchanged_extents;
    for (const Link& link : inputs.links) {
        const auto kept = kept_at.find(&link);
        if (kept != kept_at.end()) still_there[kept->second] = true;
        if (kept != kept_at.end() && same_look(links_[kept->second], link)) {
            old_places.push_back(kept->second);
            unchanged_extents.push_back(link_paint_extent(link, header_height_));
            continue;
        }
        const Rect now = link_paint_extent(link, header_height_);
        add(now);
        if (kept != kept_at.end() && !(extent(links_[kept->second]) == now)) add(extent(links_[kept->second]));
    }
    for (std::size_t i = 0; i < links_.size(); ++i) {
        if (!still_there[i]) add(extent(links_[i]));
    }
    // Two unchanged links drawn in the other order than before differ
    // where they overlap: all but the longest run kept in order are drawn
    // again, so every such pair has one of them drawn.
    const std::vector<bool> in_order = longest_rising(old_places);
    for (std::size_t i = 0; i < old_places.size(); ++i) {
        if (!in_order[i]) add(unchanged_extents[i]);
    }
    if (areas.size() > kMostChangedAreas) return std::nullopt;
    return areas;
}

}  // namespace qb

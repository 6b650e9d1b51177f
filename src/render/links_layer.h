#pragma once
// What the two bottom layers of a paint (the background and the links)
// show, so that a drawing of them can be kept and copied while it is
// still right. Everything they read is compared; a picture is compared
// by its identity, so a new picture at an old address is still new.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/color.h"
#include "common/geometry.h"
#include "links/link_list.h"
#include "theme/theme_values.h"

namespace qb {

// Every pixel a link may draw: its square, its picture (placed with the
// 16-bit coordinates the painter passes) and two caption lines under the
// picture, with room for lines wider than the square and their shadow.
Rect link_paint_extent(const Link& link, int header_height);

struct LinksLayerInputs {
    int width = 0;
    int height = 0;
    int header_height = 0;
    const ThemeColors& theme;
    // Changes whenever a named bitmap (the composed background) may have.
    std::uint64_t bitmaps_generation = 0;
    const LinkList& links;
};

class LinksLayerKey {
public:
    explicit LinksLayerKey(const LinksLayerInputs& inputs);
    // True when a drawing made for this key shows what `inputs` would.
    bool matches(const LinksLayerInputs& inputs) const;
    // Where a drawing made for this key differs from what `inputs` would
    // show when only links changed: the old and the new extent (within
    // the window) of each link that was added, removed, changed its look
    // or changed its place in the drawing order relative to the others.
    // Every other pixel is already right. None when more than links
    // changed, or when so many did that drawing everything is cheaper.
    std::optional<std::vector<Rect>> changed_areas(const LinksLayerInputs& inputs) const;

private:
    struct LinkLook {
        const Link* identity;
        std::int32_t x;
        std::int32_t y;
        bool selected;
        std::optional<std::string> caption;
        LinkImage::Token picture;
        std::int32_t image_width;
        std::int32_t image_height;
        Color transparent_color;
    };
    int width_;
    int height_;
    int header_height_;
    std::int8_t fill_type_;
    Color background_color_;
    Color font_color_;
    bool double_font_;
    std::uint64_t bitmaps_generation_;
    std::vector<LinkLook> links_;

    bool same_frame(const LinksLayerInputs& inputs) const;
    static bool same_look(const LinkLook& look, const Link& link);
    Rect extent(const LinkLook& look) const;
};

}  // namespace qb

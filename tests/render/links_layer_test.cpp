// When a kept drawing of the background and links is still right, and
// which links can reach the window at all.
#include "render/links_layer.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

namespace qb {
namespace {

void no_free(void*) {}

class LinksLayerTest : public ::testing::Test {
protected:
    LinksLayerInputs inputs() const { return {400, 300, 25, theme, generation, links}; }
    Link& add(int x, int y, const char* caption, void* picture) {
        Link& link = links.append_new();
        link.x = x;
        link.y = y;
        LinkList::set_caption(link, caption);
        link.image = LinkImage(picture, &no_free);
        link.image_width = link.image_height = 32;
        return link;
    }
    ThemeColors theme;
    std::uint64_t generation = 7;
    LinkList links;
    int pictures[4] = {};
};

TEST_F(LinksLayerTest, EveryChangeTheTwoLayersShowIsNoticed) {
    Link& first = add(0, 0, "Readme.txt", &pictures[0]);
    Link& second = add(75, 0, "Tool.exe", &pictures[1]);
    const LinksLayerKey key(inputs());
    EXPECT_TRUE(key.matches(inputs()));

    // Each change below is undone before the next one.
    auto changed = [&](auto&& change, auto&& undo) {
        change();
        const bool noticed = !key.matches(inputs());
        undo();
        EXPECT_TRUE(key.matches(inputs())) << "undone";
        return noticed;
    };
    EXPECT_TRUE(changed([&] { first.x = 1; }, [&] { first.x = 0; }));
    EXPECT_TRUE(changed([&] { second.y = 75; }, [&] { second.y = 0; }));
    EXPECT_TRUE(changed([&] { first.selected = true; }, [&] { first.selected = false; }));
    EXPECT_TRUE(changed([&] { LinkList::set_caption(first, "Readme.md"); },
                        [&] { LinkList::set_caption(first, "Readme.txt"); }));
    EXPECT_TRUE(changed([&] { LinkList::set_caption(first, std::nullopt); },
                        [&] { LinkList::set_caption(first, "Readme.txt"); }));
    EXPECT_TRUE(changed([&] { first.image_width = 31; }, [&] { first.image_width = 32; }));
    EXPECT_TRUE(changed([&] { first.image_height = 31; }, [&] { first.image_height = 32; }));
    EXPECT_TRUE(changed([&] { first.transparent_color = kBlack; }, [&] { first.transparent_color = kMagenta; }));
    EXPECT_TRUE(changed([&] { theme.fill_type = 0; }, [&] { theme.fill_type = 3; }));
    const Color background = theme.background_color;
    EXPECT_TRUE(changed([&] { theme.background_color = kBlack; }, [&] { theme.background_color = background; }));
    EXPECT_TRUE(changed([&] { theme.font_color = kBlack; }, [&] { theme.font_color = kWhite; }));
    EXPECT_TRUE(changed([&] { theme.double_font = false; }, [&] { theme.double_font = true; }));
    EXPECT_TRUE(changed([&] { ++generation; }, [&] { --generation; }));
    // The header's and the status bar's colours are not drawn in these layers.
    theme.header_color = kBlack;
    theme.frame_color = kBlack;
    EXPECT_TRUE(key.matches(inputs()));

    EXPECT_FALSE(key.matches({401, 300, 25, theme, generation, links}));
    EXPECT_FALSE(key.matches({400, 299, 25, theme, generation, links}));
    EXPECT_FALSE(key.matches({400, 300, 26, theme, generation, links}));

    // Order is drawing order.
    links.move_to_end(&first);
    EXPECT_FALSE(key.matches(inputs()));
    links.move_to_end(&second);
    EXPECT_TRUE(key.matches(inputs()));

    // A new picture, even at the old address, is another picture; a
    // shared one is the same.
    first.image = second.image.share();
    EXPECT_FALSE(key.matches(inputs()));
    first.image = LinkImage(&pictures[0], &no_free);
    EXPECT_FALSE(key.matches(inputs())) << "made again at the same address";

    const LinksLayerKey again(inputs());
    Link& third = add(150, 0, "New", &pictures[2]);
    EXPECT_FALSE(again.matches(inputs()));
    links.remove(&third);
    EXPECT_TRUE(again.matches(inputs()));
    links.remove(&second);
    EXPECT_FALSE(again.matches(inputs()));
}

TEST_F(LinksLayerTest, TheExtentHoldsTheSquareThePictureAndTheCaption) {
    Link& link = add(100, 50, "Caption", &pictures[0]);
    // The square starts at (105, 80) and is 68 wide.
    const Rect extent = link_paint_extent(link, 25);
    EXPECT_LE(extent.left, 105 - 10) << "a first line wider than the square";
    EXPECT_GE(extent.right, 105 + 68 + 10);
    EXPECT_EQ(extent.top, 80);
    EXPECT_GE(extent.bottom, 80 + 5 + 32 + 5 + 2 * 18 + 1) << "two lines and a shadow under the picture";

    link.image_width = 300;
    link.image_height = 200;
    const Rect big = link_paint_extent(link, 25);
    EXPECT_LE(big.left, 105 + 34 - 150);
    EXPECT_GE(big.right, 105 + 34 + 150);
    EXPECT_GE(big.bottom, 80 + 5 + 200 + 5 + 2 * 18 + 1);

    // The picture is placed in 16-bit coordinates: far to the right it
    // comes back into the window, and the extent says so.
    link.x = 65536 + 100;
    link.image_width = link.image_height = 32;
    const Rect wrapped = link_paint_extent(link, 25);
    EXPECT_FALSE(intersect(wrapped, Rect{0, 0, 400, 300}).empty());
    link.x = 20000;
    EXPECT_TRUE(intersect(link_paint_extent(link, 25), Rect{0, 0, 400, 300}).empty());
}

// What a pixel shows, as far as the links layer goes: every link that
// reaches it, bottom to top, with what it shows.
using PixelStack = std::vector<std::tuple<int, int, bool, std::optional<std::string>, int, const void*>>;

// The picture of the layer at every fourth pixel.
std::vector<PixelStack> layer_picture(const LinkList& links) {
    std::vector<std::pair<Rect, PixelStack::value_type>> drawn;
    for (const Link& link : links) {
        drawn.emplace_back(link_paint_extent(link, 25),
                           PixelStack::value_type{link.x, link.y, link.selected, link.caption, link.image_width,
                                                  link.image.get()});
    }
    std::vector<PixelStack> picture;
    for (int y = 0; y < 300; y += 4) {
        for (int x = 0; x < 400; x += 4) {
            PixelStack& stack = picture.emplace_back();
            for (const auto& [extent, look] : drawn) {
                if (x >= extent.left && x < extent.right && y >= extent.top && y < extent.bottom) stack.push_back(look);
            }
        }
    }
    return picture;
}

TEST_F(LinksLayerTest, OnlyWhereLinksChangedIsDrawnAgainAndEveryChangedPixelIsThere) {
    // Every pixel whose stack of links differs must lie in a changed area,
    // whatever happened: many random rounds of selections, moves, new
    // captions, lifts on top, removals and additions among overlapping
    // links.
    std::mt19937 random(20261207);
    for (int i = 0; i < 12; ++i) add(static_cast<int>(random() % 250), static_cast<int>(random() % 150), "L", &pictures[i % 4]);
    for (int round = 0; round < 100; ++round) {
        const LinksLayerKey key(inputs());
        const std::vector<PixelStack> before = layer_picture(links);
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int c = 0; c < changes; ++c) {
            Link* link = links.at(static_cast<int>(random() % static_cast<unsigned>(links.count())));
            switch (random() % 6) {
                case 0: links.select_only(link); break;
                case 1: LinkList::set_x(*link, static_cast<int>(random() % 250), false); break;
                case 2: LinkList::set_caption(*link, round % 2 ? "A longer caption" : "B"); break;
                case 3: links.move_to_end(link); break;
                case 4: if (links.count() > 4) links.remove(link); break;
                case 5: add(static_cast<int>(random() % 250), static_cast<int>(random() % 150), "N", &pictures[3]); break;
            }
        }
        const std::optional<std::vector<Rect>> areas = key.changed_areas(inputs());
        ASSERT_TRUE(areas.has_value()) << "round " << round;
        const std::vector<PixelStack> after = layer_picture(links);
        std::size_t at = 0;
        for (int y = 0; y < 300; y += 4) {
            for (int x = 0; x < 400; x += 4) {
                const bool same = after[at] == before[at];
                ++at;
                if (same) continue;
                bool covered = false;
                for (const Rect& area : *areas) {
                    covered |= x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                }
                ASSERT_TRUE(covered) << "round " << round << ": pixel " << x << "," << y << " changed outside";
            }
        }
    }
}

TEST_F(LinksLayerTest, ChangedAreasAreTheChangedLinksOnly) {
    Link& a = add(0, 0, "A", &pictures[0]);
    Link& b = add(100, 0, "B", &pictures[1]);
    Link& c = add(200, 0, "C", &pictures[2]);
    auto extents_of = [&](std::initializer_list<const Link*> changed) {
        std::vector<Rect> extents;
        for (const Link* link : changed) extents.push_back(intersect(link_paint_extent(*link, 25), {0, 0, 400, 300}));
        return extents;
    };
    auto areas_after = [&](auto&& change) {
        const LinksLayerKey key(inputs());
        change();
        return key.changed_areas(inputs());
    };
    EXPECT_EQ(areas_after([] {}), std::vector<Rect>{});
    EXPECT_EQ(areas_after([&] { b.selected = true; }), extents_of({&b}));
    EXPECT_EQ(areas_after([&] { links.select_only(&c); }), extents_of({&b, &c}));
    EXPECT_EQ(areas_after([&] { links.move_to_end(&a); }), extents_of({&a})) << "lifted on top: that link only";
    const Rect old_place = extents_of({&b})[0];
    std::vector<Rect> moved = areas_after([&] { LinkList::set_y(b, 90, false); }).value();
    EXPECT_EQ(moved, (std::vector<Rect>{extents_of({&b})[0], old_place}));
    EXPECT_EQ(areas_after([&] { links.remove(&c); }).value().size(), 1u);
    EXPECT_EQ(areas_after([&] { theme.font_color = kBlack; }), std::nullopt) << "more than links";
    EXPECT_EQ(areas_after([&] {
                  for (int i = 0; i < 30; ++i) add(i * 10, 100, "M", &pictures[3]);
              }),
              std::nullopt)
        << "so many that drawing all is cheaper";
}

}  // namespace
}  // namespace qb

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <utility>

#include "links/link_list.h"

namespace qb {
namespace {

// Every test starts on drive E: with a 25-pixel title strip and the grid
// off.
class LinkListTest : public ::testing::Test {
protected:
    Link& add_at(int x, int y) {
        Link& link = list_.append_new();
        link.x = x;
        link.y = y;
        return link;
    }

    LinkList list_;
    LinkGrid grid_{false, 25};
    std::string root_ = "E:\\";
};

std::pair<int, int> pos(const Link& link) { return {link.x, link.y}; }

long long ms_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(LinkListTest, CaptionIsTheLastComponent) {
    EXPECT_EQ(caption_from_path("E:\\"), "\\");
    EXPECT_EQ(caption_from_path("E:\\Docs\\a.txt"), "a.txt");
    EXPECT_EQ(caption_from_path("E:\\Docs\\"), "\\");
    EXPECT_EQ(caption_from_path("noslash"), "noslash");
    EXPECT_EQ(caption_from_path("\\top"), "\\top");  // the walk stops at index 0
    EXPECT_EQ(caption_from_path(""), "");

    Link& root = list_.append_from_path("E:\\", root_);
    EXPECT_EQ(root.caption, "\\");
    EXPECT_EQ(root.target, "");
    EXPECT_TRUE(root.root_relative);
    EXPECT_EQ(full_target(root, root_), "E:\\");
    EXPECT_EQ(pos(root), pos(Link{}));
}

TEST_F(LinkListTest, TargetOnTheProgramsDriveLosesItsDrive) {
    Link& link = list_.append_from_path("E:\\Docs\\a.txt", root_);
    EXPECT_EQ(link.caption, "a.txt");
    EXPECT_EQ(link.target, "Docs\\a.txt");
    EXPECT_TRUE(link.root_relative);
    EXPECT_EQ(full_target(link, root_), "E:\\Docs\\a.txt");

    // A lower-case letter names the same drive (some launchers start us
    // as "e:\..."); the rest of the path keeps its own bytes.
    LinkList::set_target(link, "e:\\Docs\\Отчёт.TXT", root_);
    EXPECT_EQ(link.target, "Docs\\Отчёт.TXT");
    EXPECT_TRUE(link.root_relative);
    EXPECT_EQ(full_target(link, root_), "E:\\Docs\\Отчёт.TXT");
    LinkList::set_target(link, "E:\\x", "e:\\");
    EXPECT_EQ(link.target, "x");
    EXPECT_TRUE(link.root_relative);
    // Cut to "\\x", it would read back as a network path: it stays whole.
    LinkList::set_target(link, "E:\\\\x", root_);
    EXPECT_EQ(link.target, "E:\\\\x");
    EXPECT_FALSE(link.root_relative);
    LinkList::set_target(link, "D:\\x", root_);
    EXPECT_EQ(link.target, "D:\\x");
    EXPECT_FALSE(link.root_relative);
    LinkList::set_target(link, "ab", root_);  // too short for a drive
    EXPECT_EQ(link.target, "ab");
    EXPECT_TRUE(link.root_relative);
    LinkList::set_target(link, "D:\\x", root_);
    LinkList::set_target(link, "E:x", root_);  // no backslash after the colon
    EXPECT_EQ(link.target, "E:x");
    EXPECT_TRUE(link.root_relative);

    // No path: the target goes, the flag stays.
    LinkList::set_target(link, "D:\\z", root_);
    LinkList::set_target(link, std::nullopt, root_);
    EXPECT_FALSE(link.target.has_value());
    EXPECT_FALSE(link.root_relative);

    root_.clear();  // no known drive: nothing is ours
    LinkList::set_target(link, "E:\\x", root_);
    EXPECT_FALSE(link.root_relative);
}

TEST_F(LinkListTest, NetworkPathsAreNeverOnOurDrive) {
    Link& link = list_.append_from_path("\\\\server\\share\\app.exe", root_);
    EXPECT_EQ(link.caption, "app.exe");
    EXPECT_EQ(link.target, "\\\\server\\share\\app.exe");
    EXPECT_FALSE(link.root_relative);
    EXPECT_EQ(full_target(link, root_), "\\\\server\\share\\app.exe");
    // Typed in the properties window, with a root-relative link before.
    LinkList::set_target(link, "Docs\\a.txt", root_);
    EXPECT_TRUE(link.root_relative);
    LinkList::set_target(link, "\\\\nas\\x", root_);
    EXPECT_FALSE(link.root_relative);
    EXPECT_EQ(full_target(link, root_), "\\\\nas\\x");
    // A single leading backslash is still a path below our root.
    LinkList::set_target(link, "\\Docs", root_);
    EXPECT_TRUE(link.root_relative);
    // Our drive followed by two backslashes stays whole: without its drive
    // it would read back as a network path.
    LinkList::set_target(link, "E:\\\\\\x", root_);
    EXPECT_EQ(link.target, "E:\\\\\\x");
    EXPECT_FALSE(link.root_relative);
}

TEST_F(LinkListTest, PositionsSnapToTheGridOnlyWhenArranging) {
    Link& link = list_.append_new();
    EXPECT_EQ(LinkList::set_x(link, -10, grid_.auto_arrange).x, 0);
    EXPECT_EQ(LinkList::set_y(link, -1, grid_.auto_arrange).y, 0);
    EXPECT_EQ(LinkList::set_x(link, 149, grid_.auto_arrange).x, 149);
    grid_.auto_arrange = true;
    EXPECT_EQ(LinkList::set_x(link, 149, grid_.auto_arrange).x, 75);
    EXPECT_EQ(LinkList::set_x(link, 150, grid_.auto_arrange).x, 150);
    EXPECT_EQ(LinkList::set_x(link, 74, grid_.auto_arrange).x, 0);
    EXPECT_EQ(LinkList::set_y(link, 224, grid_.auto_arrange).y, 150);
}

TEST_F(LinkListTest, HitTestEdgesAreStrict) {
    Link& link = add_at(75, 0);
    // The cell's corner is client (80, 30): inside means 80 < px < 148, 30 < py < 98.
    EXPECT_EQ(list_.hit_test(80, 50, grid_.header_height), nullptr);
    EXPECT_EQ(list_.hit_test(81, 50, grid_.header_height), &link);
    EXPECT_EQ(list_.hit_test(147, 50, grid_.header_height), &link);
    EXPECT_EQ(list_.hit_test(148, 50, grid_.header_height), nullptr);
    EXPECT_EQ(list_.hit_test(100, 30, grid_.header_height), nullptr);
    EXPECT_EQ(list_.hit_test(100, 31, grid_.header_height), &link);
    EXPECT_EQ(list_.hit_test(100, 97, grid_.header_height), &link);
    EXPECT_EQ(list_.hit_test(100, 98, grid_.header_height), nullptr);
    grid_.header_height = 40;  // the work area moves down with the title strip
    EXPECT_EQ(list_.hit_test(100, 45, grid_.header_height), nullptr);
    EXPECT_EQ(list_.hit_test(100, 46, grid_.header_height), &link);
    EXPECT_EQ(list_.hit_test(100, 113, grid_.header_height), nullptr);
}

TEST_F(LinkListTest, OrderDecidesWhichLinkIsOnTop) {
    Link& first = add_at(0, 0);
    Link& second = add_at(0, 0);
    EXPECT_EQ(list_.hit_test(30, 60, grid_.header_height), &second);
    list_.move_to_end(&first);
    EXPECT_EQ(list_.hit_test(30, 60, grid_.header_height), &first);
    EXPECT_EQ(list_.find_at(0, 0), &second);  // from the head

    Link stranger;
    list_.move_to_end(&stranger);
    list_.move_to_end(nullptr);
    EXPECT_FALSE(list_.remove(&stranger));
    EXPECT_EQ(list_.at(0), &second);
    EXPECT_EQ(list_.at(1), &first);
    EXPECT_EQ(list_.at(2), nullptr);
    EXPECT_EQ(list_.at(-3), &second);
    EXPECT_TRUE(list_.remove(&first));
    EXPECT_EQ(list_.count(), 1);
    EXPECT_EQ(list_.hit_test(30, 60, grid_.header_height), &second);
    list_.clear();
    EXPECT_EQ(list_.at(0), nullptr);
    EXPECT_EQ(list_.at(-1), nullptr);
}

TEST_F(LinkListTest, SelectOnlyReportsChanges) {
    Link& a = add_at(0, 0);
    Link& b = add_at(75, 0);
    EXPECT_FALSE(list_.select_only(nullptr));
    EXPECT_TRUE(list_.select_only(&b));
    EXPECT_EQ(list_.selected_link(), &b);
    EXPECT_TRUE(list_.select_only(&b));  // cleared and set again
    a.selected = true;
    EXPECT_EQ(list_.selected_link(), &a);
    EXPECT_TRUE(list_.select_only(&b));
    EXPECT_FALSE(a.selected);
    EXPECT_TRUE(list_.select_only(nullptr));
    EXPECT_FALSE(b.selected);
    EXPECT_FALSE(list_.select_only(nullptr));
    Link stranger;
    EXPECT_FALSE(list_.select_only(&stranger));
}

TEST_F(LinkListTest, NeighbourTakesTheFirstColumnThenTheNearest) {
    grid_.auto_arrange = true;
    Link& from = add_at(75, 75);
    Link& far_up = add_at(150, 0);      // 106 px away
    Link& level = add_at(150, 75);      // 75 px away
    Link& far_down = add_at(150, 150);  // 106 px away, later than far_up
    Link& next_column = add_at(225, 75);
    Link& left_far = add_at(0, 400);

    EXPECT_EQ(list_.neighbour(kKeyRight, &from, grid_.auto_arrange), &level);
    level.x = 300;
    EXPECT_EQ(list_.neighbour(kKeyRight, &from, grid_.auto_arrange), &far_up);  // a tie: the earlier one
    EXPECT_EQ(list_.neighbour(kKeyLeft, &from, grid_.auto_arrange), &left_far);  // distance only ranks within a column
    EXPECT_EQ(list_.neighbour(kKeyRight, &far_down, grid_.auto_arrange), &next_column);
    EXPECT_EQ(list_.neighbour(kKeyDown, &from, grid_.auto_arrange), &far_down);
    EXPECT_EQ(list_.neighbour(kKeyUp, &from, grid_.auto_arrange), &far_up);
    EXPECT_EQ(list_.neighbour(kKeyLeft, &left_far, grid_.auto_arrange), nullptr);  // x = 0
    EXPECT_EQ(list_.neighbour(kKeyRight, &level, grid_.auto_arrange), nullptr);    // rightmost column
    EXPECT_EQ(list_.neighbour(kKeyUp, &far_up, grid_.auto_arrange), nullptr);
    EXPECT_EQ(list_.neighbour(kKeyDown, &left_far, grid_.auto_arrange), nullptr);
    EXPECT_EQ(list_.neighbour(0x20, &from, grid_.auto_arrange), nullptr);
    EXPECT_EQ(list_.neighbour(kKeyRight, nullptr, grid_.auto_arrange), nullptr);

    // On the grid only whole steps are visited; without it, every column.
    Link& between = add_at(100, 75);
    EXPECT_EQ(list_.neighbour(kKeyRight, &from, grid_.auto_arrange), &far_up);
    grid_.auto_arrange = false;
    EXPECT_EQ(list_.neighbour(kKeyRight, &from, grid_.auto_arrange), &between);
}

TEST_F(LinkListTest, NeighbourWithoutTheGridReachesFarAndFast) {
    Link& from = add_at(0, 0);
    Link& far = add_at(1000, 500);
    EXPECT_EQ(list_.neighbour(kKeyRight, &from, grid_.auto_arrange), &far);
    EXPECT_EQ(list_.neighbour(kKeyDown, &from, grid_.auto_arrange), &far);
    EXPECT_EQ(list_.neighbour(kKeyLeft, &far, grid_.auto_arrange), &from);

    // Visiting every column up to 16,777,215 with a few hundred links
    // would take far longer than this.
    for (int i = 1; i < 300; ++i) add_at(0, i * 75);
    Link& edge = add_at(16777215, 16777215);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(list_.neighbour(kKeyRight, &far, grid_.auto_arrange), &edge);
    EXPECT_EQ(list_.neighbour(kKeyLeft, &edge, grid_.auto_arrange), &far);
    EXPECT_EQ(list_.neighbour(kKeyUp, &edge, grid_.auto_arrange)->y, 299 * 75);
    EXPECT_EQ(list_.neighbour(kKeyRight, &edge, grid_.auto_arrange), nullptr);
    EXPECT_LT(ms_since(start), 1000);
}

TEST_F(LinkListTest, ResolveOverlapsPushesLaterLinksLeftThenRight) {
    Link& a = add_at(160, 80);
    Link& b = add_at(150, 75);
    Link& c = add_at(200, 149);
    EXPECT_FALSE(list_.resolve_overlaps(400, 300, grid_));  // grid off: nothing moves
    EXPECT_EQ(pos(a), std::pair(160, 80));

    grid_.auto_arrange = true;  // all three snap to (150, 75)
    EXPECT_TRUE(list_.resolve_overlaps(400, 300, grid_));
    EXPECT_EQ(pos(a), std::pair(150, 75));
    EXPECT_EQ(pos(b), std::pair(75, 75));
    EXPECT_EQ(pos(c), std::pair(225, 75));
    EXPECT_FALSE(list_.resolve_overlaps(400, 300, grid_));
}

TEST_F(LinkListTest, ResolveOverlapsNearTheBottomWalksToTheNextColumn) {
    // Client height 280: Down is allowed only above y = 150, and the walk
    // turns to the next column past y = 175.
    grid_.auto_arrange = true;
    add_at(0, 150);
    Link& moved = add_at(0, 150);
    add_at(75, 150);  // right taken
    Link& above = add_at(0, 75);
    add_at(75, 0);    // top of the next column taken
    EXPECT_TRUE(list_.resolve_overlaps(400, 280, grid_));
    EXPECT_EQ(pos(moved), std::pair(75, 75));

    moved.x = 0;
    moved.y = 150;
    EXPECT_TRUE(list_.resolve_overlaps(400, 281, grid_));  // one pixel taller: Down
    EXPECT_EQ(pos(moved), std::pair(0, 225));

    list_.remove(&above);  // Up is tried before walking
    moved.y = 150;
    EXPECT_TRUE(list_.resolve_overlaps(400, 280, grid_));
    EXPECT_EQ(pos(moved), std::pair(0, 75));
}

TEST_F(LinkListTest, ResolveOverlapsOfThousandsOfLinksIsQuick) {
    grid_.auto_arrange = true;
    for (int i = 0; i < 2000; ++i) add_at(750, 75);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(list_.resolve_overlaps(400, 300, grid_));
    EXPECT_LT(ms_since(start), 1000);
    std::set<std::pair<int, int>> cells;
    for (const Link& link : list_) {
        EXPECT_EQ(link.x % kCellSize + link.y % kCellSize, 0);
        cells.insert(pos(link));
    }
    EXPECT_EQ(cells.size(), 2000u);
    EXPECT_EQ(pos(*list_.at(0)), std::pair(750, 75));
}

TEST(LinkView, ALinkMayShowUnlessItLiesACellOrTwoPastTheWindow) {
    struct Case {
        int x, y;
        bool shows;
    };
    // A window of 400 x 300: past its right and bottom edges by a cell,
    // before its left and top edges by two (picture and caption lines).
    const Case cases[] = {
        {0, 0, true},     {474, 0, true},   {475, 0, false},  {0, 374, true},   {0, 375, false},
        {-149, 0, true},  {-150, 0, false}, {0, -149, true},  {0, -150, false}, {3000, 3000, false},
    };
    const LinkView view{400, 300};
    for (const Case& c : cases) {
        Link link;
        link.x = c.x;
        link.y = c.y;
        EXPECT_EQ(view.may_show(link), c.shows) << c.x << ", " << c.y;
    }
    // A stored size as large as an int holds does not wrap round.
    Link far;
    far.x = far.y = 3000;
    EXPECT_TRUE((LinkView{INT32_MAX, INT32_MAX}.may_show(far)));
}

}  // namespace
}  // namespace qb

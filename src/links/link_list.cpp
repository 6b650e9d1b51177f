#include "links/link_list.h"

#include <cmath>
#include <limits>
#include <unordered_map>

#include "common/letter_case.h"

namespace qb {

std::string caption_from_path(std::string_view path) {
    std::size_t n = path.size();
    if (n == 0) return {};
    std::size_t i = n - 1;
    while (i > 0 && path[i] != '\\') --i;
    if (i != 0 && i < n - 1) ++i;
    return std::string(path.substr(i));
}

std::string full_target(const Link& link, std::string_view drive_root) {
    std::string target = link.target.value_or("");
    return link.root_relative ? std::string(drive_root) + target : target;
}

Link& LinkList::append_new() { return links_.emplace_back(); }

Link& LinkList::append_from_path(std::string_view path, std::string_view drive_root) {
    Link& link = append_new();
    set_caption(link, caption_from_path(path));
    set_target(link, path, drive_root);
    return link;
}

LinkList::iterator LinkList::find_link(const Link* link) {
    for (auto it = links_.begin(); it != links_.end(); ++it) {
        if (&*it == link) return it;
    }
    return links_.end();
}

void LinkList::destroy_link(iterator position) { links_.erase(position); }

bool LinkList::remove(const Link* link) {
    auto it = find_link(link);
    if (it == links_.end()) return false;
    destroy_link(it);
    return true;
}

void LinkList::move_to_end(const Link* link) {
    auto it = find_link(link);
    if (it != links_.end()) links_.splice(links_.end(), links_, it);
}

Link* LinkList::at(int index) {
    // A negative index means the head, but an empty list has none.
    if (index >= count() || links_.empty()) return nullptr;
    auto it = links_.begin();
    for (int i = 0; i < index; ++i) ++it;
    return &*it;
}

Link* LinkList::find_at(int x, int y) {
    for (Link& link : links_) {
        if (link.x == x && link.y == y) return &link;
    }
    return nullptr;
}

Link* LinkList::hit_test(int px, int py, int header_height) {
    const Point at = client_to_link(px, py, header_height);
    const int lx = at.x;
    const int ly = at.y;
    Link* found = nullptr;
    for (Link& link : links_) {
        if (link.x < lx && lx < link.x + kHitSize && link.y < ly && ly < link.y + kHitSize) {
            found = &link;
        }
    }
    return found;
}

Link* LinkList::selected_link() {
    for (Link& link : links_) {
        if (link.selected) return &link;
    }
    return nullptr;
}

bool LinkList::select_only(const Link* link) {
    bool changed = false;
    for (Link& each : links_) {
        if (each.selected) {
            each.selected = false;
            changed = true;
        }
    }
    auto it = find_link(link);
    if (it != links_.end()) {
        it->selected = true;
        changed = true;
    }
    return changed;
}

namespace {

float distance_between(const Link& a, const Link& b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return std::sqrt(static_cast<float>(dx * dx + dy * dy));
}

// Stepping from `from` by `step` towards `limit` visits the columns
// from ± k·step; the first one that holds a link is the nearest such
// value in that direction. Finding it directly gives the same answer as
// visiting every column, without a walk as long as the coordinates.
bool reachable(std::int64_t from, std::int64_t value, std::int64_t step) {
    std::int64_t distance = value > from ? value - from : from - value;
    return distance % step == 0;
}

}  // namespace

Link* LinkList::neighbour(unsigned direction_key, const Link* from, bool on_grid) {
    if (from == nullptr) return nullptr;
    const bool horizontal = direction_key == kKeyLeft || direction_key == kKeyRight;
    const bool forward = direction_key == kKeyRight || direction_key == kKeyDown;
    if (!horizontal && direction_key != kKeyUp && direction_key != kKeyDown) return nullptr;

    const std::int64_t step = on_grid ? kCellSize : 1;
    auto coordinate = [horizontal](const Link& l) -> std::int64_t { return horizontal ? l.x : l.y; };
    const std::int64_t start = coordinate(*from);
    if (!forward && start <= 0) return nullptr;
    if (forward) {
        const std::int64_t limit = horizontal ? max_x() : max_y();
        if (start >= limit) return nullptr;
    }

    // The first column (or row) in the direction that holds any link.
    bool found_column = false;
    std::int64_t column = 0;
    for (const Link& link : links_) {
        const std::int64_t c = coordinate(link);
        if (forward ? c <= start : c >= start) continue;
        if (!reachable(start, c, step)) continue;
        if (!found_column || (forward ? c < column : c > column)) {
            column = c;
            found_column = true;
        }
    }
    if (!found_column) return nullptr;

    // The nearest link in it; on a tie the earlier one stays.
    Link* best = nullptr;
    float best_distance = std::numeric_limits<float>::infinity();
    for (Link& link : links_) {
        if (coordinate(link) != column) continue;
        const float d = distance_between(*from, link);
        if (best == nullptr || d < best_distance) {
            best = &link;
            best_distance = d;
        }
    }
    return best;
}

int LinkList::max_x() const {
    int m = 0;
    for (const Link& link : links_) m = std::max(m, link.x);
    return m;
}

int LinkList::max_y() const {
    int m = 0;
    for (const Link& link : links_) m = std::max(m, link.y);
    return m;
}

namespace {
int snapped(int value, bool on_grid) {
    if (value < 0) value = 0;
    if (on_grid) value = value / kCellSize * kCellSize;
    return value;
}
}  // namespace

Link& LinkList::set_x(Link& link, int value, bool on_grid) {
    link.x = snapped(value, on_grid);
    return link;
}

Link& LinkList::set_y(Link& link, int value, bool on_grid) {
    link.y = snapped(value, on_grid);
    return link;
}

void LinkList::set_caption(Link& link, std::optional<std::string_view> text) {
    if (text) {
        link.caption = std::string(*text);
    } else {
        link.caption.reset();
    }
}

void LinkList::set_target(Link& link, std::optional<std::string_view> path, std::string_view drive_root) {
    link.target.reset();
    if (!path) return;
    std::string_view p = *path;
    if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
        // A network path (\\server\share\...) names its own place: it is
        // never on our drive, and the root in front of it would break it.
        link.root_relative = false;
        link.target = std::string(p);
    } else if (p.size() < 3) {
        link.root_relative = true;
        link.target = std::string(p);
    } else if (p[1] == ':' && p[2] == '\\') {
        // Drive letters name the same drive in either case ("e:\" is E:).
        // A rest that starts with another backslash ("E:\\x") would be
        // stored as "\\x" and read back as a network path: it stays whole.
        const bool ours = !drive_root.empty() && fold_case_1251(p[0]) == fold_case_1251(drive_root[0]);
        if (ours && !(p.size() > 3 && p[3] == '\\')) {
            link.root_relative = true;
            link.target = std::string(p.substr(3));
        } else {
            link.root_relative = false;
            link.target = std::string(p);
        }
    } else {
        link.root_relative = true;
        link.target = std::string(p);
    }
}

namespace {

// Occupied positions while overlaps are resolved, so that probing a
// cell does not walk the whole list.
class PositionIndex {
public:
    explicit PositionIndex(const std::list<Link>& links) {
        for (const Link& link : links) add(link.x, link.y);
    }
    bool free(std::int64_t x, std::int64_t y) const {
        if (x < 0 || y < 0 || x > std::numeric_limits<int>::max() || y > std::numeric_limits<int>::max())
            return true;  // no link can stand there
        return counts_.find(key(static_cast<int>(x), static_cast<int>(y))) == counts_.end();
    }
    void add(int x, int y) { ++counts_[key(x, y)]; }
    void remove(int x, int y) {
        auto it = counts_.find(key(x, y));
        if (it != counts_.end() && --it->second == 0) counts_.erase(it);
    }

private:
    static std::uint64_t key(int x, int y) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) | static_cast<std::uint32_t>(y);
    }
    std::unordered_map<std::uint64_t, int> counts_;
};

}  // namespace

bool LinkList::resolve_overlaps(int /*client_width*/, int client_height, const LinkGrid& grid) {
    if (!grid.auto_arrange) return false;
    for (Link& link : links_) {
        set_x(link, link.x, true);
        set_y(link, link.y, true);
    }

    PositionIndex occupied(links_);
    const int hh = grid.header_height;
    const std::int64_t down_limit = std::int64_t{client_height} - kCellSize - 2 * hh - 5;
    const std::int64_t walk_limit = std::int64_t{client_height} - kCellSize - hh - 5;
    bool moved = false;

    for (auto a = links_.begin(); a != links_.end(); ++a) {
        for (auto b = std::next(a); b != links_.end(); ++b) {
            if (b->x != a->x || b->y != a->y) continue;
            const std::int64_t bx = b->x;
            const std::int64_t by = b->y;
            std::int64_t nx = bx;
            std::int64_t ny = by;
            if (occupied.free(bx - kCellSize, by) && bx >= kCellSize) {
                nx = bx - kCellSize;
            } else if (occupied.free(bx + kCellSize, by)) {
                nx = bx + kCellSize;
            } else if (occupied.free(bx, by + kCellSize) && by < down_limit) {
                ny = by + kCellSize;
            } else if (occupied.free(bx, by - kCellSize) && by >= kCellSize) {
                ny = by - kCellSize;
            } else {
                do {
                    ny += kCellSize;
                    if (ny > walk_limit) {
                        ny = 0;
                        nx += kCellSize;
                    }
                } while (!occupied.free(nx, ny));
            }
            if (nx > std::numeric_limits<int>::max() || ny > std::numeric_limits<int>::max()) continue;
            occupied.remove(b->x, b->y);
            set_x(*b, static_cast<int>(nx), true);
            set_y(*b, static_cast<int>(ny), true);
            occupied.add(b->x, b->y);
            moved = true;
        }
    }
    return moved;
}

void LinkList::clear() { links_.clear(); }

}  // namespace qb

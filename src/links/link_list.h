#pragma once
// The desktop's links: captions, targets relative to the drive root,
// positions on the work area and the geometry rules every other part
// relies on. List order is z-order, hit-test order and save order.
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>

#include "common/color.h"
#include "common/drive_facts.h"
#include "common/geometry.h"

namespace qb {

inline constexpr int kCellSize = 75;
inline constexpr int kHitSize = kCellSize - kCellSize / 10;  // 68

// Link positions are measured from the link origin, the client point
// (5, header_height + 5): the work area's corner inside its frame.
inline constexpr int kLinkOriginX = 5;
inline constexpr int kLinkOriginBelowHeader = 5;
inline Point link_to_client(int x, int y, int header_height) {
    return {x + kLinkOriginX, y + header_height + kLinkOriginBelowHeader};
}
inline Point client_to_link(int x, int y, int header_height) {
    return {x - kLinkOriginX, y - header_height - kLinkOriginBelowHeader};
}

// What the links' geometry depends on besides the links: whether they
// sit on the 75-pixel grid, and the title strip's height.
struct LinkGrid {
    bool auto_arrange = false;
    int header_height = kMinHeaderHeight;
};

// Arrow keys as virtual-key codes.
inline constexpr unsigned kKeyLeft = 0x25;
inline constexpr unsigned kKeyUp = 0x26;
inline constexpr unsigned kKeyRight = 0x27;
inline constexpr unsigned kKeyDown = 0x28;

// A picture owned by a link. The core does not know what the handle is;
// whoever makes the picture says how to free it.
class LinkImage {
public:
    using Deleter = void (*)(void*);

    LinkImage() = default;
    LinkImage(void* handle, Deleter deleter) : handle_(handle), deleter_(deleter) {}
    LinkImage(const LinkImage&) = delete;
    LinkImage& operator=(const LinkImage&) = delete;
    LinkImage(LinkImage&& other) noexcept { swap(other); }
    LinkImage& operator=(LinkImage&& other) noexcept {
        LinkImage moved(std::move(other));
        swap(moved);
        return *this;
    }
    ~LinkImage() { reset(); }

    void reset(void* handle = nullptr, Deleter deleter = nullptr) {
        if (handle_ && deleter_) deleter_(handle_);
        handle_ = handle;
        deleter_ = deleter;
    }
    void* get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    void swap(LinkImage& other) noexcept {
        std::swap(handle_, other.handle_);
        std::swap(deleter_, other.deleter_);
    }
    void* handle_ = nullptr;
    Deleter deleter_ = nullptr;
};

struct Link {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::optional<std::string> caption;
    std::optional<std::string> target;
    std::optional<std::string> image_path;
    LinkImage image;
    std::int32_t image_width = 0;
    std::int32_t image_height = 0;
    Color transparent_color = kMagenta;
    bool selected = false;
    bool root_relative = false;
    bool close_on_activate = false;
    bool custom_image = false;
};

// The caption a path gives: its last component ("\" for a drive root).
std::string caption_from_path(std::string_view path);

// The target with the drive root in front when it is root-relative.
std::string full_target(const Link& link, std::string_view drive_root);

class LinkList {
public:
    using iterator = std::list<Link>::iterator;
    using const_iterator = std::list<Link>::const_iterator;

    Link& append_new();
    Link& append_from_path(std::string_view path, std::string_view drive_root);
    bool remove(const Link* link);
    void move_to_end(const Link* link);
    int count() const { return static_cast<int>(links_.size()); }
    Link* at(int index);
    Link* find_at(int x, int y);
    // The last link whose hit square holds the client point (px, py).
    Link* hit_test(int px, int py, int header_height);
    Link* selected_link();
    bool select_only(const Link* link);
    // The nearest link in the arrow key's direction; on the grid only
    // whole cells away count.
    Link* neighbour(unsigned direction_key, const Link* from, bool on_grid);
    int max_x() const;
    int max_y() const;
    // Negative values become 0; on the grid the value snaps down to a cell.
    static Link& set_x(Link& link, int value, bool on_grid);
    static Link& set_y(Link& link, int value, bool on_grid);
    static void set_caption(Link& link, std::optional<std::string_view> text);
    // A path on the drive at drive_root (its letter in either case) is
    // stored without its drive prefix and marked root-relative.
    static void set_target(Link& link, std::optional<std::string_view> path, std::string_view drive_root);
    // With auto_arrange, moves links that share a cell to free ones; true
    // when any link moved. Without it nothing happens.
    bool resolve_overlaps(int client_width, int client_height, const LinkGrid& grid);
    void clear();

    iterator begin() { return links_.begin(); }
    iterator end() { return links_.end(); }
    const_iterator begin() const { return links_.begin(); }
    const_iterator end() const { return links_.end(); }

private:
    iterator find_link(const Link* link);
    void destroy_link(iterator position);

    // std::list keeps every link's address while others come and go.
    std::list<Link> links_;
};

}  // namespace qb

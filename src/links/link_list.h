#pragma once
// The desktop's links: captions, targets relative to the drive root,
// positions on the work area and the geometry rules every other part
// relies on. List order is z-order, hit-test order and save order.
#include <cstdint>
#include <list>
#include <memory>
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
// whoever makes the picture says how to free it. Links of one file type
// may share one picture (it is never drawn into once made): it is freed
// with its last owner. Whatever is made from the picture to draw it
// faster (its companion) is kept and freed with it.
class LinkImage {
public:
    using Deleter = void (*)(void*);

    LinkImage() = default;
    LinkImage(void* handle, Deleter deleter) { reset(handle, deleter); }
    LinkImage(const LinkImage&) = delete;
    LinkImage& operator=(const LinkImage&) = delete;
    LinkImage(LinkImage&& other) noexcept = default;
    LinkImage& operator=(LinkImage&& other) noexcept = default;
    ~LinkImage() = default;

    void reset(void* handle = nullptr, Deleter deleter = nullptr) {
        picture_.reset();
        if (handle) picture_ = std::make_shared<Picture>(handle, deleter);
    }
    void* get() const { return picture_ ? picture_->handle : nullptr; }
    explicit operator bool() const { return picture_ != nullptr; }

    // One more owner of the same picture.
    LinkImage share() const {
        LinkImage other;
        other.picture_ = picture_;
        return other;
    }

    void* companion() const { return picture_ ? picture_->companion : nullptr; }
    // Replaces the companion (the old one is freed); nothing without a picture.
    void set_companion(void* data, Deleter deleter) const {
        if (!picture_) {
            if (data && deleter) deleter(data);
            return;
        }
        picture_->free_companion();
        picture_->companion = data;
        picture_->companion_deleter = deleter;
    }

    // Tells later whether a link still shows this very picture: another
    // picture made at the same address does not match.
    class Token {
    public:
        bool matches(const LinkImage& image) const {
            if (!had_picture_) return image.picture_ == nullptr;
            return image.picture_ != nullptr && picture_.lock() == image.picture_;
        }

    private:
        friend class LinkImage;
        std::weak_ptr<void> picture_;
        bool had_picture_ = false;
    };
    Token token() const {
        Token t;
        t.picture_ = picture_;
        t.had_picture_ = picture_ != nullptr;
        return t;
    }

private:
    struct Picture {
        Picture(void* h, Deleter d) : handle(h), deleter(d) {}
        Picture(const Picture&) = delete;
        Picture& operator=(const Picture&) = delete;
        ~Picture() {
            free_companion();
            if (deleter) deleter(handle);
        }
        void free_companion() {
            if (companion && companion_deleter) companion_deleter(companion);
            companion = nullptr;
            companion_deleter = nullptr;
        }
        void* handle;
        Deleter deleter;
        void* companion = nullptr;
        Deleter companion_deleter = nullptr;
    };
    std::shared_ptr<Picture> picture_;
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
    // The look-up whose picture this link waits for (0: none); a picture
    // set otherwise meanwhile cancels the wait.
    std::uint32_t picture_request = 0;
};

// A window of `width` x `height` (its whole size: the work area is
// smaller): whether a link may show in it at all. Generous by a cell or
// two, which its picture and its caption lines never reach past.
struct LinkView {
    int width = 0;
    int height = 0;
    bool may_show(const Link& link) const {
        // In 64 bits: a stored size may be as large as an int holds.
        const std::int64_t x = link.x, y = link.y;
        return x < std::int64_t{width} + kCellSize && y < std::int64_t{height} + kCellSize && x > -2 * kCellSize &&
               y > -2 * kCellSize;
    }
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

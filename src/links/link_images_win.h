#pragma once
// The pictures of links: the target's shell icon drawn into a 32 x 32
// bitmap, a bitmap file, or the theme's default picture.
#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "common/transparent_masks_win.h"
#include "links/icon_cache_win.h"
#include "links/icon_source.h"
#include "links/link_list.h"

namespace qb {

// Pictures that links made in one go (the links of data.qb at start-up)
// share: the shell icon of a file type whose icon does not depend on the
// file (see icon_source.h), asked for once; and a bitmap file, loaded
// once. Each is freed with the last link that shows it.
class SharedPictures {
public:
    // The type whose icon `path` shares, or "" when its icon is its own
    // (also for folders and for types the registry gives icons per file).
    const std::string& icon_type(const std::string& path);
    // Whether the shell's icon of `path` is the file's own first icon (a
    // program's), which can be taken from the file directly.
    bool icon_is_files_first(const std::string& path);

    // The key under which the cache keeps the path's picture (icon_cache.h);
    // "" when its picture is looked up every time (a reparse point, an
    // offline file, a path gone). `type` is icon_type(path).
    std::string picture_key(const std::string& path, const std::string& type);
    // What the system says of the file at `path`; none when it is not
    // there. Each link's target is asked several questions in a row, and
    // on a stick every look at a file costs: the last answer is kept.
    const WIN32_FILE_ATTRIBUTE_DATA* file_facts(const std::string& path);

    std::map<std::string, LinkImage> icons;  // by type
    std::map<std::string, LinkImage> files;  // by full path
    // Icons are taken from here when their keys match, and kept here when
    // looked up; none: every icon is looked up.
    IconCacheRun* cache = nullptr;
    std::string drive_root;  // the keys' paths are relative to it

private:
    // What the registry says of the type, read once.
    const std::pair<const std::string, FileTypeFacts>& registered(const std::string& type);

    std::map<std::string, FileTypeFacts> types_;
    std::string none_;
    std::string facts_path_;
    std::optional<WIN32_FILE_ATTRIBUTE_DATA> facts_;
};

// A picture to look up: the link's target, the key its picture is kept
// under ("" when it is not kept), the type whose icon it shares ("" when
// its own) and whether the file's own first icon is its picture.
struct IconLookup {
    std::string path;
    std::string key;
    std::string type;
    bool files_first = false;
};

// Shows the path's icon when this start knows it already (a type's icon
// asked for before, or a picture of the cache); otherwise leaves the
// picture as it is and says what to look up.
std::optional<IconLookup> show_known_icon(Link& link, const std::string& path, HWND window, SharedPictures& shared);

// The icon of the path drawn at 32 x 32 on black, as a link shows it, in
// pixels as the picture bitmap holds them; none when the shell has no
// icon. `own` tells whether the file itself had it. Safe on any thread
// (COM started there as the shell needs).
std::optional<PicturePixels> look_up_icon_pixels(const std::string& path, bool files_first, bool* own = nullptr);

// A picture made from such pixels, with its masks; shown on a link, the
// wait for its look-up ends.
LinkImage icon_picture_from_pixels(const PicturePixels& pixels, HWND window);
void show_looked_up_icon(Link& link, const LinkImage& picture);

// Replaces the link's picture by the path's shell icon (black is
// transparent); the theme's default picture (a bitmap file) when the
// shell has none. A path shorter than 2 characters leaves the picture as
// it is. With `shared`, a type's icon is asked for once, and with its
// cache an icon whose key matches is taken from there.
void make_icon_image(Link& link, const std::string& path, HWND window, const std::string& default_picture,
                     SharedPictures* shared = nullptr);
// Replaces the link's picture by the bitmap file folder + rest (magenta
// transparent) and remembers its full path.
void load_image_file(Link& link, const std::string& folder, const std::string& rest,
                     SharedPictures* shared = nullptr);
// The theme's default picture, the file `default_picture`.
void load_default_image(Link& link, const std::string& default_picture, SharedPictures* shared = nullptr);

// The default picture of the theme in `theme_folder`.
std::string default_picture_path(const std::string& theme_folder);

// A link picture that owns `bitmap` (deleted with the link).
LinkImage owned_link_bitmap(HBITMAP bitmap);

// The masks that draw the link's picture, made with it; none when it has
// none or they were made for another transparent colour.
const TransparentMasks* link_picture_masks(const Link& link);

inline constexpr int kIconImageSize = 32;

}  // namespace qb

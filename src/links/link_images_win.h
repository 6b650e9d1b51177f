#pragma once
// The pictures of links: the target's shell icon drawn into a 32 x 32
// bitmap, a bitmap file, or the theme's default picture.
#include <windows.h>

#include <string>

#include "links/link_list.h"

namespace qb {

// Replaces the link's picture by the path's shell icon (black is
// transparent); the theme's default picture (a bitmap file) when the
// shell has none. A path shorter than 2 characters leaves the picture as
// it is.
void make_icon_image(Link& link, const std::string& path, HWND window, const std::string& default_picture);
// Replaces the link's picture by the bitmap file folder + rest (magenta
// transparent) and remembers its full path.
void load_image_file(Link& link, const std::string& folder, const std::string& rest);
// The theme's default picture, the file `default_picture`.
void load_default_image(Link& link, const std::string& default_picture);

// The default picture of the theme in `theme_folder`.
std::string default_picture_path(const std::string& theme_folder);

// A link picture that owns `bitmap` (deleted with the link).
LinkImage owned_link_bitmap(HBITMAP bitmap);

inline constexpr int kIconImageSize = 32;

}  // namespace qb

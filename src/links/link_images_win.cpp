#include "links/link_images_win.h"

#include <shellapi.h>

#include "common/bitmap_file_win.h"
#include "common/win_handles_win.h"

namespace qb {

namespace {

void delete_link_bitmap(void* handle) {
    DeleteObject(static_cast<HGDIOBJ>(handle));
    count_handle_closed();
}

}  // namespace

LinkImage owned_link_bitmap(HBITMAP bitmap) {
    if (bitmap == nullptr) return {};
    count_handle_opened();
    return LinkImage(bitmap, &delete_link_bitmap);
}

void make_icon_image(Link& link, const std::string& path, HWND window, const std::string& default_picture) {
    if (path.size() < 2) return;
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON) || info.hIcon == nullptr) {
        load_default_image(link, default_picture);
        return;
    }
    // The picture is a copy; the shell's icon is not needed afterwards.
    UniqueIcon icon(info.hIcon);
    link.image.reset();

    WindowDc window_dc(window);
    UniqueBitmap bitmap(CreateCompatibleBitmap(window_dc.get(), kIconImageSize, kIconImageSize));
    {
        BitmapDc memory(window_dc.get(), bitmap.get());
        PatBlt(memory.get(), 0, 0, kIconImageSize, kIconImageSize, BLACKNESS);
        SetStretchBltMode(memory.get(), COLORONCOLOR);
        DrawIconEx(memory.get(), 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
    }
    link.transparent_color = kBlack;
    link.image = owned_link_bitmap(bitmap.release());
    link.image_width = link.image ? kIconImageSize : 0;
    link.image_height = link.image ? kIconImageSize : 0;
}

void load_image_file(Link& link, const std::string& folder, const std::string& rest) {
    const std::string path = folder + rest;
    link.image.reset();
    link.image_width = link.image_height = 0;
    HBITMAP bitmap = load_bitmap_file(path);
    BITMAP size{};
    if (bitmap && GetObjectA(bitmap, sizeof size, &size)) {
        link.image_width = size.bmWidth;
        link.image_height = size.bmHeight;
    }
    link.image = owned_link_bitmap(bitmap);
    link.transparent_color = kMagenta;
    link.image_path = path;
}

void load_default_image(Link& link, const std::string& default_picture) { load_image_file(link, "", default_picture); }

std::string default_picture_path(const std::string& theme_folder) { return theme_folder + "\\DefaultProgram.bmp"; }

}  // namespace qb

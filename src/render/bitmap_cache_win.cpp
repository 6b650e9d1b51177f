#include "render/bitmap_cache_win.h"

#include <utility>

#include "common/bitmap_file_win.h"
#include "common/wide_text_win.h"

namespace qb {

void BitmapEntry::set_bitmap(HBITMAP new_bitmap) {
    bitmap.reset(new_bitmap);
    width = height = 0;
    BITMAP info{};
    if (new_bitmap && GetObjectW(new_bitmap, sizeof info, &info)) {
        width = info.bmWidth;
        height = info.bmHeight;
    }
}

BitmapEntry& BitmapCache::append(const char* name) {
    ++generation_;
    BitmapEntry& entry = entries_.emplace_back();
    entry.name = name;
    return entry;
}

void BitmapCache::add_from_resource(HMODULE module, const char* name) {
    if (name == nullptr) return;
    BitmapEntry& entry = append(name);
    entry.set_bitmap(static_cast<HBITMAP>(
        LoadImageW(module, to_wide(name).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_COPYFROMRESOURCE)));
}

void BitmapCache::add_from_file(const char* path, const char* name) {
    BitmapEntry& entry = append(name ? name : "");
    if (path == nullptr) return;
    entry.set_bitmap(load_bitmap_file(path));
}

void BitmapCache::remove(std::string_view name) {
    ++generation_;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->name == name) {
            entries_.erase(it);
            return;
        }
    }
}

BitmapEntry* BitmapCache::find(std::string_view name) {
    // Whoever may change an entry counts as changing it.
    ++generation_;
    return const_cast<BitmapEntry*>(std::as_const(*this).find(name));
}

const BitmapEntry* BitmapCache::find(std::string_view name) const {
    for (const BitmapEntry& entry : entries_) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

HBITMAP BitmapCache::bitmap_of(std::string_view name) const {
    const BitmapEntry* entry = find(name);
    return entry ? entry->bitmap.get() : nullptr;
}

void BitmapCache::draw(HDC dc, std::string_view name, int x, int y) const {
    const BitmapEntry* entry = find(name);
    if (entry == nullptr || !entry->bitmap) return;
    BitmapDc source(dc, entry->bitmap.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    BitBlt(dc, x, y, entry->width, entry->height, source.get(), 0, 0, SRCCOPY);
}

void BitmapCache::clear() {
    ++generation_;
    entries_.clear();
}

}  // namespace qb

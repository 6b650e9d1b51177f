#pragma once
// Every bitmap the program draws other than the links' own pictures,
// found by name: skin parts from the theme folder, status images from
// data.dll, and the composed skin images. A missing name draws nothing.
#include <windows.h>

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

#include "common/win_handles_win.h"

namespace qb {

struct BitmapEntry {
    UniqueBitmap bitmap;
    std::string name;
    int width = 0;
    int height = 0;

    // Takes `bitmap` (replacing the old one) and reads its size.
    void set_bitmap(HBITMAP new_bitmap);
};

class BitmapCache {
public:
    // Appends an entry and loads the module's bitmap resource of that name.
    void add_from_resource(HMODULE module, const char* name);
    // Appends an entry and loads the bitmap file; a null path, or a file
    // that is not a sound picture, leaves it empty.
    void add_from_file(const char* path, const char* name);
    // Unlinks and destroys the first entry of that name.
    void remove(std::string_view name);
    // The first entry of that name (names are exact, case-sensitive).
    BitmapEntry* find(std::string_view name);
    const BitmapEntry* find(std::string_view name) const;
    HBITMAP bitmap_of(std::string_view name) const;
    // Copies the whole bitmap to (x, y); nothing for a missing one.
    void draw(HDC dc, std::string_view name, int x, int y) const;
    void clear();
    std::size_t size() const { return entries_.size(); }
    // Grows at every change of the cache and every look-up that may
    // change an entry, so a drawing made from the cache can tell it is old.
    std::uint64_t generation() const { return generation_; }

private:
    BitmapEntry& append(const char* name);
    std::list<BitmapEntry> entries_;  // insertion order
    std::uint64_t generation_ = 0;
};

}  // namespace qb

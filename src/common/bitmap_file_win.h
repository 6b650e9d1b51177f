#pragma once
// Pictures loaded from .bmp files on the drive, through the checking
// reader: a damaged or hostile file gives no picture, never a fault.
#include <windows.h>

#include <string>

namespace qb {

// A DIB section with the picture of the .bmp file at `path` (the caller
// owns it); null when the file is missing, a folder, unreadable or not a
// picture the reader accepts.
HBITMAP load_bitmap_file(const std::string& path);

}  // namespace qb

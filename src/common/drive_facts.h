#pragma once
// What the status panel shows about the drive, and the height of the
// title strip that all window geometry is measured from.
#include <cstdint>
#include <string>

namespace qb {

inline constexpr int kMinHeaderHeight = 25;
// The shown label when the drive has none or it cannot be read.
inline constexpr const wchar_t* kDefaultVolumeLabel = L"Quillobrante";

struct DriveFacts {
    double total_mb = 0.0;  // megabytes with a fraction; 0 without an answer
    double free_mb = 0.0;
    std::uint32_t drive_type = 0;  // GetDriveType of the drive root
    // Shown only, never stored: kept as the system gives it, so a label
    // that code page 1251 cannot hold still reads right.
    std::wstring volume_label = kDefaultVolumeLabel;
};

// The system caption height, but never less than 25.
int header_height_for_caption(int caption_height);

// The bitmap name of the status image for a GetDriveType value, or
// nullptr for a value that has no image.
const char* drive_type_image_name(std::uint32_t type);

// Megabytes (with a fraction) from a byte count, as the status panel uses them.
double megabytes_from_bytes(std::uint64_t bytes);

}  // namespace qb

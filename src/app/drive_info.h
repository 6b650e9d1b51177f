#pragma once
// What the status panel shows about the drive, and the height of the
// title strip that all window geometry is measured from.
#include <cstdint>
#include <string>

namespace qb {

inline constexpr int kMinHeaderHeight = 25;

// Height of the title strip and of the status strip.
extern std::int16_t header_height;
extern double total_mb;
extern double free_mb;
extern std::uint32_t drive_type;
extern std::string volume_label;
// The shown label when the drive has none or it cannot be read.
inline constexpr const char* kDefaultVolumeLabel = "Quillobrante";

// The system caption height, but never less than 25.
std::int16_t header_height_for_caption(int caption_height);

// The bitmap name of the status image for a GetDriveType value, or
// nullptr for a value that has no image.
const char* drive_type_image_name(std::uint32_t type);

// Megabytes (with a fraction) from a byte count, as the status panel uses them.
double megabytes_from_bytes(std::uint64_t bytes);

}  // namespace qb

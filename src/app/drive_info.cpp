#include "app/drive_info.h"

#include <algorithm>

namespace qb {

std::int16_t header_height = kMinHeaderHeight;
double total_mb = 0.0;
double free_mb = 0.0;
std::uint32_t drive_type = 0;
std::string volume_label = kDefaultVolumeLabel;

std::int16_t header_height_for_caption(int caption_height) {
    return static_cast<std::int16_t>(std::clamp(caption_height, int{kMinHeaderHeight}, 32767));
}

const char* drive_type_image_name(std::uint32_t type) {
    switch (type) {
        case 0:  // DRIVE_UNKNOWN
        case 1:  // DRIVE_NO_ROOT_DIR
            return "DT_UNKN";
        case 2:
            return "DT_FLASH";
        case 3:
            return "DT_HDD";
        case 4:
            return "DT_NET";
        case 5:  // DRIVE_CDROM
        case 6:  // DRIVE_RAMDISK
            return "DT_CDROM";
        default:
            return nullptr;
    }
}

double megabytes_from_bytes(std::uint64_t bytes) {
    return static_cast<double>(bytes / 1024) * (1.0 / 1024.0);
}

}  // namespace qb

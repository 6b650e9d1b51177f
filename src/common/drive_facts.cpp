#include "common/drive_facts.h"

#include <algorithm>

namespace qb {

int header_height_for_caption(int caption_height) { return std::clamp(caption_height, kMinHeaderHeight, 32767); }

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

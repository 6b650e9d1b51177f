#include "app/drive_info_win.h"

#include <windows.h>

#include "app/app_globals_win.h"
#include "app/drive_info.h"
#include "app/program_location.h"
#include "common/fault_guard_win.h"

namespace qb {

void measure_header() { header_height = header_height_for_caption(GetSystemMetrics(SM_CYCAPTION)); }

void locate_program() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(app_instance, path, MAX_PATH);
    set_program_location(location_from_module_path(path));
}

void read_disk_space() {
    total_mb = 0.0;
    free_mb = 0.0;
    ULARGE_INTEGER available{}, total{}, total_free{};
    if (!GetDiskFreeSpaceExA(drive_root.c_str(), &available, &total, &total_free)) return;
    total_mb = megabytes_from_bytes(total.QuadPart);
    free_mb = megabytes_from_bytes(total_free.QuadPart);
}

void read_disk_space_guarded() {
    if (!run_guarded([](void*) { read_disk_space(); }, nullptr)) {
        total_mb = 1.0;
        free_mb = 1.0;
    }
}

void read_drive_info() {
    read_disk_space_guarded();
    drive_type = GetDriveTypeA(drive_root.c_str());
    char label[MAX_PATH] = {};
    if (GetVolumeInformationA(drive_root.c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0) &&
        label[0] != '\0') {
        volume_label = label;
    } else {
        volume_label = kDefaultVolumeLabel;
    }
}

}  // namespace qb

#include "common/drive_facts_win.h"

#include <windows.h>

#include "common/fault_guard_win.h"
#include "common/wide_text_win.h"

namespace qb {

namespace {

// Only plain values: the query runs under the fault guard.
struct SpaceQuery {
    const wchar_t* root;
    ULARGE_INTEGER total;
    ULARGE_INTEGER total_free;
    bool answered;
};

void query_disk_space(SpaceQuery& query) {
    ULARGE_INTEGER available{};
    query.answered = GetDiskFreeSpaceExW(query.root, &available, &query.total, &query.total_free) != FALSE;
}

void take_answer(const SpaceQuery& query, DriveFacts& facts) {
    facts.total_mb = query.answered ? megabytes_from_bytes(query.total.QuadPart) : 0.0;
    facts.free_mb = query.answered ? megabytes_from_bytes(query.total_free.QuadPart) : 0.0;
}

}  // namespace

int measure_header() { return header_height_for_caption(GetSystemMetrics(SM_CYCAPTION)); }

void read_disk_space(const std::string& drive_root, DriveFacts& facts) {
    const std::wstring root = to_wide(drive_root);
    SpaceQuery query{root.c_str(), {}, {}, false};
    query_disk_space(query);
    take_answer(query, facts);
}

void read_disk_space_guarded(const std::string& drive_root, DriveFacts& facts) {
    const std::wstring root = to_wide(drive_root);
    SpaceQuery query{root.c_str(), {}, {}, false};
    if (!run_guarded(&query_disk_space, query)) {
        facts.total_mb = 1.0;
        facts.free_mb = 1.0;
        return;
    }
    take_answer(query, facts);
}

DriveFacts read_drive_info(const std::string& drive_root) {
    DriveFacts facts;
    read_disk_space_guarded(drive_root, facts);
    const std::wstring root = to_wide(drive_root);
    facts.drive_type = GetDriveTypeW(root.c_str());
    wchar_t label[MAX_PATH + 1] = {};
    if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
        label[0] != L'\0') {
        facts.volume_label = label;
    }
    return facts;
}

}  // namespace qb

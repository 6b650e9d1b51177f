#pragma once
// The drive figures and the title strip's height, asked of Windows.
#include <string>

#include "common/drive_facts.h"

namespace qb {

// The system caption height, at least 25.
int measure_header();
// Space, type and label of the drive at `drive_root` ("E:\").
DriveFacts read_drive_info(const std::string& drive_root);
// Total and free space only; 0 and 0 when the system gives no answer.
void read_disk_space(const std::string& drive_root, DriveFacts& facts);
// read_disk_space with the fault guard: a fault sets both figures to 1.0.
void read_disk_space_guarded(const std::string& drive_root, DriveFacts& facts);

}  // namespace qb

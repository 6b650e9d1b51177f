#pragma once
// Where the program is and what its drive is, asked of Windows.
namespace qb {

void measure_header();
void locate_program();
// Space, type and label of the program's drive.
void read_drive_info();
// Total and free space only; 0 and 0 when the system gives no answer.
void read_disk_space();
// read_disk_space with the fault guard: a fault sets both figures to 1.0.
void read_disk_space_guarded();

}  // namespace qb

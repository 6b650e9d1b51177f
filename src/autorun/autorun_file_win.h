#pragma once
// The drive's autorun.inf.
namespace qb {

// Compares autorun.inf with this program and records the findings in
// autorun_state, for the hints.
void check_autorun_file();

// Makes autorun.inf in the drive root read-only and system, so that it is
// not changed or removed by accident; a missing file is left alone.
void protect_autorun_file();

}  // namespace qb

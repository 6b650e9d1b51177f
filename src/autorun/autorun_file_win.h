#pragma once
// The drive's autorun.inf.
#include <cstdint>
#include <string>

namespace qb {

// Compares autorun.inf in the drive root with this program; the findings
// as autorun state bits.
std::uint16_t check_autorun_file(const std::string& drive_root);

// Makes autorun.inf in the drive root read-only and system, so that it is
// not changed or removed by accident; a missing file is left alone.
void protect_autorun_file(const std::string& drive_root);

}  // namespace qb

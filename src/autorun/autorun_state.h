#pragma once
// Findings of the last check of the drive's autorun.inf.
#include <cstdint>

namespace qb {

inline constexpr std::uint16_t kAutorunMissing = 1;
inline constexpr std::uint16_t kAutorunForeign = 2;
inline constexpr std::uint16_t kAutorunWrongTarget = 4;

extern std::uint16_t autorun_state;
}  // namespace qb

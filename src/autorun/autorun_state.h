#pragma once
// Findings of a check of the drive's autorun.inf, as bits.
#include <cstdint>

namespace qb {

inline constexpr std::uint16_t kAutorunMissing = 1;
inline constexpr std::uint16_t kAutorunForeign = 2;
inline constexpr std::uint16_t kAutorunWrongTarget = 4;

}  // namespace qb

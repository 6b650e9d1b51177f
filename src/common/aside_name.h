#pragma once
// Names for a file that must be kept out of the way but never destroyed:
// "data.qb.unread", then "data.qb.unread2", "data.qb.unread3" and so on.
#include <string>
#include <string_view>

namespace qb {

// How many names are tried before giving up (the file then stays put).
inline constexpr int kMaxAsideNames = 1000;

// The attempt-th name (from 1) for moving `path` aside.
std::string aside_name(std::string_view path, int attempt);

}  // namespace qb

#pragma once
// Which names the new-programs search counts as programs.
#include <string_view>

namespace qb {

// True when the part of the name from its last "." begins with ".exe" in
// any letter case: a.EXE and c.exe1 count, d.exe.txt, e and f.com do not.
bool is_executable_name(std::string_view name);

}  // namespace qb

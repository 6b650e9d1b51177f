#pragma once
// How the per-user autorun policy value is judged. The value excludes one
// drive type from autorun per bit of its first byte; the program wants it
// to exclude none.
#include <string_view>

namespace qb {

inline constexpr const char* kAutorunPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr const char* kAutorunPolicyValue = "NoDriveTypeAutoRun";
// Data longer than this is not a policy value the program understands.
inline constexpr unsigned kPolicyBufferBytes = 15;

// How reading the value went.
enum class PolicyQuery { Read, NotFound, Failed };

enum class PolicyFinding {
    InOrder,         // the first byte is 0: no drive type excluded
    ValueMissing,    // no such value under the key
    ExcludesDrives,  // a first byte other than 0, or no data at all
    Unreadable,      // the registry refused, or the data is too long
};

PolicyFinding judge_autorun_policy(PolicyQuery query, std::string_view data);

}  // namespace qb

#pragma once
// Settings files of the "[section]" and "key=value" kind (Theme.ini,
// autorun.inf), read and edited as code page 1251 bytes. The system's
// profile functions read a file without a byte-order mark in the
// machine's own code page and write it back in it; these keep the bytes
// a Russian Windows writes on any machine. Work is linear in the text.
#include <optional>
#include <string>
#include <string_view>

namespace qb {

// The value of `key` in the first `section`, as the profile functions
// give it: names match letter case aside and without surrounding blanks;
// the value loses its surrounding blanks and one pair of enclosing
// quotes. None when the section or the key is missing.
std::optional<std::string> profile_value(std::string_view text, std::string_view section, std::string_view key);

// `text` with `key` of `section` set to `value`. Only the key's line
// changes; a missing key is added after the section's last line, a
// missing section at the end. Every other byte stays.
std::string with_profile_value(std::string_view text, std::string_view section, std::string_view key,
                               std::string_view value);

}  // namespace qb

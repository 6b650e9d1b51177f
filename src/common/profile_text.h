#pragma once
// Settings files of the "[section]" and "key=value" kind (Theme.ini,
// autorun.inf), read and edited as code page 1251 bytes. The system's
// profile functions read a file without a byte-order mark in the
// machine's own code page and write it back in it; these keep the bytes
// a Russian Windows writes on any machine. Work is linear in the text.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// How a file's bytes hold its text. Without a byte-order mark it is code
// page 1251, byte for byte; Notepad's "Unicode" (UTF-16, little-endian or
// big-endian) and "UTF-8" with their marks are kept so too.
enum class ProfileEncoding { CodePage1251, Utf8, Utf16LittleEndian, Utf16BigEndian };

// A profile file's text to read and edit with the functions above: the
// bytes themselves for code page 1251, else UTF-8 (UTF-16 is carried over
// unit for unit, a lone surrogate too), so that every name and value the
// program reads and writes, which are ASCII, is found in either.
struct ProfileFile {
    std::string text;
    ProfileEncoding encoding = ProfileEncoding::CodePage1251;
    // The last byte of a UTF-16 file of odd length, kept as it was.
    std::optional<std::uint8_t> odd_byte;
};

// Never fails: every file decodes, and encoding what was decoded gives
// back the same bytes; an edited text is written in the file's encoding.
ProfileFile decode_profile_file(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode_profile_file(const ProfileFile& file);

}  // namespace qb

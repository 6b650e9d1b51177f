#pragma once
// The byte encoding shared by data.qb and files.dat: 3-byte big-endian
// unsigned integers, "1"/"0" flag bytes and length-prefixed strings.
// The reader never trusts a length: it stops at the end of its bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

inline constexpr std::uint32_t kMaxStoredInteger = 0xFFFFFF;
// A stored string keeps at most this many bytes; the reader's buffer is
// 1024 bytes with room for the terminator.
inline constexpr std::size_t kMaxStoredString = 1023;

struct StoredString {
    std::uint32_t declared_length = 0;  // the length field as stored
    std::string text;                   // the bytes actually kept
    bool complete = true;               // all declared bytes were present
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // 0 when fewer than 3 bytes remain (those bytes are consumed).
    std::uint32_t read_integer();
    // Exactly "1" is true; anything else, or no byte, is false.
    bool read_flag();
    // Keeps the first kMaxStoredString bytes and skips the rest of the
    // string's bytes, so that the fields after it stay aligned.
    StoredString read_string();
    // Skips up to n bytes; returns how many were there.
    std::size_t skip(std::size_t n);

    std::size_t remaining() const { return bytes_.size() - position_; }
    bool at_end() const { return remaining() == 0; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

class ByteWriter {
public:
    // Negative values are written as 0; larger ones keep their low 24 bits.
    void write_integer(std::int64_t value);
    void write_flag(bool value);
    // Writes at most kMaxStoredInteger bytes, so the length always matches.
    void write_string(std::string_view text);
    void write_raw(std::string_view bytes);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace qb

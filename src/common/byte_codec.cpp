#include "common/byte_codec.h"

#include <algorithm>

namespace qb {

std::uint32_t ByteReader::read_integer() {
    if (remaining() < 3) {
        position_ = bytes_.size();
        return 0;
    }
    std::uint32_t value = (std::uint32_t{bytes_[position_]} << 16) |
                          (std::uint32_t{bytes_[position_ + 1]} << 8) |
                          std::uint32_t{bytes_[position_ + 2]};
    position_ += 3;
    return value;
}

bool ByteReader::read_flag() {
    if (at_end()) return false;
    return bytes_[position_++] == '1';
}

StoredString ByteReader::read_string() {
    StoredString result;
    result.declared_length = read_integer();
    std::size_t available = std::min<std::size_t>(result.declared_length, remaining());
    std::size_t kept = std::min(available, kMaxStoredString);
    const char* first = reinterpret_cast<const char*>(bytes_.data() + position_);
    result.text.assign(first, kept);
    position_ += available;
    result.complete = available == result.declared_length;
    return result;
}

std::size_t ByteReader::skip(std::size_t n) {
    std::size_t taken = std::min(n, remaining());
    position_ += taken;
    return taken;
}

void ByteWriter::write_integer(std::int64_t value) {
    std::uint32_t stored = value < 0 ? 0u : static_cast<std::uint32_t>(value) & kMaxStoredInteger;
    bytes_.push_back(static_cast<std::uint8_t>(stored >> 16));
    bytes_.push_back(static_cast<std::uint8_t>(stored >> 8));
    bytes_.push_back(static_cast<std::uint8_t>(stored));
}

void ByteWriter::write_flag(bool value) { bytes_.push_back(value ? '1' : '0'); }

void ByteWriter::write_string(std::string_view text) {
    std::size_t length = std::min<std::size_t>(text.size(), kMaxStoredInteger);
    write_integer(static_cast<std::int64_t>(length));
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

void ByteWriter::write_raw(std::string_view bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

}  // namespace qb

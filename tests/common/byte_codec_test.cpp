#include <gtest/gtest.h>

#include <vector>

#include "common/byte_codec.h"

namespace qb {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ByteCodec, IntegersAreThreeBytesBigEndian) {
    ByteWriter out;
    out.write_integer(400);
    out.write_integer(16777215);
    out.write_integer(-5);          // negative values are stored as 0
    out.write_integer(0x01234567);  // only the low 24 bits fit
    EXPECT_EQ(out.bytes(), (Bytes{0x00, 0x01, 0x90, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x23, 0x45, 0x67}));

    const Bytes stored{0x00, 0x01, 0x2C, 0xFF, 0x00, 0x01, 0x01, 0x02};
    ByteReader in(stored);
    EXPECT_EQ(in.read_integer(), 300u);
    EXPECT_EQ(in.read_integer(), 0xFF0001u);
    EXPECT_EQ(in.read_integer(), 0u);  // two bytes are not an integer, and are used up
    EXPECT_TRUE(in.at_end());
}

TEST(ByteCodec, OnlyTheDigitOneIsTrue) {
    ByteWriter out;
    out.write_flag(true);
    out.write_flag(false);
    EXPECT_EQ(out.bytes(), (Bytes{'1', '0'}));

    const Bytes flags{'1', '0', 'Y', 0x01};
    ByteReader in(flags);
    EXPECT_TRUE(in.read_flag());
    EXPECT_FALSE(in.read_flag());
    EXPECT_FALSE(in.read_flag());
    EXPECT_FALSE(in.read_flag());
    EXPECT_FALSE(in.read_flag());  // a missing byte is false
}

TEST(ByteCodec, StringsCarryTheirLength) {
    ByteWriter out;
    out.write_string("a.txt");
    out.write_string("");
    out.write_integer(9);
    out.write_raw("abc");
    EXPECT_EQ(out.bytes(), (Bytes{0, 0, 5, 'a', '.', 't', 'x', 't', 0, 0, 0, 0, 0, 9, 'a', 'b', 'c'}));

    ByteReader in(out.bytes());
    const StoredString whole = in.read_string();
    EXPECT_EQ(whole.text, "a.txt");
    EXPECT_TRUE(whole.complete);
    const StoredString empty = in.read_string();
    EXPECT_EQ(empty.text, "");
    EXPECT_EQ(empty.declared_length, 0u);
    // Cut short by the end: what is there is kept.
    const StoredString cut = in.read_string();
    EXPECT_EQ(cut.text, "abc");
    EXPECT_EQ(cut.declared_length, 9u);
    EXPECT_FALSE(cut.complete);
    EXPECT_TRUE(in.at_end());
}

TEST(ByteCodec, OverlongStringKeeps1023BytesAndStaysAligned) {
    Bytes file{0x00, 0x05, 0xDC};  // 1500
    for (int i = 0; i < 1500; ++i) file.push_back(static_cast<std::uint8_t>('a' + i % 26));
    file.insert(file.end(), {0x00, 0x00, 0x2A, '1'});

    ByteReader in(file);
    const StoredString s = in.read_string();
    EXPECT_EQ(s.declared_length, 1500u);
    ASSERT_EQ(s.text.size(), 1023u);
    EXPECT_EQ(s.text.substr(0, 3), "abc");
    EXPECT_EQ(s.text.back(), 'a' + 1022 % 26);
    EXPECT_EQ(in.read_integer(), 42u);  // the next field is read from its own bytes
    EXPECT_TRUE(in.read_flag());
    EXPECT_EQ(in.skip(5), 0u);
}

}  // namespace
}  // namespace qb

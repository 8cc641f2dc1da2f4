#include "control/activex/persist/byte_reader.h"

#include <gtest/gtest.h>

namespace tarn::persist {
namespace {

TEST(ByteReader, NeverReadsPastTheEnd) {
    ByteReader in(std::string_view("abc"));
    EXPECT_FALSE(in.Take(4));
    EXPECT_FALSE(in.U32());
    EXPECT_EQ(in.Offset(), 0u);  // a refused read consumes nothing
    EXPECT_EQ(in.Take(3), "abc");
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_FALSE(in.Byte());
    EXPECT_FALSE(in.U16());
    EXPECT_FALSE(in.Take(1));
    EXPECT_EQ(in.Take(0), "");
}

TEST(ByteReader, HugeCountsAreRefusedWithoutWrapping) {
    ByteReader in(std::string_view("abcd"));
    EXPECT_FALSE(in.Take(std::uint64_t{1} << 40));
    EXPECT_FALSE(in.Take(~std::uint64_t{0}));
    EXPECT_EQ(in.Remaining(), 4u);
}

TEST(ByteReader, LittleEndian) {
    ByteReader in(std::string_view("\x01\x02\x03\x04\x05\x06\xFF", 7));
    EXPECT_EQ(in.U16(), 0x0201);
    EXPECT_EQ(in.U32(), 0x06050403u);
    EXPECT_EQ(in.Byte(), 0xFF);
}

}  // namespace
}  // namespace tarn::persist

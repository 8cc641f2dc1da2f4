#include "control/activex/persist/length_prefix.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

namespace tarn::persist {
namespace {

using test::Bytes;

TEST(LengthPrefix, LittleEndianByteCount) {
    auto framed = AddLengthPrefix(std::string(0x0102, 'x'));
    ASSERT_TRUE(framed);
    EXPECT_EQ(framed->substr(0, 4), Bytes({0x02, 0x01, 0x00, 0x00}));
    EXPECT_EQ(framed->size(), 4u + 0x0102);
    EXPECT_EQ(*AddLengthPrefix(""), Bytes({0, 0, 0, 0}));
}

TEST(LengthPrefix, SplitGivesTheStreamAndWhatItConsumed) {
    std::string data = *AddLengthPrefix("abc") + *AddLengthPrefix("de");
    PrefixedStream first = SplitLengthPrefix(data);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.stream, "abc");
    EXPECT_EQ(first.consumed, 7u);
    PrefixedStream second = SplitLengthPrefix(std::string_view(data).substr(first.consumed));
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.stream, "de");
}

TEST(LengthPrefix, ShortPrefixIsTruncated) {
    for (std::size_t n = 0; n < 4; ++n) {
        PrefixedStream p = SplitLengthPrefix(std::string(n, '\0'));
        ASSERT_FALSE(p.ok());
        EXPECT_EQ(p.error->code, StreamErrorCode::Truncated);
    }
}

TEST(LengthPrefix, LengthBeyondTheDataIsAnError) {
    PrefixedStream p = SplitLengthPrefix(Bytes({5, 0, 0, 0}) + "abcd");
    ASSERT_FALSE(p.ok());
    EXPECT_EQ(p.error->code, StreamErrorCode::LengthBeyondEnd);
    p = SplitLengthPrefix(Bytes({0xFF, 0xFF, 0xFF, 0xFF}) + "a");
    ASSERT_FALSE(p.ok());
    EXPECT_EQ(p.error->code, StreamErrorCode::LengthBeyondEnd);
}

}  // namespace
}  // namespace tarn::persist

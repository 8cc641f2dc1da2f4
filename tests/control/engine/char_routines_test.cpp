#include "control/engine/char_routines.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;

TEST(GetByteType, ClassifiesPairsFromTheRunOfLeadBytes) {
    // "aあ" then 0x82 0x82 0xA0: the second 0x82 is the trail of the first.
    std::string s = "a" + B({0x82, 0xA0, 0x82, 0x82, 0xA0});
    EXPECT_EQ(GetByteType(s, 1, false), kSingleByte);
    EXPECT_EQ(GetByteType(s, 2, false), kLeadByte);
    EXPECT_EQ(GetByteType(s, 3, false), kTrailByte);
    EXPECT_EQ(GetByteType(s, 4, false), kLeadByte);
    EXPECT_EQ(GetByteType(s, 5, false), kTrailByte);
    EXPECT_EQ(GetByteType(s, 6, false), kSingleByte);  // 0xA0 after a whole pair
    EXPECT_EQ(GetByteType(s, 0, false), kSingleByte);
    EXPECT_EQ(GetByteType(s, 7, false), kSingleByte);
    for (int i = 0; i <= 7; ++i) EXPECT_EQ(GetByteType(s, i, true), kSingleByte);
}

TEST(GetByteType, TrailBytesThatLookLikeAsciiStayTrailBytes) {
    // 0x95 0x5C ("表") ends in a backslash byte; 0x83 0x40 in "@".
    std::string s = B({0x95, 0x5C, 0x83, 0x40, '\\'});
    EXPECT_EQ(GetByteType(s, 2, false), kTrailByte);
    EXPECT_EQ(GetByteType(s, 4, false), kTrailByte);
    EXPECT_EQ(GetByteType(s, 5, false), kSingleByte);
    EXPECT_TRUE(SplitsCharacter(s, 1, false));
    EXPECT_FALSE(SplitsCharacter(s, 2, false));
    EXPECT_EQ(CharLengthAt(s, 0, false), 2);
    EXPECT_EQ(CharLengthBefore(s, 4, false), 2);
    EXPECT_EQ(CharLengthBefore(s, 5, false), 1);
}

TEST(LineEnds, VisibleTextDropsExactlyTheEnding) {
    EXPECT_EQ(VisibleText("ab\r\n"), "ab");
    EXPECT_EQ(VisibleText("ab" + kNul), "ab");
    EXPECT_EQ(VisibleText("ab"), "ab");
    EXPECT_EQ(VisibleText("\n"), "");
    EXPECT_EQ(VisibleText(""), "");
    EXPECT_TRUE(IsLineTerminated("a\r\n"));
    EXPECT_TRUE(IsLineTerminated(kNul));
    EXPECT_FALSE(IsLineTerminated("a\r"));
    EXPECT_TRUE(HasEofMark("a" + kNul));
    EXPECT_EQ(StripEofMark("a\r\n"), "a\r\n");
    EXPECT_EQ(StripEofMark("a" + kNul), "a");
    int a = 5, b = 2;
    OrderPair(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 5);
}

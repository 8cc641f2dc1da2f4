#include "control/engine/tarn_strings.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;

TEST(TarnStringsSplit, SetTextStrKeepsEachEnding) {
    TTarnStrings s;
    s.SetTextStr("");
    EXPECT_EQ(s.Count(), 0);
    s.SetTextStr("x");
    EXPECT_EQ(LinesOf(s), (V{"x" + kNul}));
    s.SetTextStr("x\r\n");
    EXPECT_EQ(LinesOf(s), (V{"x\r\n"}));
    s.SetTextStr("a\r\nb");
    EXPECT_EQ(LinesOf(s), (V{"a\r\n", "b" + kNul}));
    // A NUL inside ends its line and stays in it.
    s.SetTextStr(std::string("a\0b\r\nc\0", 7));
    EXPECT_EQ(LinesOf(s), (V{"a" + kNul, "b\r\n", "c" + kNul}));
    EXPECT_EQ(s.GetTextStr(), std::string("a\0b\r\nc\0", 7));
}

TEST(TarnStringsSplit, CarriageReturnTakesTheNextByteWhateverItIs) {
    TTarnStrings s;
    s.SetTextStr("a\rxb");
    EXPECT_EQ(LinesOf(s), (V{"a\rx", "b" + kNul}));
    // A final CR takes the text's terminator.
    s.SetTextStr("a\r");
    EXPECT_EQ(LinesOf(s), (V{"a\r" + kNul}));
}

TEST(TarnStringsSplit, InsertTextLeavesTheLastPieceOpen) {
    TTarnStrings s;
    s.SetTextStr("top\r\nend");
    int index = 1;
    s.InsertText(index, "x\r\ny\r\nzz");
    EXPECT_EQ(index, 3);
    EXPECT_EQ(LinesOf(s), (V{"top\r\n", "x\r\n", "y\r\n", "zz", "end" + kNul}));
}

TEST(TarnStringsIndex, RangeErrorsChangeNothing) {
    TTarnStrings s;
    s.SetTextStr("a\r\nb");
    EXPECT_THROW(s.Get(2), ERangeError);
    EXPECT_THROW(s.Get(-1), ERangeError);
    EXPECT_THROW(s.Put(2, "x"), ERangeError);
    EXPECT_THROW(s.Delete(2), ERangeError);
    EXPECT_THROW(s.Insert(3, "x"), ERangeError);
    EXPECT_THROW(s.SetCount(-1), ERangeError);
    EXPECT_THROW(s.SetCapacity(1), ERangeError);
    EXPECT_THROW(s.SetCapacity(TTarnStrings::kMaxCount + 1), ERangeError);
    EXPECT_EQ(LinesOf(s), (V{"a\r\n", "b" + kNul}));
    s.Insert(2, "c");  // index = count appends
    EXPECT_EQ(s.Get(2), "c");
    try {
        s.Get(9);
        FAIL();
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "インデックスがリストの範囲を超えています");
    }
}

TEST(TarnStringsGrowth, GrowsByAnEighthOfAPercentOrThirtyTwo) {
    TTarnStrings s;
    s.SetCapacity(32);
    for (int i = 0; i < 32; ++i) s.Add("x");
    EXPECT_EQ(s.Capacity(), 32);
    s.Add("x");
    EXPECT_EQ(s.Capacity(), 64);

    TTarnStrings big;
    big.SetCapacity(4096);
    big.SetCount(4096);
    big.Add("x");
    EXPECT_EQ(big.Capacity(), 4096 + 32);
    TTarnStrings bigger;
    bigger.SetCapacity(8192);
    bigger.SetCount(8192);
    bigger.Add("x");
    EXPECT_EQ(bigger.Capacity(), 8192 + 64);
}

TEST(TarnStringsGrowth, ClearOfANeverAllocatedStoreKeepsIt) {
    TTarnStrings s;
    s.Clear();
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.Capacity(), 0);
    s.SetTextStr("a\r\nb");
    EXPECT_EQ(s.Capacity(), s.Count());
    s.Clear();
    EXPECT_EQ(s.Capacity(), 0);
}

TEST(TarnStringsEdit, InsertAndDeleteInTheMiddleKeepOrder) {
    TTarnStrings s;
    for (int i = 0; i < 1000; ++i) s.Add(std::to_string(i));
    for (int i = 0; i < 200; ++i) s.Insert(500, "n" + std::to_string(i));
    s.Delete(0);
    s.DeleteRange(10, 5);
    EXPECT_EQ(s.Count(), 1000 + 200 - 6);
    EXPECT_EQ(s.Get(0), "1");
    EXPECT_EQ(s.Get(9), "10");
    EXPECT_EQ(s.Get(10), "16");
    EXPECT_EQ(s.Get(494), "n199");
    EXPECT_EQ(s.Get(693), "n0");
    EXPECT_EQ(s.Get(694), "500");
    EXPECT_EQ(s.Get(s.Count() - 1), "999");
    s.SetCount(3);
    EXPECT_EQ(LinesOf(s), (V{"1", "2", "3"}));
    s.SetCount(5);
    EXPECT_EQ(LinesOf(s), (V{"1", "2", "3", "", ""}));
}

TEST(TarnStringsCommaText, QuotesItemsWithSpacesOrCommas) {
    TTarnStrings s;
    s.Assign({"a", "b c", "d,e", ""});
    EXPECT_EQ(s.GetCommaText(), "a,\"b c\",\"d,e\",");
    s.SetCommaText("x,\"y z\",w");
    EXPECT_EQ(LinesOf(s), (V{"x", "y z", "w"}));
    TTarnStrings empty;
    EXPECT_EQ(empty.GetCommaText(), "");
    EXPECT_EQ(s.IndexOf("y z"), 1);
    EXPECT_EQ(s.IndexOf("q"), -1);
}

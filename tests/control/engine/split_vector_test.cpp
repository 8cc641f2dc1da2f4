#include "control/engine/split_vector.h"

#include <gtest/gtest.h>

#include <string>

#include "control/engine/tarn_strings.h"

using namespace tarn;

// A buffer filled to exactly its capacity has no gap: moving the gap must
// not move values onto themselves (which empties strings).
TEST(SplitVector, EditsOfAFullBufferKeepTheValues) {
    SplitVector<std::string> v;
    v.Reallocate(3);
    for (const char* s : {"a", "b", "c"}) v.Insert(v.Length(), s);
    ASSERT_EQ(v.Capacity(), v.Length());
    v.Delete(1);
    ASSERT_EQ(v.Length(), 2);
    EXPECT_EQ(v[0], "a");
    EXPECT_EQ(v[1], "c");
    v.Reallocate(2);
    v.Insert(0, "z");
    EXPECT_EQ(v[0], "z");
    EXPECT_EQ(v[1], "a");
    EXPECT_EQ(v[2], "c");
}

TEST(SplitVector, StoreWithTrimmedCapacityDeletesInTheMiddle) {
    TTarnStrings s;
    s.SetTextStr(std::string("ab\r\ncd\r\nef\r\ngh") + '\0');
    ASSERT_EQ(s.Capacity(), s.Count());
    s.DeleteRange(1, 2);
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Line(0), "ab\r\n");
    EXPECT_EQ(s.Line(1), std::string("gh") + '\0');
}

#include "control/engine/undo_history.h"

#include <gtest/gtest.h>

#include "control/engine/tarn_strings.h"

using namespace tarn;

TEST(UndoHistory, NewestFirstWithByteCounts) {
    TUndoHistory h;
    EXPECT_TRUE(h.Record(0, "ab", 1, 2, 100));
    EXPECT_TRUE(h.Record(2, "cde", 3, 4, 100));
    ASSERT_EQ(h.Undo.Count(), 2);
    EXPECT_EQ(h.Undo.Newest().Text, "cde");
    EXPECT_EQ(h.Undo.At(1).Text, "ab");
    EXPECT_EQ(h.Undo.At(1).X, 1);
    EXPECT_EQ(h.Undo.At(1).Y, 2);
    EXPECT_EQ(h.Undo.Bytes(), 5);
    EXPECT_FALSE(h.Truncated());
    EXPECT_THROW(h.Undo.At(2), ERangeError);
    EXPECT_THROW(h.Undo.At(-1), ERangeError);
}

TEST(UndoHistory, BudgetDropsTheOldestFirst) {
    TUndoHistory h;
    h.Record(0, "1234", 0, 0, 10);
    h.Record(0, "5678", 0, 1, 10);
    EXPECT_FALSE(h.Truncated());
    // 8 + 3 > 10: the oldest goes, the newer stays.
    EXPECT_TRUE(h.Record(0, "abc", 0, 2, 10));
    EXPECT_TRUE(h.Truncated());
    ASSERT_EQ(h.Undo.Count(), 2);
    EXPECT_EQ(h.Undo.At(0).Text, "abc");
    EXPECT_EQ(h.Undo.At(1).Text, "5678");
    EXPECT_EQ(h.Undo.Bytes(), 7);
}

TEST(UndoHistory, TextLargerThanTheBudgetEmptiesAndIsRefused) {
    TUndoHistory h;
    h.Record(0, "abc", 0, 0, 10);
    EXPECT_FALSE(h.Record(2, "12345678901", 0, 0, 10));
    EXPECT_TRUE(h.Undo.Empty());
    EXPECT_EQ(h.Undo.Bytes(), 0);
    EXPECT_TRUE(h.Truncated());
    // Exactly the budget fits.
    EXPECT_TRUE(h.Record(2, "1234567890", 0, 0, 10));
    EXPECT_EQ(h.Undo.Bytes(), 10);
}

TEST(UndoHistory, MoveTurnsTheKindAndCarriesTheBytes) {
    TUndoHistory h;
    h.Record(0, "ab", 1, 2, 100);
    h.Record(2, "xyz", 3, 4, 100);
    h.Move(0, true);
    ASSERT_EQ(h.Redo.Count(), 1);
    EXPECT_EQ(h.Redo.Newest().Action, 0);
    EXPECT_EQ(h.Redo.Newest().Text, "xyz");
    EXPECT_EQ(h.Redo.Newest().X, 3);
    EXPECT_EQ(h.Undo.Bytes(), 2);
    EXPECT_EQ(h.Redo.Bytes(), 3);
    h.Move(2, false);
    EXPECT_EQ(h.Undo.Newest().Action, 2);
    EXPECT_EQ(h.Undo.Bytes(), 5);
    EXPECT_TRUE(h.Redo.Empty());
    EXPECT_THROW(h.Move(0, false), ERangeError);
    // Moving never counts against the budget, and never truncates.
    EXPECT_FALSE(h.Truncated());
}

TEST(UndoHistory, ClearForgetsEverything) {
    TUndoHistory h;
    h.Record(0, "ab", 0, 0, 1);
    h.Record(0, "a", 0, 0, 1);
    h.Move(1, true);
    h.Clear();
    EXPECT_TRUE(h.Undo.Empty());
    EXPECT_TRUE(h.Redo.Empty());
    EXPECT_EQ(h.Undo.Bytes() + h.Redo.Bytes(), 0);
    EXPECT_FALSE(h.Truncated());
}

TEST(UndoHistory, SetNewestTextKeepsTheCount) {
    TUndoHistory h;
    h.Record(6, "0,0,2,ab", 0, 0, 100);
    h.Undo.SetNewestText("0,0,1,a");
    EXPECT_EQ(h.Undo.Bytes(), 7);
    h.Undo.PopNewest();
    EXPECT_EQ(h.Undo.Bytes(), 0);
    EXPECT_THROW(h.Undo.SetNewestText("x"), ERangeError);
    EXPECT_THROW(h.Undo.PopNewest(), ERangeError);
}

#include <gtest/gtest.h>

#include "edit_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;
using R = std::vector<Record>;

namespace {
struct Stream : UnwrappedEdit<> {};
}  // namespace

TEST_F(Stream, InsertingABreakSplitsTheCaretLine) {
    Put("ab");
    e.CurSet(1, 0, Txmovemode::normal);
    e.InsertAtCaret("x\r\ny", true, false);
    EXPECT_EQ(LinesOf(e.Lines), (V{"ax\r\n", "yb" + kNul}));
    EXPECT_EQ(e.CurposX, 1);
    EXPECT_EQ(e.CurposY, 1);
    EXPECT_EQ(e.records, (R{{uaInsert, "x\r\ny", 1, 0}}));
    EXPECT_TRUE(e.Modified);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Stream, TextEndingInABreakAtTheEndLeavesANewNulLine) {
    Put("ab");
    e.CurSet(2, 0, Txmovemode::normal);
    e.InsertAtCaret("c\r\n", true, false);
    EXPECT_EQ(LinesOf(e.Lines), (V{"abc\r\n", kNul}));
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 1);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Stream, LoneBreaksAndNulsComeInAsLineBreaks) {
    Put("[]");
    e.CurSet(1, 0, Txmovemode::normal);
    e.InsertAtCaret(std::string("a\rb\nc\r\nd\0e", 11), true, false);
    EXPECT_EQ(e.Text(), "[a\r\nb\r\nc\r\nde]");
    EXPECT_EQ(e.records, (R{{uaInsert, "a\r\nb\r\nc\r\nde", 1, 0}}));
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Stream, FreeCaretModePadsTheInsertion) {
    Put("ab\r\ncd");
    e.SetFreeCaretMode(true);
    e.CurposX = 5;
    e.CurposY = 0;
    e.InsertAtCaret("x", true, false);
    EXPECT_EQ(LinesOf(e.Lines)[0], "ab   x\r\n");
    EXPECT_EQ(e.records, (R{{uaInsert, "   x", 2, 0}}));
    EXPECT_EQ(e.CurposX, 6);
}

TEST_F(Stream, DeletingWithinAndAcrossLines) {
    Put("hello\r\nworld\r\nend");
    e.SetselLine(4, 0, 1, 0);
    e.DeleteSelection(true, false);
    EXPECT_EQ(e.Text(), "ho\r\nworld\r\nend");
    EXPECT_EQ(e.CurposX, 1);
    EXPECT_EQ(e.records, (R{{uaDelete, "ell", 1, 0}}));
    // Across lines, anchor below the end: the top line keeps its head and
    // takes the bottom line's tail.
    e.SetselLine(2, 2, 1, 0);
    e.DeleteSelection(true, false);
    EXPECT_EQ(LinesOf(e.Lines), (V{"hd" + kNul}));
    EXPECT_EQ(e.records.back(), (Record{uaDelete, "o\r\nworld\r\nen", 1, 0}));
    EXPECT_EQ(e.CurposX, 1);
    EXPECT_EQ(e.GCurposX, 1);
    EXPECT_FALSE(e.SelFlag);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Stream, DeletingEverythingKeepsTheEndOfText) {
    Put("ab\r\ncd");
    e.AllSel();
    e.ClearSelection();
    EXPECT_EQ(LinesOf(e.Lines), (V{kNul}));
    EXPECT_EQ(e.records, (R{{uaDelete, "ab\r\ncd", 0, 0}}));
    // An end placed on or after the NUL stops before it.
    Put("ab");
    e.GCurposX = 0;
    e.SelEndX = 3;
    e.SelFlag = true;
    e.DeleteSelection(true, false);
    EXPECT_EQ(LinesOf(e.Lines), (V{kNul}));
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Stream, EndsInsideALineBreakOrACharacterTakeItWhole) {
    Put("ab\r\n" + kA + "c");
    e.GCurposX = 3;  // between CR and LF
    e.GCurposY = 0;
    e.SelEndX = 1;  // between the bytes of あ
    e.SelEndY = 1;
    e.SelFlag = true;
    e.DeleteSelection(true, false);
    EXPECT_EQ(e.Text(), "abc");
    EXPECT_EQ(e.records, (R{{uaDelete, "\r\n" + kA, 2, 0}}));
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Stream, AnEmptyRangeChangesNothing) {
    Put("a\r\n\r\nb");
    bool modified = false;
    e.OnChangeModify = [&](bool m) { modified = m; };
    e.CurSet(0, 1, Txmovemode::normal);
    e.ClearSelection();
    e.Cut();
    e.LineDelEnd();
    e.LineDelTop();
    e.DeleteSelection(true, false);
    e.DeleteSelection(true, true);
    EXPECT_EQ(e.Text(), "a\r\n\r\nb");
    EXPECT_TRUE(e.records.empty());
    EXPECT_FALSE(e.Modified);
    EXPECT_FALSE(modified);
}

TEST_F(Stream, ReplacingASelectionRecordsDeleteThenInsertAtOnePlace) {
    Put("one two three");
    int changes = 0;
    e.OnChange = [&] { ++changes; };
    e.SetselLine(4, 0, 7, 0);
    e.TextPaste("2");
    EXPECT_EQ(e.Text(), "one 2 three");
    EXPECT_EQ(e.records, (R{{uaDelete, "two", 4, 0}, {uaInsert, "2", 4, 0}}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(e.CurposX, 5);
}

TEST_F(Stream, RefreshRedrawsWhatChanged) {
    Put("a\r\nb\r\nc");
    view.redraws = 0;
    e.CurSet(1, 0, Txmovemode::normal);
    e.InsertAtCaret("x", true, false);
    EXPECT_GE(view.redraws, 1);
    // Without the refresh flag the caller redraws.
    const int before = view.redraws;
    e.InsertAtCaret("y", false, false);
    EXPECT_EQ(view.redraws, before);
    EXPECT_EQ(e.Text(), "axy\r\nb\r\nc");
}

namespace {
struct WrappedStream : Stream {
    void SetUp() override {
        Measure(e);
        e.SetColumn(10);
    }
};
}  // namespace

TEST_F(WrappedStream, RecordsCarryUnwrappedPositions) {
    Put("0123456789abcdefghij\r\nxyz");
    e.SetselLine(5, 1, 2, 3);  // from 'f' in the second row to 'z' on the last
    e.DeleteSelection(true, false);
    EXPECT_EQ(e.Text(), "0123456789abcdez");
    EXPECT_EQ(e.records, (R{{uaDelete, "fghij\r\nxy", 15, 0}}));
    EXPECT_EQ(LinesOf(e.Lines), (V{"0123456789", "abcdez" + kNul}));
    EXPECT_EQ(e.CurposX, 5);
    EXPECT_EQ(e.CurposY, 1);
    e.InsertAtCaret("LONGER TEXT", true, false);
    EXPECT_EQ(e.records.back(), (Record{uaInsert, "LONGER TEXT", 15, 0}));
    EXPECT_EQ(LinesOf(e.Lines), FreshLayout(e, e.Text()));
    EXPECT_EQ(OffsetOf(e, e.CurposX, e.CurposY), 26);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(WrappedStream, InsertingABreakAtTheEndOfASegment) {
    Put("0123456789abc");
    e.CurposX = 10;
    e.CurposY = 0;
    e.InsertAtCaret("\r\n", true, false);
    // Ten characters and the break: the break takes a row of its own.
    EXPECT_EQ(LinesOf(e.Lines), (V{"0123456789", "\r\n", "abc" + kNul}));
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 2);
    ASSERT_TRUE(Invariants(e));
}

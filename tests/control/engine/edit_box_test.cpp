#include <gtest/gtest.h>

#include "edit_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;
using R = std::vector<Record>;

namespace {
struct Box : UnwrappedEdit<> {
    void SetUp() override {
        UnwrappedEdit::SetUp();
        e.SetBoxSelMode(true);
    }
};
}  // namespace

TEST_F(Box, InsertingAtTheLastLineAppendsLinesThatUndoRemoves) {
    Put("ab\r\ncd");
    e.CurSet(1, 1, Txmovemode::normal);
    const std::string before = e.Text();
    e.InsertAtCaret("X\r\nY\r\nZ", true, true);
    EXPECT_EQ(LinesOf(e.Lines), (V{"ab\r\n", "cXd\r\n", " Y\r\n", " Z" + kNul}));
    EXPECT_EQ(e.CurposX, 2);
    EXPECT_EQ(e.CurposY, 3);
    ASSERT_EQ(e.records.size(), 1u);
    EXPECT_EQ(e.records[0].action, uaBoxInsert);
    EXPECT_EQ(e.records[0].x, 1);
    EXPECT_EQ(e.records[0].y, 1);
    EXPECT_EQ(UndoBoxInsert(e.Text(), e.records[0].text), before);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Box, ShortLinesArePaddedWithSpaces) {
    Put("abcdef\r\nx\r\n\r\nabcdef");
    e.CurSet(4, 0, Txmovemode::normal);
    const std::string before = e.Text();
    e.InsertAtCaret("1\r\n2\r\n3\r\n", true, true);  // a final break adds no line
    EXPECT_EQ(LinesOf(e.Lines), (V{"abcd1ef\r\n", "x   2\r\n", "    3\r\n", "abcdef" + kNul}));
    ASSERT_EQ(e.records.size(), 1u);
    // Each item starts where its bytes went in: the padding is part of it.
    EXPECT_EQ(ParseBoxRecord(e.records[0].text).items,
              (std::vector<BoxItem>{{0, 2, "    3"}, {1, 1, "   2"}, {4, 0, "1"}}));
    EXPECT_EQ(UndoBoxInsert(e.Text(), e.records[0].text), before);
    EXPECT_EQ(e.CurposX, 5);
    EXPECT_EQ(e.CurposY, 2);
}

TEST_F(Box, OverwriteRemovesWhatTheBoxCoversAndRecordsItFirst) {
    Put("abcdef\r\nabcdef\r\nab");
    e.InsMode = false;
    e.CurSet(1, 0, Txmovemode::normal);
    const std::string before = e.Text();
    e.InsertAtCaret("XY\r\nXY\r\nXY", true, true);
    EXPECT_EQ(e.Text(), "aXYdef\r\naXYdef\r\naXY");
    ASSERT_EQ(e.records.size(), 2u);
    EXPECT_EQ(e.records[0].action, uaBoxdelete);
    EXPECT_EQ(e.records[1].action, uaBoxInsert);
    EXPECT_EQ(e.records[0].x, e.records[1].x);
    EXPECT_EQ(e.records[0].y, e.records[1].y);
    EXPECT_EQ(UndoBoxDelete(UndoBoxInsert(e.Text(), e.records[1].text), e.records[0].text), before);
}

TEST_F(Box, DeletingTakesEachRowsColumns) {
    Put("abcdef\r\nab\r\n" + kA + kI + "xy\r\nabc" + kA + "\r\nabcdef");
    e.BoxColumFix = true;
    e.SetselLine(1, 0, 4, 4);
    const std::string before = e.Text();
    e.DeleteSelection(true, true);
    // Row 2's left edge falls inside あ and moves right past it; row 3's
    // right edge falls inside あ and moves left; row 1 is short.
    EXPECT_EQ(LinesOf(e.Lines), (V{"aef\r\n", "a\r\n", kA + "xy\r\n", "a" + kA + "\r\n", "aef" + kNul}));
    ASSERT_EQ(e.records.size(), 1u);
    EXPECT_EQ(e.records[0].action, uaBoxdelete);
    EXPECT_EQ(e.records[0].x, 1);
    EXPECT_EQ(e.records[0].y, 0);
    EXPECT_EQ(UndoBoxDelete(e.Text(), e.records[0].text), before);
    EXPECT_EQ(e.CurposX, 1);
    EXPECT_EQ(e.CurposY, 0);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Box, DeletingAtTheEndOfTheDocumentAndOnShortLines) {
    Put("abcdef\r\nab\r\nabc");
    e.BoxColumFix = true;
    e.SetselLine(3, 2, 5, 0);  // anchored on the last line, ending on a long one
    e.DeleteSelection(true, true);
    EXPECT_EQ(e.Text(), "abcf\r\nab\r\nabc");
    ASSERT_EQ(e.records.size(), 1u);
    EXPECT_EQ(UndoBoxDelete(e.Text(), e.records[0].text), "abcdef\r\nab\r\nabc");
    EXPECT_EQ(e.CurposX, 3);
    EXPECT_EQ(e.CurposY, 0);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Box, ReplacingABoxSelectionInsertsABox) {
    Put("abcd\r\nabcd\r\nabcd");
    e.SetselLine(1, 0, 3, 1);
    e.TextPaste("1\r\n2");
    EXPECT_EQ(e.Text(), "a1d\r\na2d\r\nabcd");
    ASSERT_EQ(e.records.size(), 2u);
    EXPECT_EQ(e.records[0].action, uaBoxdelete);
    EXPECT_EQ(e.records[1].action, uaBoxInsert);
    EXPECT_EQ(e.records[0].x, e.records[1].x);
}

TEST_F(Box, ALargeBoxAtTheEndOfTheDocument) {
    Put("");
    std::string box;
    for (int i = 0; i < 300; ++i) box += "row" + std::to_string(i) + "\r\n";
    e.InsertAtCaret(box, true, true);
    EXPECT_EQ(e.LineCount(), 300);
    EXPECT_EQ(e.Lines.Line(299), "row299" + kNul);
    EXPECT_EQ(UndoBoxInsert(e.Text(), e.records[0].text), "");
    ASSERT_TRUE(Invariants(e));
}

namespace {
struct WrappedBox : Box {
    void SetUp() override {
        Measure(e);
        e.SetColumn(10);
        e.SetBoxSelMode(true);
    }
};
}  // namespace

TEST_F(WrappedBox, EachBoxLineGoesToTheNextTextLine) {
    Put("0123456789abcdef\r\nshort\r\nlast");
    // rows: 0123456789 | abcdef | short | last
    e.CurSet(2, 1, Txmovemode::normal);  // inside the wrapped first text line
    const std::string before = e.Text();
    e.InsertAtCaret("X\r\nY\r\nZ\r\nW", true, true);
    // The box starts on the text line's first row, under the same x.
    EXPECT_EQ(e.Text(), "01X23456789abcdef\r\nshYort\r\nlaZst\r\n  W");
    EXPECT_EQ(UndoBoxInsert(e.Text(), e.records[0].text), before);
    EXPECT_EQ(LinesOf(e.Lines), FreshLayout(e, e.Text()));
    ASSERT_TRUE(Invariants(e));
}

TEST_F(WrappedBox, DeletingOverSegmentsRestoresThroughTheRecord) {
    Put("0123456789abcdefghij\r\nxyz");
    e.BoxColumFix = true;
    e.SetselLine(2, 0, 4, 1);  // columns 2..4 of rows 0 and 1
    const std::string before = e.Text();
    e.DeleteSelection(true, true);
    EXPECT_EQ(e.Text(), "01456789abefghij\r\nxyz");
    EXPECT_EQ(UndoBoxDelete(e.Text(), e.records[0].text), before);
    EXPECT_EQ(LinesOf(e.Lines), FreshLayout(e, e.Text()));
    ASSERT_TRUE(Invariants(e));
}

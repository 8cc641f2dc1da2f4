#include "control/engine/tarn_edit.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;

namespace {
struct Editor : ::testing::Test {
    RecordingView view;
    TTarnEdit e{&view};
    void SetUp() override {
        Measure(e);
        e.SetWordWrap(false, false);
    }
    void Put(const std::string& s) { e.SetText(s); }
};
}  // namespace

TEST(EditorText, PutBeforeTheFontIsMeasuredIsIgnored) {
    TTarnEdit e;
    e.SetText("lost");
    EXPECT_EQ(e.Text(), "");
    EXPECT_EQ(LinesOf(e.Lines), (V{kNul}));
}

TEST_F(Editor, TextPutAndGet) {
    Put("");
    EXPECT_EQ(LinesOf(e.Lines), (V{kNul}));
    EXPECT_EQ(e.Text(), "");
    Put("a\r\nb");
    EXPECT_EQ(LinesOf(e.Lines), (V{"a\r\n", "b" + kNul}));
    EXPECT_EQ(e.Text(), "a\r\nb");
    Put("a\r\n");
    EXPECT_EQ(LinesOf(e.Lines), (V{"a\r\n", kNul}));
    EXPECT_EQ(e.Text(), "a\r\n");
}

TEST_F(Editor, TextPutResetsStateButKeepsSettings) {
    Put("abc\r\ndef");
    e.SetBoxSelMode(true);
    e.CurSet(2, 1, Txmovemode::normal);
    e.Modified = true;
    e.InsMode = false;
    std::vector<bool> modify, redo;
    e.OnChangeModify = [&](bool m) { modify.push_back(m); };
    e.OnChangeRedoMode = [&](bool r) { redo.push_back(r); };
    Put("x");
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 0);
    EXPECT_FALSE(e.Modified);
    EXPECT_TRUE(e.InsMode);
    EXPECT_TRUE(e.BoxSelMode());
    EXPECT_EQ(modify, (std::vector<bool>{false}));
    EXPECT_EQ(redo, (std::vector<bool>{false}));
}

TEST_F(Editor, GetStrBetweenPositionsInEitherOrder) {
    Put("abc\r\ndef\r\nghi");
    EXPECT_EQ(e.GetStr(2, 0, 1, 0), "b");
    EXPECT_EQ(e.GetStr(1, 0, 2, 2), "bc\r\ndef\r\ngh");
    EXPECT_EQ(e.GetStr(2, 2, 1, 0), "bc\r\ndef\r\ngh");
    EXPECT_EQ(e.GetStr(3, 0, 0, 1), "\r\n");
    EXPECT_THROW(e.GetStr(0, 0, 0, 9), ERangeError);
}

TEST_F(Editor, BoxTextTakesEachRowsColumns) {
    Put("abcdef\r\nab\r\n" + B({0x82, 0xA0, 0x82, 0xA2}) + "xy");
    e.SetBoxSelMode(true);
    e.BoxColumFix = true;
    e.SetselLine(1, 0, 4, 2);
    // Byte column 1 of row 2 splits its first character: the box's left
    // edge moves right past it there.
    EXPECT_EQ(e.SelText(), "bcd\r\nb\r\n" + B({0x82, 0xA2}) + "\r\n");
    // By pixels, the nearer boundary takes the first character in.
    e.BoxColumFix = false;
    EXPECT_EQ(e.SelText(), "bcd\r\nb\r\n" + B({0x82, 0xA0, 0x82, 0xA2}) + "\r\n");
    // A caret asked for between two bytes stands before the character.
    e.SetselLine(0, 0, 3, 2);
    EXPECT_EQ(e.CurposX, 2);
}

TEST_F(Editor, SelTextFollowsAnchorAndEnd) {
    Put("hello\r\nworld");
    EXPECT_EQ(e.SelText(), "");
    e.SetselLine(1, 0, 2, 1);
    EXPECT_TRUE(e.SelFlag);
    EXPECT_EQ(e.SelText(), "ello\r\nwo");
    EXPECT_EQ(e.SelLength(), 8);
    e.AllSel();
    EXPECT_EQ(e.SelText(), "hello\r\nworld");
}

TEST_F(Editor, CurSetKeepsCharactersWhole) {
    Put(B({0x82, 0xA0}) + "b\r\nxyz");
    e.CurSet(1, 0, Txmovemode::normal);
    EXPECT_EQ(e.CurposX, 0);
    e.CurSet(99, 0, Txmovemode::normal);
    EXPECT_EQ(e.CurposX, 3);
    e.CurSet(1, 99, Txmovemode::normal);
    EXPECT_EQ(e.CurposY, 1);
    EXPECT_EQ(e.CurposX, 1);
    EXPECT_EQ(e.GoalX, 1);
    EXPECT_THROW(e.CurSet(0, -1, Txmovemode::normal), ERangeError);
    EXPECT_EQ(e.CurposY, 1);
}

TEST_F(Editor, CurSetRaisesSelectionThenCaretEvents) {
    Put("abc\r\ndef");
    std::string order;
    e.OnSelectionChange = [&] { order += 'S'; };
    e.OnMoveCaret = [&] { order += 'M'; };
    e.CurSet(1, 1, Txmovemode::normal);
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order.substr(order.size() - 2), "SM");
}

TEST_F(Editor, CurSetModesPlaceTheRowInTheWindow) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    Put(text);
    // 10 rows visible: settop shows the row 8 rows down (one fifth from the
    // top), setcenter puts it in the middle.
    EXPECT_TRUE(e.CurSet(0, 50, Txmovemode::settop));
    EXPECT_EQ(e.ClOffsetY, 50 + 8 - 10);
    e.CurSet(0, 50, Txmovemode::setcenter);
    EXPECT_EQ(e.ClOffsetY, 45);
    // Normal: inside the window nothing scrolls; on the first visible row
    // the view moves until k - 1 rows stand above it (k = 3 here).
    EXPECT_FALSE(e.CurSet(0, 48, Txmovemode::normal));
    EXPECT_EQ(e.ClOffsetY, 45);
    e.CurSet(0, 45, Txmovemode::normal);
    EXPECT_EQ(e.ClOffsetY, 43);
    // Near the end the window does not scroll past the allowed end.
    e.CurSet(0, 100, Txmovemode::setcenter);
    EXPECT_EQ(e.ClOffsetY, e.LineCount() - (10 - e.KeepOutRows()) - 1);
}

TEST_F(Editor, KeepOutRowsRoundHalfToEven) {
    e.ClLineCount = 5;
    e.SetVertScrollLimit(20);
    EXPECT_EQ(e.KeepOutRows(), 2);
    e.ClLineCount = 25;  // 5.0 -> 5
    EXPECT_EQ(e.KeepOutRows(), 6);
    e.ClLineCount = 10;
    e.SetVertScrollLimit(25);  // 2.5 -> 2
    EXPECT_EQ(e.KeepOutRows(), 3);
    e.SetVertScrollLimit(99);
    EXPECT_EQ(e.VertScrollLimit(), 50);
}

TEST_F(Editor, GetselLineOrdersColumnsAndLinesSeparately) {
    Put("aaaaaa\r\nbbbbbb\r\ncccccc\r\ndddddd");
    int x1, y1, x2, y2;
    EXPECT_FALSE(e.GetselLine(x1, y1, x2, y2));
    e.SetselLine(0, 0, 0, 3);
    ASSERT_TRUE(e.GetselLine(x1, y1, x2, y2));
    EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{0, 0, 8, 2}));
    e.SetselLine(5, 0, 2, 3);
    e.GetselLine(x1, y1, x2, y2);
    EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{2, 0, 5, 3}));
}

TEST_F(Editor, SetselLineNormalisesTheEndOfATerminatedLine) {
    Put("ab\r\ncd");
    e.SetselLine(0, 0, 4, 0);
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 1);
    EXPECT_EQ(e.SelText(), "ab\r\n");
    // Positions outside the document are brought inside it.
    e.SetselLine(50, 70, 9, 90);
    EXPECT_EQ(e.GCurposY, 1);
    EXPECT_EQ(e.SelEndY, 1);
    EXPECT_NO_THROW(e.SelText());
}

TEST_F(Editor, SelLengthCountsEveryStoredByte) {
    Put("ab\r\ncdef");
    e.CurSet(2, 0, Txmovemode::normal);
    e.SetSelLength(3);
    EXPECT_EQ(e.SelText(), "\r\nc");
    EXPECT_EQ(e.SelEndX, 1);
    EXPECT_EQ(e.SelEndY, 1);
    e.CurSet(1, 1, Txmovemode::normal);
    e.SetSelLength(-4);
    EXPECT_EQ(e.CurposY, 0);
    EXPECT_EQ(e.CurposX, 1);
    EXPECT_EQ(e.SelText(), "b\r\nc");
    // Never past the end of the document.
    e.CurSet(0, 0, Txmovemode::normal);
    e.SetSelLength(1000);
    EXPECT_EQ(e.SelText(), "ab\r\ncdef");
    // At the end, nothing happens.
    e.CurSet(4, 1, Txmovemode::normal);
    e.SetSelLength(2);
    EXPECT_FALSE(e.SelFlag);
}

TEST_F(Editor, AllSelOnAnEmptyDocumentDoesNothing) {
    Put("");
    int events = 0;
    e.OnSelectionChange = [&] { ++events; };
    e.AllSel();
    EXPECT_FALSE(e.AllSelFlag);
    EXPECT_EQ(events, 0);
    Put("xy\r\nz");
    e.SetBoxSelMode(true);
    e.AllSel();
    EXPECT_TRUE(e.AllSelFlag);
    EXPECT_FALSE(e.BoxSelMode());
    EXPECT_EQ(events, 1);
    EXPECT_EQ(e.SelEndX, 1);
    EXPECT_EQ(e.SelEndY, 1);
    e.ResetSel();
    EXPECT_FALSE(e.Selmode());
}

TEST_F(Editor, IsInnerSelectStreamRules) {
    Put("0123456789\r\n0123456789\r\n0123456789");
    EXPECT_FALSE(e.IsInnerSelect(0, 0));
    e.SetselLine(3, 0, 5, 2);
    EXPECT_FALSE(e.IsInnerSelect(2, 0));
    EXPECT_TRUE(e.IsInnerSelect(3, 0));
    EXPECT_TRUE(e.IsInnerSelect(9, 0));
    EXPECT_TRUE(e.IsInnerSelect(0, 1));
    EXPECT_TRUE(e.IsInnerSelect(5, 2));
    EXPECT_FALSE(e.IsInnerSelect(6, 2));
    e.SetselLine(2, 1, 4, 1);
    EXPECT_TRUE(e.IsInnerSelect(4, 1));
    EXPECT_FALSE(e.IsInnerSelect(5, 1));
    EXPECT_FALSE(e.IsInnerSelect(3, 0));
}

TEST_F(Editor, IsInnerSelectBoxUsesThePointGiven) {
    Put("0123456789\r\n01\r\n0123456789");
    e.SetBoxSelMode(true);
    e.SetselLine(3, 0, 6, 2);
    EXPECT_TRUE(e.IsInnerSelect(4, 0));
    EXPECT_TRUE(e.IsInnerSelect(6, 2));
    EXPECT_FALSE(e.IsInnerSelect(7, 2));
    EXPECT_FALSE(e.IsInnerSelect(4, 1));  // the short row holds nothing of the box
}

TEST_F(Editor, SetBoxSelModeDropsTheSelection) {
    Put("abc\r\ndef");
    e.SetselLine(0, 0, 2, 1);
    e.SetBoxSelMode(true);
    EXPECT_FALSE(e.SelFlag);
}

TEST_F(Editor, SetHomeAndSetEndWithShiftSelect) {
    Put("abc\r\ndef\r\nghi");
    e.CurSet(1, 1, Txmovemode::normal);
    view.modifiers = kMkShift;
    e.SetEnd();
    EXPECT_EQ(e.CurposY, 2);
    EXPECT_EQ(e.CurposX, 3);
    EXPECT_EQ(e.SelText(), "ef\r\nghi");
    e.SetHome();
    EXPECT_EQ(e.SelText(), "a" "bc\r\nd");
    view.modifiers = 0;
    e.SetEnd();
    EXPECT_FALSE(e.Selmode());
    EXPECT_EQ(e.GoalX, 3);
    int carets = view.carets;
    e.SetEnd();  // already there
    EXPECT_EQ(view.carets, carets);
}

TEST_F(Editor, TabExpansion) {
    e.SetTabCount(6);
    EXPECT_EQ(e.GetTabcount(1), 6);
    EXPECT_EQ(e.GetTabcount(2), 5);
    EXPECT_EQ(e.GetTabcount(6), 1);
    e.SetTabCount(8);
    EXPECT_EQ(e.GetTabcount(9), 8);
    e.SetTabCount(0);
    EXPECT_EQ(e.TabCount(), 1);
    e.SetTabCount(12);
    EXPECT_EQ(e.TabCount(), 8);
    e.SetTabCount(4);
    EXPECT_EQ(e.Tabtospace("a\tb\t\tc"), "a   b       c");
    // 0x82 0x09 is one character whose trail byte only looks like a tab.
    std::string pair = B({0x82, 0x09});
    EXPECT_EQ(e.Tabtospace(pair + "\t"), pair + "  ");
    e.SingleByteMode = true;
    EXPECT_EQ(e.Tabtospace(pair), B({0x82}) + "   ");
}

TEST_F(Editor, CaretDisplayColumnAndPixels) {
    e.SetTabCount(4);
    Put("a\tb" + B({0x82, 0xA0}) + "c");
    e.CurSet(3, 0, Txmovemode::normal);
    EXPECT_EQ(e.CurposX2(), 5);
    EXPECT_EQ(e.PixelOfColumn(0, 5), 7);
    // Nearest boundary: inside the tab's first half stays before it.
    // The tab spans pixels 1..4; its nearer half decides.
    EXPECT_EQ(e.ColumnAtPixel(0, 3, false).column, 1);
    EXPECT_EQ(e.ColumnAtPixel(0, 4, false).column, 2);
    // The double-byte character spans pixels 5..7: never split.
    EXPECT_EQ(e.ColumnAtPixel(0, 6, false).column, 3);
    EXPECT_EQ(e.ColumnAtPixel(0, 7, false).column, 5);
    EXPECT_EQ(e.ColumnAtPixel(0, 99, false).column, 6);
    // Padded with spaces: the tab's extra width shifts the column.
    EXPECT_EQ(e.ColumnAtPixel(0, 99, true).column, 97);
    for (int col : {0, 1, 2, 3, 5, 6}) EXPECT_EQ(e.ColumnAtPixel(0, e.PixelOfColumn(0, col), false).column, col);
}

TEST_F(Editor, FreeCaretModePadsBeyondTheText) {
    Put("ab\r\nc");
    e.SetFreeCaretMode(true);
    e.CurSet(6, 0, Txmovemode::normal);
    EXPECT_EQ(e.CurposX, 6);
    EXPECT_EQ(e.CurposX2(), 6);
    EXPECT_EQ(e.CaretPixelX, 6);
    e.SetFreeCaretMode(false);
    EXPECT_EQ(e.CurposX, 2);
}

TEST_F(Editor, LoadAndSaveThroughTheEditor) {
    TempDir dir;
    WriteFile(dir / "in.txt", "one\ntwo");
    Put("old");
    e.Modified = true;
    ASSERT_TRUE(e.LoadFromFile(dir / "in.txt"));
    EXPECT_EQ(e.Text(), "one\r\ntwo");
    EXPECT_FALSE(e.Modified);
    ASSERT_TRUE(e.SaveToFile(dir / "out.txt"));
    EXPECT_EQ(ReadFile(dir / "out.txt"), "one\r\ntwo");
    EXPECT_FALSE(e.LoadFromFile(dir / "missing.txt"));
    EXPECT_EQ(e.Text(), "one\r\ntwo");
    EXPECT_FALSE(e.SaveToFile(dir / "no" / "such" / "dir.txt"));
}

TEST_F(Editor, RawLineCallsTouchOnlyTheStore) {
    Put("a\r\nb");
    e.CurSet(1, 1, Txmovemode::normal);
    EXPECT_EQ(e.AxLinesCount(), 2);
    EXPECT_EQ(e.AxGetLines(0), "a\r\n");
    EXPECT_EQ(e.AxAddLine("c"), 2);
    e.AxInsertLine(0, "z\r\n");
    e.AxDeleteLine(1);
    EXPECT_EQ(LinesOf(e.Lines), (V{"z\r\n", "b" + kNul, "c"}));
    EXPECT_EQ(e.CurposY, 1);
    EXPECT_THROW(e.AxGetLines(3), ERangeError);
    e.AxClearLines();
    EXPECT_EQ(e.AxLinesCount(), 0);
}

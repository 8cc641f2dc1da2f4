#include <gtest/gtest.h>

#include "edit_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;
using R = std::vector<Record>;

namespace {
struct Typing : UnwrappedEdit<> {};
}  // namespace

TEST_F(Typing, EachCharacterIsOneRecordAndOneChange) {
    Put("");
    int changes = 0;
    std::vector<bool> modify;
    e.OnChange = [&] { ++changes; };
    e.OnChangeModify = [&](bool m) { modify.push_back(m); };
    for (const char* c : {"a", "b", "c"}) e.TypeText(c);
    EXPECT_EQ(e.Text(), "abc");
    EXPECT_EQ(e.records, (R{{uaInsert, "a", 0, 0}, {uaInsert, "b", 1, 0}, {uaInsert, "c", 2, 0}}));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(modify, (std::vector<bool>{true}));
    EXPECT_EQ(e.CurposX, 3);
    EXPECT_EQ(e.GoalX, 3);
}

TEST_F(Typing, OverwritingHalfACharacterTakesItWholeAndPadsWithASpace) {
    Put("a" + kA + "b");
    e.InsMode = false;
    e.CurSet(1, 0, Txmovemode::normal);
    e.TypeText("x");
    EXPECT_EQ(e.Text(), "ax b");
    EXPECT_EQ(e.records, (R{{uaoverwDel, kA, 1, 0}, {uaoverwIns, "x ", 1, 0}}));
    EXPECT_EQ(e.CurposX, 3);  // after the space: columns to the right stay
    // A double-byte character over two single bytes takes exactly them.
    e.CurSet(0, 0, Txmovemode::normal);
    e.TypeText(kI);
    EXPECT_EQ(e.Text(), kI + " b");
    // Running past the end overwrites what there is.
    e.CurSet(3, 0, Txmovemode::normal);
    e.TypeText("xyz");
    EXPECT_EQ(e.Text(), kI + " xyz");
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Typing, OverwriteAtTheVisibleEndOfALineInserts) {
    Put("ab\r\ncd");
    e.InsMode = false;
    e.CurSet(2, 0, Txmovemode::normal);
    e.TypeText("X");
    EXPECT_EQ(e.Text(), "abX\r\ncd");
    EXPECT_EQ(e.records, (R{{uaoverwIns, "X", 2, 0}}));
}

TEST_F(Typing, TypingOverASelectionReplacesIt) {
    Put("one two");
    e.SetselLine(4, 0, 7, 0);
    e.TypeText("2");
    EXPECT_EQ(e.Text(), "one 2");
    EXPECT_EQ(e.records, (R{{uaDelete, "two", 4, 0}, {uaInsert, "2", 4, 0}}));
    // In box mode the box goes first.
    Put("abc\r\nabc");
    e.SetBoxSelMode(true);
    e.SetselLine(1, 0, 2, 1);
    e.TypeText("Z");
    EXPECT_EQ(e.Text(), "aZc\r\nac");
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Typing, EnterCopiesLeadingBlanksWithAutoIndent) {
    Put("  \tab cd");
    e.CurSet(5, 0, Txmovemode::normal);
    e.NewLine();
    EXPECT_EQ(e.Text(), "  \tab\r\n cd");
    Put("  \tab cd");
    e.AutoIndent = true;
    e.CurSet(5, 0, Txmovemode::normal);
    e.NewLine();
    EXPECT_EQ(e.Text(), "  \tab\r\n  \t cd");
    EXPECT_EQ(e.records, (R{{uaInsert, "\r\n  \t", 5, 0}}));
    EXPECT_EQ(e.CurposX, 3);
    EXPECT_EQ(e.CurposY, 1);
    // The blanks only run up to the caret.
    Put("    x");
    e.CurSet(2, 0, Txmovemode::normal);
    e.NewLine();
    EXPECT_EQ(e.Text(), "  \r\n    x");
}

TEST_F(Typing, TabInsertsOneTabAndReportsCustomEdits) {
    Put("ab");
    std::vector<bool> custom;
    e.OnCustomEdit = [&](bool d) { custom.push_back(d); };
    e.CurSet(1, 0, Txmovemode::normal);
    e.InsertTab();
    EXPECT_EQ(e.Text(), "a\tb");
    EXPECT_TRUE(custom.empty());
    e.CustomEditF = true;
    e.InsertTab();
    e.TypeText("x");
    e.DeleteKey();
    e.BackSpace();
    EXPECT_EQ(custom, (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(e.Text(), "a\t\t");
}

TEST_F(Typing, DeleteAndBackspaceOverCharactersAndLineEnds) {
    Put("a" + kA + "b\r\ncd");
    e.CurSet(1, 0, Txmovemode::normal);
    e.DeleteKey();  // the whole pair
    EXPECT_EQ(e.Text(), "ab\r\ncd");
    e.CurSet(2, 0, Txmovemode::normal);
    e.DeleteKey();  // the line break joins the lines
    EXPECT_EQ(LinesOf(e.Lines), (V{"abcd" + kNul}));
    EXPECT_EQ(e.records, (R{{uadelkey, kA, 1, 0}, {uadelkey, "\r\n", 2, 0}}));
    ASSERT_TRUE(Invariants(e));
    e.CurSet(4, 0, Txmovemode::normal);
    e.records.clear();
    e.DeleteKey();  // at the end of the document: nothing
    EXPECT_EQ(e.Text(), "abcd");
    EXPECT_TRUE(e.records.empty());
    Put("xy\r\n" + kA + "z");
    e.CurSet(0, 1, Txmovemode::normal);
    e.BackSpace();
    EXPECT_EQ(e.Text(), "xy" + kA + "z");
    EXPECT_EQ(e.CurposX, 2);
    e.CurSet(4, 0, Txmovemode::normal);
    e.BackSpace();
    EXPECT_EQ(e.Text(), "xyz");
    EXPECT_EQ(e.records, (R{{uaDelete, "\r\n", 2, 0}, {uaDelete, kA, 2, 0}}));
    e.CurSet(0, 0, Txmovemode::normal);
    e.BackSpace();  // at the start: nothing
    EXPECT_EQ(e.Text(), "xyz");
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Typing, FreeCaretModeBeyondTheEnd) {
    Put("ab\r\ncd");
    e.SetFreeCaretMode(true);
    e.CurposX = 5;
    e.CurposY = 0;
    e.TypeText("x");
    EXPECT_EQ(e.Text(), "ab   x\r\ncd");
    EXPECT_EQ(e.records, (R{{uaInsert, "   x", 2, 0}}));
    // Delete beyond the end deletes nothing; Backspace there only steps left.
    e.CurposX = 9;
    e.CurposY = 0;
    e.DeleteKey();
    e.BackSpace();
    EXPECT_EQ(e.Text(), "ab   x\r\ncd");
    EXPECT_EQ(e.CurposX, 8);
}

namespace {
struct WrappedTyping : Typing {
    void SetUp() override {
        Measure(e);
        e.SetColumn(10);
    }
};
}  // namespace

TEST_F(WrappedTyping, OverwriteJoinsTheTextLineAndCutsItAgain) {
    Put("0123456789abcdefghij\r\nx");
    e.InsMode = false;
    e.CurSet(8, 0, Txmovemode::normal);
    e.TypeText("WXYZ");  // across the cut
    EXPECT_EQ(e.Text(), "01234567WXYZcdefghij\r\nx");
    EXPECT_EQ(LinesOf(e.Lines), FreshLayout(e, e.Text()));
    EXPECT_EQ(e.records, (R{{uaoverwDel, "89ab", 8, 0}, {uaoverwIns, "WXYZ", 8, 0}}));
    EXPECT_EQ(e.CurposX, 2);
    EXPECT_EQ(e.CurposY, 1);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(WrappedTyping, CustomEditSkipsTheRewrap) {
    Put("0123456789");
    e.CustomEditF = true;
    e.CurSet(0, 0, Txmovemode::normal);
    e.TypeText("x");
    EXPECT_EQ(LinesOf(e.Lines), (V{"x0123456789" + kNul}));
    e.RefreshWrap();
    EXPECT_EQ(LinesOf(e.Lines), (V{"x012345678", "9" + kNul}));
}

TEST_F(WrappedTyping, TheCaretFollowsItsTextAcrossSegments) {
    Put("");
    std::string model;
    for (int i = 0; i < 35; ++i) {
        const std::string c = (i % 3 == 0) ? kA : std::string(1, static_cast<char>('a' + i % 26));
        e.TypeText(c);
        model += c;
        ASSERT_EQ(e.Text(), model);
        ASSERT_EQ(OffsetOf(e, e.CurposX, e.CurposY), static_cast<long long>(model.size()));
        ASSERT_TRUE(Invariants(e));
    }
    EXPECT_EQ(LinesOf(e.Lines), FreshLayout(e, model));
    for (int i = 0; i < 35; ++i) e.BackSpace();
    EXPECT_EQ(LinesOf(e.Lines), (V{kNul}));
}

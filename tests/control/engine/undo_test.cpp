#include <gtest/gtest.h>

#include <random>

#include "control/engine/tarn_edit.h"
#include "control/engine/undo_action.h"
#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;

namespace {

struct Undoing : ::testing::Test {
    RecordingView view;
    TTarnEdit e{&view};
    std::vector<bool> modify, redo;
    int changes = 0;
    void SetUp() override {
        Measure(e);
        e.SetWordWrap(false, false);
        e.OnChangeModify = [this](bool m) { modify.push_back(m); };
        e.OnChangeRedoMode = [this](bool r) { redo.push_back(r); };
        e.OnChange = [this] { ++changes; };
    }
    void Put(const std::string& s) {
        e.SetText(s);
        modify.clear();
        redo.clear();
    }
    void UndoAll() {
        for (int guard = 0; guard < 100000 && !e.History().Undo.Empty(); ++guard) e.Undo();
    }
    void RedoAll() {
        for (int guard = 0; guard < 100000 && !e.History().Redo.Empty(); ++guard) e.Redo();
    }
    void ExpectWellFormed() {
        const std::string all = e.Lines.GetTextStr();
        ASSERT_FALSE(all.empty());
        EXPECT_EQ(all.back(), '\0');
        EXPECT_EQ(all.find('\0'), all.size() - 1);
        EXPECT_LE(e.CurposY, e.LastLine());
        EXPECT_LE(e.CurposX, VisibleLength(e.Lines.Line(e.CurposY)));
    }
};

}  // namespace

TEST_F(Undoing, TypedCharactersGoBackOneAtATime) {
    Put("");
    e.TypeText("a");
    e.TypeText("b");
    e.TypeText("c");
    EXPECT_EQ(modify, (std::vector<bool>{true}));
    e.Undo();
    EXPECT_EQ(e.Text(), "ab");
    EXPECT_EQ(redo, (std::vector<bool>{true}));
    e.Undo();
    EXPECT_EQ(e.Text(), "a");
    e.Undo();
    EXPECT_EQ(e.Text(), "");
    EXPECT_FALSE(e.Modified);
    EXPECT_EQ(modify, (std::vector<bool>{true, false}));
    e.Redo();
    e.Redo();
    EXPECT_EQ(e.Text(), "ab");
    EXPECT_TRUE(e.Modified);
    e.Redo();
    EXPECT_EQ(e.Text(), "abc");
    EXPECT_EQ(redo, (std::vector<bool>{true, false}));
    EXPECT_EQ(e.CurposX, 3);
}

TEST_F(Undoing, TypingOverASelectionIsOneStep) {
    Put("one word here");
    e.SetselLine(4, 0, 8, 0);
    e.TypeText("X");
    EXPECT_EQ(e.Text(), "one X here");
    e.Undo();
    EXPECT_EQ(e.Text(), "one word here");
    EXPECT_TRUE(e.History().Undo.Empty());
    e.Redo();
    EXPECT_EQ(e.Text(), "one X here");
    e.Undo();
    EXPECT_EQ(e.Text(), "one word here");
}

TEST_F(Undoing, ReplacingRangesIsOneStep) {
    Put("ab\r\ncd\r\nef");
    e.PrintText("XY\r\nZ", 1, 0, 1, 2);
    EXPECT_EQ(e.Text(), "aXY\r\nZf");
    e.Undo();
    EXPECT_EQ(e.Text(), "ab\r\ncd\r\nef");
    e.TextPaste("pasted\r\n");
    e.Undo();
    EXPECT_EQ(e.Text(), "ab\r\ncd\r\nef");
    int i1 = 0, i2 = 2;
    Put(" a \r\n b \r\n c ");
    e.TarnTrim(i1, i2, false);
    EXPECT_EQ(e.Text(), "a\r\nb\r\nc");
    e.Undo();
    EXPECT_EQ(e.Text(), " a \r\n b \r\n c ");
    e.Redo();
    EXPECT_EQ(e.Text(), "a\r\nb\r\nc");
}

TEST_F(Undoing, DeleteKeyKeepsTheCaretBeforeAndBackspaceAfter) {
    Put("abc\r\ndef");
    e.CurSet(1, 0, Txmovemode::normal);
    e.DeleteKey();
    EXPECT_EQ(e.History().Undo.Newest().Action, uadelkey);
    e.Undo();
    EXPECT_EQ(e.Text(), "abc\r\ndef");
    EXPECT_EQ(e.CurposX, 1);
    e.Redo();
    EXPECT_EQ(e.Text(), "ac\r\ndef");
    e.CurSet(0, 1, Txmovemode::normal);
    e.BackSpace();
    EXPECT_EQ(e.Text(), "acdef");
    e.Undo();
    EXPECT_EQ(e.Text(), "ac\r\ndef");
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 1);
}

TEST_F(Undoing, OverwritingIsOneStepAndRestoresDoubleByteCharacters) {
    const std::string wide = B({0x82, 0xA0});
    Put("a" + wide + "b");
    e.InsMode = false;
    e.CurSet(1, 0, Txmovemode::normal);
    e.TypeText("x");
    EXPECT_EQ(e.Text(), "ax b");
    e.Undo();
    EXPECT_EQ(e.Text(), "a" + wide + "b");
    EXPECT_TRUE(e.History().Undo.Empty());
    e.Redo();
    EXPECT_EQ(e.Text(), "ax b");
    e.Undo();
    EXPECT_EQ(e.Text(), "a" + wide + "b");
}

TEST_F(Undoing, SmallBudgetRefusesAndModifiedStays) {
    Put("0123456789AB");
    e.UndoBuf = 10;
    e.TypeText("x");
    e.SetselLine(0, 0, 11, 0);
    e.ClearSelection();
    EXPECT_TRUE(e.History().Undo.Empty());
    EXPECT_TRUE(e.History().Truncated());
    EXPECT_TRUE(e.Modified);
    EXPECT_FALSE(e.EditSave(uaDelete, "12345678901", 0, 0));
    e.TypeText("y");
    e.Undo();
    EXPECT_TRUE(e.History().Undo.Empty());
    EXPECT_TRUE(e.Modified);
}

TEST_F(Undoing, RecordingOffStillMarksTheDocumentModified) {
    Put("abc");
    e.UndoRec = false;
    e.TypeText("x");
    EXPECT_TRUE(e.Modified);
    EXPECT_EQ(modify, (std::vector<bool>{true}));
    EXPECT_TRUE(e.History().Undo.Empty());
    EXPECT_TRUE(e.EditSave(uaInsert, "q", 0, 0));
}

TEST_F(Undoing, ANewEditEndsTheRedoHistory) {
    Put("");
    e.TypeText("a");
    e.TypeText("b");
    e.Undo();
    EXPECT_TRUE(e.CanRedo);
    e.TypeText("c");
    EXPECT_FALSE(e.CanRedo);
    EXPECT_EQ(redo, (std::vector<bool>{true, false}));
    EXPECT_TRUE(e.History().Redo.Empty());
    e.Redo();
    EXPECT_EQ(e.Text(), "ac");
    // Records the host moved without any event are dropped all the same.
    e.RedoSave(uaDelete, true);
    EXPECT_FALSE(e.History().Redo.Empty());
    e.TypeText("d");
    EXPECT_TRUE(e.History().Redo.Empty());
}

TEST_F(Undoing, ALoneOverwrittenRecordIsNeverApplied) {
    Put("abc");
    e.EditSave(uaoverwDel, "zz", 0, 0);
    e.Undo();
    e.Undo();
    EXPECT_EQ(e.Text(), "abc");
    EXPECT_EQ(e.History().Undo.Count(), 1);
    EXPECT_TRUE(e.History().Redo.Empty());
}

TEST_F(Undoing, RedoSaveMovesRecordsAndFailsOnAnEmptyHistory) {
    Put("");
    EXPECT_THROW(e.RedoSave(uaInsert, true), ERangeError);
    e.TypeText("a");
    e.RedoSave(uaDelete, true);
    EXPECT_EQ(e.History().Redo.Newest().Action, uaDelete);
    EXPECT_EQ(e.History().Redo.Bytes(), 1);
    EXPECT_TRUE(e.History().Undo.Empty());
    EXPECT_TRUE(redo.empty());
    e.RedoSave(uaInsert, false);
    EXPECT_EQ(e.History().Undo.Newest().Action, uaInsert);
}

TEST_F(Undoing, EditSaveAtMinusOneTakesTheSelectionStart) {
    Put("abc\r\ndef");
    e.SetselLine(2, 1, 1, 0);
    e.EditSave(uaInsert, "q", -1, 0);
    EXPECT_EQ(e.History().Undo.Newest().X, 1);
    EXPECT_EQ(e.History().Undo.Newest().Y, 0);
    e.SetselLine(2, 0, 1, 0);
    e.EditSave(uaInsert, "q", -1, 0);
    EXPECT_EQ(e.History().Undo.Newest().X, 1);
}

TEST_F(Undoing, ClearUndoRecordForgetsAndReports) {
    Put("");
    e.TypeText("a");
    e.TypeText("b");
    e.Undo();
    modify.clear();
    redo.clear();
    e.ClearUndoRecord();
    EXPECT_TRUE(e.History().Undo.Empty());
    EXPECT_TRUE(e.History().Redo.Empty());
    EXPECT_FALSE(e.Modified);
    EXPECT_FALSE(e.CanRedo);
    EXPECT_EQ(modify, (std::vector<bool>{false}));
    EXPECT_EQ(redo, (std::vector<bool>{false}));
    e.Undo();
    EXPECT_EQ(e.Text(), "a");
}

TEST_F(Undoing, TextPutForgetsTheHistory) {
    Put("");
    e.TypeText("a");
    e.SetText("new");
    EXPECT_TRUE(e.History().Undo.Empty());
    e.Undo();
    EXPECT_EQ(e.Text(), "new");
}

TEST_F(Undoing, BoxInsertionAtTheEndAddsLinesThatUndoRemoves) {
    Put("ab\r\ncd");
    e.SetBoxSelMode(true);
    e.CurSet(1, 1, Txmovemode::normal);
    e.TextPaste("X\r\nY\r\nZ");
    EXPECT_EQ(e.LineCount(), 4);
    e.Undo();
    EXPECT_EQ(e.Text(), "ab\r\ncd");
    EXPECT_EQ(e.LineCount(), 2);
    e.Redo();
    EXPECT_EQ(e.LineCount(), 4);
    const std::string after = e.Text();
    e.Undo();
    e.Redo();
    EXPECT_EQ(e.Text(), after);
    ExpectWellFormed();
}

TEST_F(Undoing, BoxDeletionAndOverwriteComeBack) {
    Put("abcd\r\nefgh\r\nijkl");
    e.SetBoxSelMode(true);
    e.BoxColumFix = true;
    e.SetselLine(1, 0, 3, 2);
    e.ClearSelection();
    EXPECT_EQ(e.Text(), "ad\r\neh\r\nil");
    e.Undo();
    EXPECT_EQ(e.Text(), "abcd\r\nefgh\r\nijkl");
    e.Redo();
    EXPECT_EQ(e.Text(), "ad\r\neh\r\nil");
    e.Undo();
    e.InsMode = false;
    e.CurSet(1, 0, Txmovemode::normal);
    e.TextPaste("XY\r\nZW");
    const std::string over = e.Text();
    e.Undo();
    EXPECT_EQ(e.Text(), "abcd\r\nefgh\r\nijkl");
    e.Redo();
    EXPECT_EQ(e.Text(), over);
}

TEST_F(Undoing, MalformedBoxRecordsAreReportedAndLeaveASoundDocument) {
    const char* bad[] = {"x,0,1,a", "0,0,99,ab", "0,0,-4,ab", "0,0", "0,0,2,ab0,1,", "99999999999,0,1,a",
                         "0,99999,1,a", ",,,", "0,0,1,"};
    for (const char* rec : bad) {
        for (auto kind : {uaBoxInsert, uaBoxdelete}) {
            SCOPED_TRACE(testing::Message() << rec << " kind " << int(kind));
            Put("ab\r\ncd");
            view.messages.clear();
            e.EditSave(kind, rec, 0, 0);
            e.Undo();
            e.Redo();
            e.Undo();
            ExpectWellFormed();
        }
    }
    Put("ab\r\ncd");
    view.messages.clear();
    e.EditSave(uaBoxdelete, "1,0,1,Xgarbage", 0, 0);
    e.Undo();
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Error:OC010_BoxUndo"}));
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 0);
    ExpectWellFormed();
}

TEST_F(Undoing, HostRecordsAnywhereNeverBreakTheDocument) {
    Put("ab\r\ncd");
    e.EditSave(uaInsert, "zzzzzzzzzzzz", 5, 7);
    e.EditSave(uaDelete, "q\r\n", -9, 3);
    e.EditSave(uadelkey, "w", 100, -3);
    e.EditSave(uaDelete, std::string("n\0ul", 4), 1, 0);
    e.EditSave(static_cast<TxUndoAction>(42), "w", 0, 0);
    for (int i = 0; i < 6; ++i) e.Undo();
    for (int i = 0; i < 6; ++i) e.Redo();
    ExpectWellFormed();
}

TEST_F(Undoing, ReplaceAllIsUndoneReplacementByReplacement) {
    Put("ab ab\r\nab");
    e.OnFind = [](const std::string& s, const std::string& f, int, int& x, int& len) {
        const auto p = s.find(f);
        x = p == std::string::npos ? 0 : static_cast<int>(p) + 1;
        len = static_cast<int>(f.size());
    };
    e.FindChange("ab", "xaby", true, false, true);
    EXPECT_EQ(e.Text(), "xaby xaby\r\nxaby");
    e.Undo();
    EXPECT_EQ(e.Text(), "xaby xaby\r\nab");
    UndoAll();
    EXPECT_EQ(e.Text(), "ab ab\r\nab");
    RedoAll();
    EXPECT_EQ(e.Text(), "xaby xaby\r\nxaby");
}

// With word wrap on, records hold text-line positions: undo finds its
// place again after the layout has moved.
TEST_F(Undoing, WrappedPositionsAreRecordedUnwrapped) {
    e.SetColumn(10);
    e.SetWordWrap(true, false);
    Put("0123456789abcdefghi\r\nxyz");
    ASSERT_EQ(e.LineCount(), 3);
    e.CurSet(3, 1, Txmovemode::normal);  // column 13 of text line 0
    e.TypeText("Q");
    EXPECT_EQ(e.History().Undo.Newest().X, 13);
    EXPECT_EQ(e.History().Undo.Newest().Y, 0);
    e.CurSet(1, e.LastLine(), Txmovemode::normal);  // text line 1, column 1
    e.TypeText("R");
    EXPECT_EQ(e.History().Undo.Newest().X, 1);
    EXPECT_EQ(e.History().Undo.Newest().Y, 1);
    e.Undo();
    e.Undo();
    EXPECT_EQ(e.Text(), "0123456789abcdefghi\r\nxyz");
    e.Redo();
    EXPECT_EQ(e.Text(), "0123456789abcQdefghi\r\nxyz");
    e.SetWordWrap(false, false);
    EXPECT_EQ(e.Text(), "0123456789abcQdefghi\r\nxyz");
}

// Typing over nothing (at a line end in overwrite mode) records no
// overwritten bytes; its redo must still type the text again.
TEST_F(Undoing, OverwriteAtALineEndRedoes) {
    Put("ab\r\ncd");
    e.InsMode = false;
    e.CurSet(2, 0, Txmovemode::normal);
    e.TypeText("x");
    EXPECT_EQ(e.Text(), "abx\r\ncd");
    e.Undo();
    EXPECT_EQ(e.Text(), "ab\r\ncd");
    e.Redo();
    EXPECT_EQ(e.Text(), "abx\r\ncd");
    EXPECT_TRUE(e.History().Redo.Empty());
    e.Undo();
    EXPECT_EQ(e.Text(), "ab\r\ncd");
}

TEST_F(Undoing, MalformedBoxInsertRecordLeavesTheCaretAtTheTop) {
    Put("ab\r\ncd");
    e.CurSet(1, 1, Txmovemode::normal);
    e.EditSave(uaBoxInsert, "1,1,1,d0,0,zz", 1, 1);
    view.messages.clear();
    e.Undo();
    EXPECT_EQ(e.Text(), "ab\r\nc");
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Error:OC010_BoxUndo"}));
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 0);
    // Only what was applied goes to the redo side.
    EXPECT_EQ(e.History().Redo.Newest().Text, "1,1,1,d");
    e.Redo();
    EXPECT_EQ(e.Text(), "ab\r\ncd");
}

// Box records from the host are outside data: random ones must never
// corrupt the document or read out of range (the sanitized run checks).
TEST_F(Undoing, RandomBoxRecordsNeverBreakTheDocument) {
    std::mt19937 rng(7);
    const std::string alphabet = "0123456789,,,,-\r\nab" + B({0x82, 0xA0, 0});
    for (int round = 0; round < 300; ++round) {
        Put("ab\r\n" + B({0x82, 0xA0}) + "cd\r\nef");
        std::string rec;
        const int n = std::uniform_int_distribution<int>(0, 24)(rng);
        for (int i = 0; i < n; ++i) rec += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
        e.EditSave(round % 2 ? uaBoxInsert : uaBoxdelete, rec, 0, 0);
        e.Undo();
        e.Redo();
        e.Undo();
        ExpectWellFormed();
    }
}

// Dragging the selection inside the editor and dropping text into it.
#include <gtest/gtest.h>

#include "control/engine/tarn_edit.h"
#include "engine_test_support.h"

namespace tarn {
namespace {

class ClipView : public test::RecordingView {
public:
    std::string clip;
    void SetClipboardText(std::string_view text, bool) override { clip = std::string(text); }
};

class Drop : public ::testing::Test {
protected:
    void SetUp() override {
        e.SetView(&view);
        test::Measure(e);
        e.SetWordWrap(false, false);
        e.OnChange = [this] { ++changes; };
    }
    // Selects, starts the drag and moves the caret to the pointer, the way
    // the view does it while the button is held.
    void Drag(int x1, int y1, int x2, int y2, int dropX, int dropY) {
        e.SetselLine(x1, y1, x2, y2);
        e.DragInit();
        e.CurposX = dropX;
        e.CurposY = dropY;
    }
    void Finish(bool copy = false) {
        view.modifiers = copy ? kMkControl : 0;
        const std::string s = e.SelText();
        e.DropText(s, true);
        e.DropFinish(true, false);
    }

    ClipView view;
    TTarnEdit e;
    int changes = 0;
};

TEST_F(Drop, OntoItselfOnlyDeselects) {
    e.SetText("hello world");
    Drag(0, 0, 5, 0, 2, 0);
    changes = 0;
    Finish();
    EXPECT_EQ(e.Text(), "hello world");
    EXPECT_FALSE(e.Selmode());
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(e.Dragging());
    EXPECT_FALSE(e.MouseDownF);
}

TEST_F(Drop, LaterOnTheSameRowLandsWhereReleased) {
    e.SetText("abcXYZdef");
    Drag(3, 0, 6, 0, 8, 0);  // between "de" and "f"
    Finish();
    EXPECT_EQ(e.Text(), "abcdeXYZf");
    EXPECT_EQ(e.CurposX, 8);
    EXPECT_EQ(changes, 1);
}

// A move deletes in one place and inserts in another; the user made one
// action, so one Undo takes it back and one Redo does it again.
TEST_F(Drop, AMoveIsOneUndoStepBothWays) {
    e.SetText("abcXYZdef\r\nline two");
    e.ClearUndoRecord();
    e.TextPaste("-");  // an earlier, separate edit
    e.CurSet(0, 0, Txmovemode::normal);
    Drag(4, 0, 7, 0, 4, 1);  // "XYZ" into row 1
    Finish();
    const std::string moved = e.Text();
    EXPECT_EQ(moved, "-abcdef\r\nlineXYZ two");
    e.Undo();
    EXPECT_EQ(e.Text(), "-abcXYZdef\r\nline two");
    e.Redo();
    EXPECT_EQ(e.Text(), moved);
    e.Undo();
    e.Undo();  // then the earlier edit, on its own
    EXPECT_EQ(e.Text(), "abcXYZdef\r\nline two");
    e.Redo();
    EXPECT_EQ(e.Text(), "-abcXYZdef\r\nline two");
}

TEST_F(Drop, ACopyAndABoxMoveAreSingleStepsToo) {
    e.SetText("abcXYZdef");
    e.ClearUndoRecord();
    Drag(3, 0, 6, 0, 8, 0);
    Finish(true);
    e.Undo();
    EXPECT_EQ(e.Text(), "abcXYZdef");
    EXPECT_FALSE(e.Modified);

    e.SetText("ab12\r\ncd34\r\nefgh");
    e.ClearUndoRecord();
    e.SetBoxSelMode(true);
    Drag(2, 0, 4, 1, 1, 2);  // the digits' box onto row 2
    Finish();
    const std::string moved = e.Text();
    ASSERT_NE(moved, "ab12\r\ncd34\r\nefgh");
    e.Undo();
    EXPECT_EQ(e.Text(), "ab12\r\ncd34\r\nefgh");
    EXPECT_FALSE(e.Modified);
    e.Redo();
    EXPECT_EQ(e.Text(), moved);
}

TEST_F(Drop, EarlierPositionNeedsNoCorrection) {
    e.SetText("abcXYZdef");
    Drag(3, 0, 6, 0, 1, 0);
    Finish();
    EXPECT_EQ(e.Text(), "aXYZbcdef");
}

TEST_F(Drop, WithCtrlCopies) {
    e.SetText("abcXYZdef");
    Drag(3, 0, 6, 0, 8, 0);
    Finish(true);
    EXPECT_EQ(e.Text(), "abcXYZdeXYZf");
}

TEST_F(Drop, OntoALaterRowMovesRowsUp) {
    e.SetText("one\r\ntwo\r\nthree\r\nfour");
    // "two\r\n" whole, dropped at the start of "four".
    Drag(0, 1, 0, 2, 0, 3);
    Finish();
    EXPECT_EQ(e.Text(), "one\r\nthree\r\ntwo\r\nfour");
}

TEST_F(Drop, LineTailDroppedOnTheNextRowKeepsItsColumn) {
    e.SetText("abCD\r\nxyz");
    // "CD\r\n" dropped after "x": once removed, "xyz" joins "ab".
    Drag(2, 0, 0, 1, 1, 1);
    Finish();
    EXPECT_EQ(e.Text(), "abxCD\r\nyz");
}

TEST_F(Drop, MultiRowTailDroppedOnTheRowAfterIt) {
    e.SetText("abCD\r\nEF\r\nxyz");
    Drag(2, 0, 0, 2, 1, 2);
    Finish();
    EXPECT_EQ(e.Text(), "abxCD\r\nEF\r\nyz");
}

TEST_F(Drop, SameRowBeforeASelectionThatEndsWithALineBreak) {
    e.SetText("abCD\r\nxyz");
    Drag(2, 0, 0, 1, 1, 0);
    Finish();
    EXPECT_EQ(e.Text(), "aCD\r\nbxyz");
}

TEST_F(Drop, ReadOnlyRefusesAMoveInside) {
    e.SetText("abcXYZdef");
    e.ReadOnly = true;
    Drag(3, 0, 6, 0, 8, 0);
    Finish();
    EXPECT_EQ(e.Text(), "abcXYZdef");
    EXPECT_FALSE(e.Selmode());
}

TEST_F(Drop, TextFromElsewhereIsInsertedEvenReadOnly) {
    e.SetText("abc");
    e.ReadOnly = true;
    e.CurSet(1, 0, Txmovemode::normal);
    e.DropText("ZZ", false);
    EXPECT_EQ(e.Text(), "aZZbc");
}

TEST_F(Drop, TextFromElsewhereReplacesTheSelectionUnderThePointer) {
    e.SetText("abcdef");
    e.SetselLine(1, 0, 4, 0);
    e.CurposX = 2;  // pointer inside the selection
    e.DropText("Q", false);
    EXPECT_EQ(e.Text(), "aQef");
}

TEST_F(Drop, DragInitSavesAndFinishRestoresCaretScrollFix) {
    e.SetText("abc");
    e.CaretScrollFix = true;
    e.DragCursor = 1;
    e.SetselLine(0, 0, 2, 0);
    e.DragInit();
    EXPECT_TRUE(e.Dragging());
    EXPECT_TRUE(e.MouseDownF);
    EXPECT_FALSE(e.CaretScrollFix);
    EXPECT_EQ(e.DragOrigin(), (TextPos{2, 0}));
    e.DragCursor = 2;  // Ctrl pressed during the drag
    e.DropFinish(true, false);
    EXPECT_TRUE(e.CaretScrollFix);
    EXPECT_EQ(e.DragCursor, 1);
    EXPECT_FALSE(e.Dragging());
}

TEST_F(Drop, DragOutTakenByAnotherProgramCutsUnlessCtrl) {
    e.SetText("abcdef");
    e.SetselLine(1, 0, 3, 0);
    e.DragInit();
    e.DropFinish(false, true);
    EXPECT_EQ(e.Text(), "adef");
    EXPECT_EQ(view.clip, "bc");

    e.SetselLine(0, 0, 2, 0);
    e.DragInit();
    view.modifiers = kMkControl;
    e.DropFinish(false, true);
    EXPECT_EQ(e.Text(), "adef");
    EXPECT_FALSE(e.Selmode());
}

TEST_F(Drop, RefusedDragOutLeavesTheText) {
    e.SetText("abcdef");
    e.SetselLine(1, 0, 3, 0);
    e.DragInit();
    e.DropFinish(false, false);
    EXPECT_EQ(e.Text(), "abcdef");
    EXPECT_FALSE(e.Selmode());
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST(PointInSelection, OrdersTheEndsAsPositions) {
    TTarnEdit e;
    test::Measure(e);
    e.SetWordWrap(false, false);
    e.SetText("abCD\r\nxyz\r\nq");
    e.SetselLine(2, 0, 0, 1);  // "CD\r\n"
    EXPECT_FALSE(e.PointInSelection(1, 0));
    EXPECT_TRUE(e.PointInSelection(2, 0));
    EXPECT_TRUE(e.PointInSelection(4, 0));
    EXPECT_FALSE(e.PointInSelection(0, 1));
    EXPECT_FALSE(e.PointInSelection(1, 1));
    e.SetselLine(3, 1, 1, 0);  // backwards, "bCD\r\nxyz"
    EXPECT_FALSE(e.PointInSelection(0, 0));
    EXPECT_TRUE(e.PointInSelection(1, 0));
    EXPECT_TRUE(e.PointInSelection(3, 1));
    EXPECT_FALSE(e.PointInSelection(0, 2));
    e.ResetSel();
    EXPECT_FALSE(e.PointInSelection(0, 0));
    e.AllSel();
    EXPECT_TRUE(e.PointInSelection(1, 2));
}

}  // namespace
}  // namespace tarn

#include <gtest/gtest.h>

#include "edit_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;
using R = std::vector<Record>;

namespace {
class ClipboardView : public RecordingView {
public:
    std::string clip;
    bool box = false;
    bool has = false;
    int recreated = 0;
    bool ClipboardText(std::string& t) override {
        if (has) t = clip;
        return has;
    }
    void SetClipboardText(std::string_view t, bool b) override {
        clip = std::string(t);
        box = b;
        has = true;
    }
    void RecreateWindow() override { ++recreated; }
};

// A font that fails after a number of measurements.
class FailingView : public RecordingView {
public:
    mutable int left = 1 << 30;
    mutable int calls = 0;
    bool FixedPitch() const override { return false; }
    int TextWidth(std::string_view b, int fw) const override {
        ++calls;
        if (--left < 0) throw std::runtime_error("measure");
        return static_cast<int>(b.size()) * fw;
    }
};

struct Commands : UnwrappedEdit<ClipboardView> {
    int changes = 0;
    void SetUp() override {
        UnwrappedEdit::SetUp();
        e.OnChange = [this] { ++changes; };
    }
    void Put(const std::string& s) {
        UnwrappedEdit::Put(s);
        changes = 0;
    }
};
}  // namespace

TEST_F(Commands, CopyCutAndPasteThroughTheViewsClipboard) {
    Put("hello world");
    e.SetselLine(0, 0, 5, 0);
    e.TxtCopy();
    EXPECT_EQ(view.clip, "hello");
    EXPECT_FALSE(view.box);
    EXPECT_EQ(changes, 0);
    e.SetselLine(5, 0, 11, 0);
    e.Cut();
    EXPECT_EQ(e.Text(), "hello");
    EXPECT_EQ(view.clip, " world");
    EXPECT_EQ(changes, 1);
    e.CurSet(0, 0, Txmovemode::normal);
    e.Paste();
    EXPECT_EQ(e.Text(), " worldhello");
    // Nothing on the clipboard: nothing happens.
    view.has = false;
    e.Paste();
    EXPECT_EQ(e.Text(), " worldhello");
    // A box selection goes out marked as a box.
    Put("ab\r\ncd");
    e.SetBoxSelMode(true);
    e.SetselLine(0, 0, 1, 1);
    e.TxtCopy();
    EXPECT_TRUE(view.box);
    EXPECT_EQ(view.clip, "a\r\nc\r\n");
}

TEST_F(Commands, ClearAndRecreateEmptyTheDocumentWithoutHistory) {
    Put("abc\r\ndef");
    e.TypeText("x");
    e.Clear();
    EXPECT_EQ(LinesOf(e.Lines), (V{kNul}));
    EXPECT_FALSE(e.Modified);
    EXPECT_EQ(changes, 1);  // the typing only
    e.TypeText("y");
    e.SetselLine(0, 0, 1, 0);
    e.Recreate();
    EXPECT_EQ(LinesOf(e.Lines), (V{kNul}));
    EXPECT_FALSE(e.Selmode());
    EXPECT_EQ(view.recreated, 1);
    EXPECT_EQ(e.CurposX, 0);
}

TEST_F(Commands, PrintTextReplacesARange) {
    Put("abc\r\ndef\r\nghi");
    e.PrintText("X", 1, 0, -1, -1);  // y2 < 0: only inserts
    EXPECT_EQ(e.Text(), "aXbc\r\ndef\r\nghi");
    e.PrintText("Y", 0, 1, -1, 1);  // x2 < 0: through the line's break
    EXPECT_EQ(e.Text(), "aXbc\r\nYghi");
    EXPECT_EQ(e.records.back(), (Record{uaInsert, "Y", 0, 1}));
    e.PrintText("Z", 1, 0, 2, 1);
    EXPECT_EQ(e.Text(), "aZhi");
    e.PrintText("!", 0, 0, -1, 0);  // the last line: up to the NUL
    EXPECT_EQ(LinesOf(e.Lines), (V{"!" + kNul}));
    EXPECT_THROW(e.PrintText("?", 0, 0, 1, 5), ERangeError);
    EXPECT_EQ(e.Text(), "!");
    EXPECT_EQ(changes, 4);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Commands, PrintText2ReplacesStoredLines) {
    Put("l0\r\nl1\r\nl2\r\nl3");
    int i1 = 1, i2 = 2;
    e.PrintText2("A\r\nB\r\n", i1, i2);
    EXPECT_EQ(e.Text(), "l0\r\nA\r\nB\r\nl3");
    EXPECT_EQ(i2, 2);  // as many lines back as went
    EXPECT_EQ(e.records, (R{{uaDelete, "l1\r\nl2\r\n", 0, 1}, {uaInsert, "A\r\nB\r\n", 0, 1}}));
    i1 = 2, i2 = 3;
    e.PrintText2("C", i1, i2);  // over the last line: up to the NUL
    EXPECT_EQ(LinesOf(e.Lines), (V{"l0\r\n", "A\r\n", "C" + kNul}));
    EXPECT_EQ(i2, 2);  // fewer lines came back: the last visible line
    i1 = 2, i2 = 1;
    e.PrintText2("never", i1, i2);
    EXPECT_EQ(e.Text(), "l0\r\nA\r\nC");
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Commands, LineDelTopAndEndStopAtTheTextLine) {
    Put("hello world\r\nnext");
    e.CurSet(5, 0, Txmovemode::normal);
    e.LineDelEnd();
    EXPECT_EQ(e.Text(), "hello\r\nnext");
    e.LineDelEnd();  // at the visible end: nothing
    EXPECT_EQ(e.Text(), "hello\r\nnext");
    e.CurSet(3, 0, Txmovemode::normal);
    e.LineDelTop();
    EXPECT_EQ(e.Text(), "lo\r\nnext");
    EXPECT_EQ(e.records, (R{{uaDelete, " world", 5, 0}, {uaDelete, "hel", 0, 0}}));
    EXPECT_EQ(changes, 0);
    // With a selection, the selection goes.
    e.SetselLine(1, 0, 2, 1);
    e.LineDelEnd();
    EXPECT_EQ(e.Text(), "lxt");
}

TEST_F(Commands, WrappedLineDeletesTakeTheWholeTextLine) {
    e.SetColumn(10);
    e.SetWordWrap(true, false);
    Put("0123456789abcdefghij\r\nnext");
    e.CurSet(3, 1, Txmovemode::normal);  // 'd' on the second row
    e.LineDelEnd();
    EXPECT_EQ(e.Text(), "0123456789abc\r\nnext");
    e.LineDelTop();
    EXPECT_EQ(e.Text(), "\r\nnext");
    EXPECT_EQ(e.records.back(), (Record{uaDelete, "0123456789abc", 0, 0}));
    // PrintText into a wrapped document cuts what it put in.
    e.PrintText("0123456789012", 0, 0, -1, -1);
    EXPECT_EQ(LinesOf(e.Lines), FreshLayout(e, e.Text()));
    ASSERT_TRUE(Invariants(e));
}

TEST(EditMessageBoxes, FailuresInsideRelayoutAndBoxInsertionAreShown) {
    FailingView view;
    TTarnEdit e(&view);
    Measure(e);
    e.SetWordWrap(false, false);
    e.SetText("abc\r\nabc\r\nabc");
    e.SetView(&view);
    view.left = 0;
    e.SetWordWrap(true, true);
    EXPECT_NE(std::find(view.messages.begin(), view.messages.end(), "Error:OC004"), view.messages.end());
    EXPECT_FALSE(e.WordWrap());  // the store was not replaced
    view.left = 1 << 30;
    e.SetBoxSelMode(true);
    // Count what one row takes, then allow just that much.
    TTarnEdit twin(&view);
    Measure(twin);
    twin.SetWordWrap(false, false);
    twin.SetText("abc\r\nabc\r\nabc");
    twin.SetBoxSelMode(true);
    twin.CurSet(1, 0, Txmovemode::normal);
    view.calls = 0;
    twin.InsertAtCaret("X", false, true);
    e.CurSet(1, 0, Txmovemode::normal);
    view.left = view.calls;
    e.InsertAtCaret("X\r\nY\r\nZ", false, true);
    view.left = 1 << 30;
    EXPECT_NE(std::find(view.messages.begin(), view.messages.end(), "Error:OC009"), view.messages.end());
    EXPECT_EQ(e.Lines.Line(0), "aXbc\r\n");  // what was done stays
    EXPECT_TRUE(Invariants(e));
}

TEST(EditEmptyStore, EditsOnAStoreTheHostEmptiedFailWithTheRangeError) {
    RecordingView view;
    TTarnEdit e(&view);
    Measure(e);
    e.SetText("abc");
    e.AxClearLines();
    EXPECT_THROW(e.TypeText("x"), ERangeError);
    EXPECT_THROW(e.InsertAtCaret("x", true, false), ERangeError);
    EXPECT_THROW(e.InsertAtCaret("x", true, true), ERangeError);
    EXPECT_THROW(e.DeleteKey(), ERangeError);
    EXPECT_THROW(e.GetNonWrapStr(0), ERangeError);
    EXPECT_THROW(e.PrintText("x", 0, 0, -1, -1), ERangeError);
    int x = 3, y = 3;
    e.NtoWcurpos(x, y);
    EXPECT_EQ(x + y, 0);
    e.RefreshWrap();
    e.SetWordWrap(false, true);
    EXPECT_EQ(e.LineCount(), 0);
    // The host puts a document back and editing goes on.
    e.AxAddLine(std::string(1, '\0'));
    e.TypeText("ok");
    EXPECT_EQ(e.Text(), "ok");
}

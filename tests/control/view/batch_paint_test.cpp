// Edits in a batch (replace-all, undo steps) show only their end: the rows
// are painted once, and the window ends up exactly as if every edit had
// painted as it went. Typing into a wrapped line repaints only that line's
// rows.
#include <string>
#include <vector>

#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

// Rows the view painted, one entry per OnUserClientDraw (one per row).
struct PaintLog {
    std::vector<int> rows;
    void Attach(TTarnEditView& v) {
        v.OnUserClientDraw = [this](int l1, int, int, int, int, int) { rows.push_back(l1); };
    }
};

std::string Page(int lines) {
    std::string s;
    for (int i = 0; i < lines; ++i)
        s += "<p>line " + std::to_string(i) + " <font color=\"red\">text</font> and more words</p>\r\n";
    return s;
}

std::unique_ptr<TTarnEditView> WrappedView(const std::string& text) {
    auto v = MakeView(640, 400);
    v->Editor().SetColumn(20);
    v->Editor().SetWordWrap(true, true);
    v->Editor().SetText(text);
    v->RepaintAll();
    return v;
}

// Plain substring search, as a host answers OnFind.
void AnswerFind(TTarnEditView& v) {
    v.Editor().OnFind = [](const std::string& str, const std::string& findchr, int, int& x, int& len) {
        const std::size_t at = str.find(findchr);
        x = at == std::string::npos ? 0 : static_cast<int>(at) + 1;
        len = static_cast<int>(findchr.size());
    };
}

// A view painted from scratch over the same state: what the window must show.
QImage Repainted(TTarnEditView& v) {
    v.RepaintAll();
    return v.Surface().copy();
}

TEST(BatchedEdits, PaintNothingUntilTheBatchEndsThenShowTheSameRows) {
    const std::string text = Page(40);
    auto plain = WrappedView(text);
    auto batched = WrappedView(text);
    PaintLog log;
    log.Attach(*batched);
    auto edit = [](TTarnEditView& v) {
        TTarnEdit& e = v.Editor();
        e.CurSet(3, 2, Txmovemode::normal);
        e.TypeText("abc");
        e.CurSet(0, 30, Txmovemode::normal);  // scrolls
        e.TypeText("xyz");
        e.CurSet(5, 31, Txmovemode::normal);
        e.TypeText("\r\n");
        e.Undo();
    };
    edit(*plain);
    batched->BeginBatch();
    edit(*batched);
    EXPECT_TRUE(log.rows.empty());
    batched->EndBatch();
    EXPECT_FALSE(log.rows.empty());
    EXPECT_EQ(batched->Surface(), plain->Surface());
    EXPECT_EQ(batched->CaretRect(), plain->CaretRect());
    EXPECT_EQ(batched->Surface(), Repainted(*batched));
}

TEST(BatchedEdits, NestedBatchesShowAtTheOutermostEnd) {
    auto v = WrappedView(Page(10));
    PaintLog log;
    log.Attach(*v);
    v->BeginBatch();
    v->BeginBatch();
    v->Editor().TypeText("q");
    v->EndBatch();
    EXPECT_TRUE(log.rows.empty());
    v->EndBatch();
    EXPECT_FALSE(log.rows.empty());
}

TEST(BatchedEdits, ABatchLeftForTheNextFramePaintsWithIt) {
    const std::string text = Page(30);
    auto plain = WrappedView(text);
    auto later = WrappedView(text);
    PaintLog log;
    log.Attach(*later);
    for (TTarnEditView* v : {plain.get(), later.get()}) {
        v->Editor().CurSet(4, 3, Txmovemode::normal);
        for (char c : std::string("hello")) v->Editor().TypeText(std::string(1, c));
    }
    log.rows.clear();
    for (int i = 0; i < 3; ++i) {
        plain->Editor().Undo();
        later->BeginBatch();
        later->Editor().Undo();
        later->EndBatchForNextFrame();
    }
    EXPECT_TRUE(log.rows.empty());
    (void)later->grab();  // the next frame
    EXPECT_FALSE(log.rows.empty());
    EXPECT_EQ(later->Surface(), plain->Surface());
}

TEST(BatchedEdits, WhatIsLeftForTheNextFrameIsPaintedBeforeAnythingDrawsOverIt) {
    const std::string text = Page(30);
    auto plain = WrappedView(text);
    auto later = WrappedView(text);
    for (TTarnEditView* v : {plain.get(), later.get()}) {
        v->Editor().CurSet(4, 3, Txmovemode::normal);
        v->Editor().TypeText("zz");
    }
    plain->Editor().Undo();
    later->BeginBatch();
    later->Editor().Undo();
    later->EndBatchForNextFrame();
    // A host colour run painted straight away lands over the undone row.
    for (TTarnEditView* v : {plain.get(), later.get()}) v->SetTxtColor(0, 3, 4, kRed, kWhite, false);
    EXPECT_EQ(later->Surface(), plain->Surface());
}

TEST(ReplaceAll, PaintsTheWindowOnceAtTheEnd) {
    auto v = WrappedView(Page(60));
    AnswerFind(*v);
    PaintLog log;
    log.Attach(*v);
    int count = -1;
    v->Editor().OnFindChangeEnd = [&](const std::string&, const std::string&, int n) {
        count = n;
        // The host hears of the end with the window already showing it.
        EXPECT_FALSE(log.rows.empty());
    };
    v->Editor().FindChange("font", "strong", true, false, true);
    EXPECT_EQ(count, 120);
    // One repaint of the visible rows, not one per replacement.
    EXPECT_LE(static_cast<int>(log.rows.size()), 2 * v->Editor().ClLineCount);
    EXPECT_EQ(v->Editor().Text().find("font"), std::string::npos);
    const QImage shown = v->Surface().copy();
    EXPECT_EQ(shown, Repainted(*v));
}

TEST(ReplaceAll, WithConfirmationEachHitIsShownBeforeTheHostIsAsked) {
    auto v = WrappedView(Page(60));
    AnswerFind(*v);
    PaintLog log;
    log.Attach(*v);
    int asked = 0;
    v->Editor().OnFindChange = [&](const std::string&, const std::string&, int, int y, int, int, bool& change,
                                   bool& confirm, bool&) {
        ++asked;
        // The hit's row is on the window, and the replacement before it
        // was painted before this question.
        EXPECT_GE(y, v->Editor().ClOffsetY);
        EXPECT_LT(y, v->Editor().ClOffsetY + v->Editor().ClLineCount);
        if (asked > 1) {
            EXPECT_FALSE(log.rows.empty()) << "hit " << asked;
        }
        log.rows.clear();
        change = true;
        // After the fifth, replace the rest without asking.
        if (asked == 5) confirm = false;
    };
    v->Editor().FindChange("font", "strong", true, true, true);
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(v->Editor().Text().find("font"), std::string::npos);
    const QImage shown = v->Surface().copy();
    EXPECT_EQ(shown, Repainted(*v));
}

TEST(TypingInAWrappedLine, RepaintsOnlyTheRowsOfThatLine) {
    std::string text = "short\r\n";
    text += std::string(70, 'a') + "\r\n";  // rows 1..4 at 20 columns
    for (int i = 0; i < 20; ++i) text += "below " + std::to_string(i) + "\r\n";
    auto v = WrappedView(text);
    TTarnEdit& e = v->Editor();
    ASSERT_FALSE(IsLineTerminated(e.Lines.Line(1)));
    ASSERT_TRUE(IsLineTerminated(e.Lines.Line(4)));
    const int rows = e.LineCount();
    e.CurSet(5, 2, Txmovemode::normal);
    PaintLog log;
    log.Attach(*v);
    e.TypeText("b");
    ASSERT_EQ(e.LineCount(), rows);
    ASSERT_FALSE(log.rows.empty());
    for (int r : log.rows) {
        EXPECT_GE(r, 1);
        EXPECT_LE(r, 4);
    }
    const QImage shown = v->Surface().copy();
    EXPECT_EQ(shown, Repainted(*v));
}

}  // namespace
}  // namespace tarn::view::test

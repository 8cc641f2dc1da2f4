// The view following the caret, the scroll messages, the wheel, and the
// registered caret messages.
#include <QScrollBar>

#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

namespace msg = platform::messages;

std::string Rows(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "row " + std::to_string(i) + "\r\n";
    return s;
}

class Scrolling : public ::testing::Test {
protected:
    void SetUp() override {
        v = MakeView(400, 300);
        SetText(*v, Rows(200));
        cl = v->Editor().ClLineCount;
        ASSERT_GT(cl, 5);
    }
    TTarnEdit& E() { return v->Editor(); }
    std::unique_ptr<TTarnEditView> v;
    int cl = 0;
};

TEST_F(Scrolling, CurSetModesGiveTheirTopRows) {
    const int k = E().KeepOutRows();
    EXPECT_EQ(k, static_cast<int>(std::nearbyint(0.2 * cl)) + 1);
    E().CurSet(0, 100, Txmovemode::settop);
    EXPECT_EQ(E().ClOffsetY, 100 + static_cast<int>(0.8 * cl) - cl);
    E().CurSet(0, 100, Txmovemode::setcenter);
    EXPECT_EQ(E().ClOffsetY, 100 - cl / 2);
    // Near the end the top is bounded so the window does not scroll past
    // the allowed end.
    E().CurSet(0, 199, Txmovemode::setcenter);
    EXPECT_EQ(E().ClOffsetY, E().LineCount() - (cl - k) - 1);
    E().CurSet(0, 0, Txmovemode::normal);
    EXPECT_EQ(E().ClOffsetY, 0);
    // normal: a caret below the keep-out band scrolls just enough.
    const bool scrolled = E().CurSet(0, 50, Txmovemode::normal);
    EXPECT_TRUE(scrolled);
    EXPECT_EQ(E().ClOffsetY, 50 - (cl - k));
    EXPECT_FALSE(E().CurSet(0, 50 - 1, Txmovemode::normal));
}

TEST_F(Scrolling, RegisteredCaretMessages) {
    const UINT get = TTarnEditView::GetCaretPosMessage();
    const UINT set = TTarnEditView::SetCaretPosMessage();
    EXPECT_GE(get, 0xC000u);
    EXPECT_NE(get, set);
    EXPECT_EQ(get, msg::RegisterWindowMessage("WM_TTARNEDIT_GETCARETPOS"));
    EXPECT_EQ(set, msg::RegisterWindowMessage("WM_TTARNEDIT_SETCARETPOS"));
    // Column in the low word, row in the high word; 1 when the view scrolled.
    EXPECT_EQ(v->WndProc(set, 0, static_cast<LPARAM>(msg::MAKELONG(2, 3))), 0);
    EXPECT_EQ(E().CurposX, 2);
    EXPECT_EQ(E().CurposY, 3);
    EXPECT_EQ(v->WndProc(get, 0, 0), static_cast<LRESULT>(msg::MAKELONG(2, 3)));
    EXPECT_EQ(v->WndProc(set, 0, static_cast<LPARAM>(msg::MAKELONG(1, 150))), 1);
    EXPECT_EQ(v->WndProc(get, 0, 0), static_cast<LRESULT>(msg::MAKELONG(1, 150)));
}

TEST(RegisteredCaretMessage, RowIsCappedAt32767) {
    auto v = MakeView(200, 100);
    SetText(*v, Rows(40000));
    v->Editor().CurSet(1, 39000, Txmovemode::normal);
    const LRESULT r = v->WndProc(TTarnEditView::GetCaretPosMessage(), 0, 0);
    EXPECT_EQ(msg::LOWORD(static_cast<std::uintmax_t>(r)), 1);
    EXPECT_EQ(msg::HIWORD(static_cast<std::uintmax_t>(r)), 32767);
}

TEST_F(Scrolling, WheelStepsAndSmallDeltas) {
    auto wheel = [&](int delta) {
        return v->WndProc(msg::WM_MOUSEWHEEL, msg::MAKELONG(0, static_cast<unsigned>(static_cast<std::uint16_t>(delta))), 0);
    };
    EXPECT_EQ(wheel(-240), 0);
    EXPECT_EQ(E().ClOffsetY, 4);  // 2 notches x WheelStep 2
    wheel(-60);
    EXPECT_EQ(E().ClOffsetY, 4);  // not accumulated
    wheel(-60);
    EXPECT_EQ(E().ClOffsetY, 4);
    wheel(120);
    EXPECT_EQ(E().ClOffsetY, 2);
    v->Settings().WheelStep = 3;
    wheel(-120);
    EXPECT_EQ(E().ClOffsetY, 5);
    wheel(1200);
    EXPECT_EQ(E().ClOffsetY, 0);  // limited at the top
}

TEST_F(Scrolling, ScrollCodesAndLimits) {
    auto vs = [&](int code, int thumb = 0) {
        return v->WndProc(msg::WM_VSCROLL, msg::MAKELONG(static_cast<unsigned>(code), static_cast<unsigned>(thumb)), 0);
    };
    const int page = E().DwclientY / E().Lineheight;
    EXPECT_EQ(vs(msg::SB_PAGEDOWN), page);
    EXPECT_EQ(E().ClOffsetY, page);
    // The caret moved with the view.
    EXPECT_EQ(E().CurposY, page);
    EXPECT_EQ(vs(msg::SB_LINEUP), -1);
    EXPECT_EQ(vs(msg::SB_BOTTOM), E().VerticalMaximum() - (page - 1));
    EXPECT_EQ(E().ClOffsetY, E().VerticalMaximum());
    EXPECT_EQ(E().VerticalMaximum(), E().LineCount() + E().KeepOutRows() - cl - 1);
    EXPECT_EQ(vs(msg::SB_LINEDOWN), 0);
    EXPECT_EQ(vs(msg::SB_TOP), -E().VerticalMaximum());
    EXPECT_EQ(vs(msg::SB_THUMBTRACK, 7), 7);
    EXPECT_EQ(v->VerticalBar()->value(), 7);
    // The repeat count accelerates line scrolls.
    v->RepeatCount = 5;
    EXPECT_EQ(vs(msg::SB_LINEDOWN), v->Settings().ScrollStep);
    v->RepeatCount = 0;
    // Leave-caret keeps the caret where it was.
    const int caret = E().CurposY;
    v->WndProc(msg::WM_VSCROLL, msg::SB_LINEDOWN, kScrollLeaveCaret);
    EXPECT_EQ(E().CurposY, caret);
}

TEST_F(Scrolling, CaretScrollFixKeepsTheCaretOnItsRow) {
    E().CaretScrollFix = true;
    E().CurSet(0, 2, Txmovemode::normal);
    v->WndProc(msg::WM_VSCROLL, msg::SB_PAGEDOWN, 0);
    EXPECT_EQ(E().CurposY, 2);
    // The caret is now above the window: it sits above the client area.
    EXPECT_LT(v->CaretRect().bottom(), 0);
    // From the keyboard it follows anyway.
    v->WndProc(msg::WM_VSCROLL, msg::SB_LINEDOWN, kScrollFromKeyboard);
    EXPECT_EQ(E().CurposY, 3);
}

TEST(ScrollRange, KeepOutRowsLetTheViewPassTheEnd) {
    // Five rows visible: keep-out = round(1.0) + 1 = 2, so the view can
    // scroll one row past the last row.
    auto v = MakeView(300, 100);
    auto& e = v->Editor();
    v->Settings().SetTopMargin(0);
    v->Settings().SetLineSpace(0);
    v->resize(300, 5 * v->DrawingFont().CellHeight() + 2);
    v->ReDesign();
    ASSERT_EQ(e.ClLineCount, 5);
    SetText(*v, Rows(10));  // 11 stored rows
    EXPECT_EQ(e.KeepOutRows(), 2);
    EXPECT_EQ(e.VerticalMaximum(), 11 + 2 - 5 - 1);
    v->WndProc(msg::WM_VSCROLL, msg::SB_BOTTOM, 0);
    EXPECT_EQ(e.ClOffsetY + e.ClLineCount - 1, e.LastLine() + 1);
    EXPECT_TRUE(v->VerticalBar()->isEnabled());
    SetText(*v, "one\r\ntwo");
    EXPECT_FALSE(v->VerticalBar()->isEnabled());
}

// A document too long to split at once shows its first screen, and its
// scroll range grows exact as idle time splits the rest.
TEST(ScrollRange, ALongDocumentsRangeBecomesExactAsItsRowsComeIn) {
    auto v = MakeView(300, 200);
    auto& e = v->Editor();
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "<p>row " + std::to_string(i) + " of the page</p>\r\n";
    e.SetText(text);
    ASSERT_TRUE(e.Lines.Settling());
    EXPECT_LT(e.Lines.SettledCount(), 20000);
    EXPECT_TRUE(v->VerticalBar()->isEnabled());
    EXPECT_GT(v->VerticalBar()->maximum(), 20000 * 9 / 10 - e.ClLineCount);
    // Straight to the end on the estimate: the rows there are split at once.
    v->WndProc(msg::WM_VSCROLL, msg::SB_BOTTOM, 0);
    for (int i = 0; i < 100000 && e.Lines.Settling(); ++i) QCoreApplication::processEvents();
    ASSERT_FALSE(e.Lines.Settling());
    QCoreApplication::processEvents();
    EXPECT_EQ(e.LineCount(), 20001);
    EXPECT_EQ(e.VerticalMaximum(), e.LineCount() + e.KeepOutRows() - e.ClLineCount - 1);
    EXPECT_EQ(v->VerticalBar()->maximum(), e.VerticalMaximum());
    EXPECT_LE(e.ClOffsetY, e.VerticalMaximum());
    EXPECT_GE(e.ClOffsetY + e.ClLineCount - 1, e.LastLine());
    EXPECT_EQ(e.Text(), text);
}

TEST_F(Scrolling, PagingTheViewRepaintsTheNewRows) {
    v->WndProc(msg::WM_VSCROLL, msg::SB_PAGEDOWN, 0);
    v->Settings().SelColor = kRed;
    const int row = E().ClOffsetY + 3;
    E().SetselLine(0, row, 3, row);
    const QImage img = Render(*v);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, row), Px(kRed)), v->TextLeft());
    EXPECT_EQ(FindPixel(img, SpacingY(*v, row - 1), Px(kRed)), -1);
}

TEST(HorizontalScroll, LinesMoveTheTextByTheStep) {
    auto v = MakeView(300, 120);
    v->SetHorzScrollBar(true);
    v->Settings().HorzScrollBar = true;
    v->ReDesign();
    SetText(*v, std::string(200, 'x') + "\r\nshort");
    auto& e = v->Editor();
    const int step = e.HorizontalStep();
    v->Settings().SelColor = kRed;
    e.SetselLine(0, 1, 1, 1);  // "s" on row 1 selected, at the text left edge
    ASSERT_EQ(FindPixel(Render(*v), SpacingY(*v, 1), Px(kRed)), v->TextLeft());
    v->WndProc(msg::WM_HSCROLL, msg::SB_LINERIGHT, 0);
    EXPECT_EQ(e.ClOffsetX, step);
    EXPECT_EQ(v->HorizontalBar()->value(), step);
    // The selected cell scrolled out to the left of the text area.
    EXPECT_EQ(FindPixel(Render(*v), SpacingY(*v, 1), Px(kRed)), -1);
    v->WndProc(msg::WM_HSCROLL, msg::SB_LINELEFT, 0);
    EXPECT_EQ(e.ClOffsetX, 0);
    EXPECT_EQ(FindPixel(Render(*v), SpacingY(*v, 1), Px(kRed)), v->TextLeft());
    // Never beyond the widest visible row.
    for (int i = 0; i < 100; ++i) v->WndProc(msg::WM_HSCROLL, msg::SB_PAGERIGHT, 0);
    EXPECT_LE(e.ClOffsetX, e.WidestRow - step);
}

TEST(SizeChange, MetricsFollowTheClientArea) {
    auto v = MakeView(300, 200);
    auto& e = v->Editor();
    const int lh = e.Lineheight;
    v->resize(500, 200 + 3 * lh);
    (void)v->grab();
    EXPECT_EQ(e.DwclientX, v->ClientRect().width() - v->TextLeft());
    EXPECT_EQ(e.DwclientY, v->ClientRect().height() - v->Settings().TopMargin());
    EXPECT_EQ(e.ClLineCount, e.DwclientY / lh);
    EXPECT_EQ(e.MaxCurposX(), (32767 / e.Fontwidth) / 2);
}

TEST(LineSpacing, PercentAndPixels) {
    auto v = MakeView();
    auto& e = v->Editor();
    const int fh = e.Fontheight;
    v->Settings().SetLineSpace(50);
    v->ReDesign();
    EXPECT_EQ(e.Lineheight, fh + static_cast<int>(std::nearbyint(50 * fh / 100.0)));
    v->Settings().LineSpaceUnit = TxLineSpaceUnit::uPixel;
    v->Settings().SetLineSpace(5);
    v->ReDesign();
    EXPECT_EQ(e.Lineheight, fh + 5);
    v->Settings().SetLineSpace(250);
    EXPECT_EQ(v->Settings().LineSpace(), 100);
    v->Settings().SetLineSpace(-3);
    EXPECT_EQ(v->Settings().LineSpace(), 0);
}

TEST(Coordinates, PixelPositionPixelRoundTripsBesideTabsAndDoubleBytes) {
    auto v = MakeView();
    auto& e = v->Editor();
    SetText(*v, "a\tあいb\t\tう\tc");
    const std::string& row = e.Lines.Line(0);
    const int y = v->Settings().TopMargin() + 2;
    int boundaries = 0;
    for (int col = 0; col <= VisibleLength(row); ++col) {
        if (SplitsCharacter(row, col, false)) continue;
        ++boundaries;
        const int px = v->ColumnToPixel(0, col);
        for (int dx : {0, -1, 1}) {
            if (col == 0 && dx < 0) continue;
            const TextPos p = v->PointToPosition(px + dx, y);
            EXPECT_EQ(p.X, col) << "col " << col << " dx " << dx;
            EXPECT_EQ(v->ColumnToPixel(p.Y, p.X), px);
        }
    }
    EXPECT_EQ(boundaries, 11);
    // Inside a double-byte character the nearer boundary wins.
    const int a = v->ColumnToPixel(0, 2);  // before あ (after the tab)
    const int fw = e.Fontwidth;
    EXPECT_EQ(v->PointToPosition(a + fw - 1, y).X, 2);
    EXPECT_EQ(v->PointToPosition(a + fw + 1, y).X, 4);
    // Inside a tab's expansion likewise.
    const int t0 = v->ColumnToPixel(0, 1), t1 = v->ColumnToPixel(0, 2);
    EXPECT_EQ(t1 - t0, 5 * fw);  // a tab at column 2 of 6 takes 5 cells
    EXPECT_EQ(v->PointToPosition(t0 + 2 * fw, y).X, 1);
    EXPECT_EQ(v->PointToPosition(t0 + 3 * fw, y).X, 2);
    // Far right: the end of the row; far left in the margin: column 0.
    EXPECT_EQ(v->PointToPosition(2000, y).X, VisibleLength(row));
    EXPECT_EQ(v->PointToPosition(v->TextLeft() - 5, y).X, 0);
}

TEST(Caret, RectangleAndInputMethodQueries) {
    auto v = MakeView();
    auto& e = v->Editor();
    SetText(*v, "abc\r\n日本語テキスト");
    e.CurSet(4, 1, Txmovemode::normal);
    const QRect r = v->CaretRect();
    EXPECT_EQ(r, QRect(v->CaretX(), v->CaretY(), 2, e.Fontheight));
    EXPECT_EQ(r.x(), v->TextLeft() + 4 * e.Fontwidth);
    EXPECT_EQ(r.y(), v->Settings().TopMargin() + e.Lineheight);
    EXPECT_EQ(v->inputMethodQuery(Qt::ImCursorRectangle).toRect(), r);
    EXPECT_EQ(v->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);  // two characters
    EXPECT_EQ(v->inputMethodQuery(Qt::ImSurroundingText).toString(), QString::fromUtf8("日本語テキスト"));
    EXPECT_EQ(v->inputMethodQuery(Qt::ImFont).value<QFont>().family(), v->DrawingFont().Font().family());
    e.SetselLine(0, 1, 6, 1);
    EXPECT_EQ(v->inputMethodQuery(Qt::ImCurrentSelection).toString(), QString::fromUtf8("日本語"));
    EXPECT_EQ(v->inputMethodQuery(Qt::ImAnchorPosition).toInt(), 0);
    EXPECT_EQ(v->inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);
    EXPECT_TRUE(v->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST(Caret, DrawnOnlyWhileShown) {
    auto v = MakeView();
    SetText(*v, "abc      ");
    v->Editor().CurSet(5, 0, Txmovemode::normal);
    const QRect r = v->CaretRect();
    QImage img = Render(*v);
    EXPECT_EQ(CountPixels(img, r, Px(kBlack)), 0);
    v->ForceCaret(true);
    img = Render(*v);
    // The caret inverts what it covers: white becomes black.
    EXPECT_EQ(CountPixels(img, r, Px(kBlack)), r.width() * r.height());
}

}  // namespace
}  // namespace tarn::view::test

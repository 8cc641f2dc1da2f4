// The incremental selection repaint, box rows that end early, and the
// order of the paint events.
#include <limits>

#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

class SelectionRepaint : public ::testing::Test {
protected:
    void SetUp() override {
        v = MakeView();
        v->Settings().SelColor = kRed;
        SetText(*v, "abcdefgh\r\nabcdefgh\r\nabcdefgh\r\nabcdefgh\r\nabcdefgh");
        fw = v->Editor().Fontwidth;
        left = v->TextLeft();
    }
    // Starts a selection at the anchor as the input code does: the flag,
    // the anchor, then the end moving with the caret.
    void Begin(int x, int y) {
        auto& e = v->Editor();
        e.CurSet(x, y, Txmovemode::normal);
        e.SelFlag = true;
    }
    void MoveEnd(int x, int y) {
        v->Editor().MoveCaret(x, y, Txmovemode::normal, false, false);
        v->RepaintSelectionEnd(x, y);
    }
    int FirstRed(const QImage& img, int row) { return FindPixel(img, SpacingY(*v, row), Px(kRed)); }
    int LastRed(const QImage& img, int row) { return FindLastPixel(img, SpacingY(*v, row), Px(kRed)); }
    std::unique_ptr<TTarnEditView> v;
    int fw = 0, left = 0;
};

TEST_F(SelectionRepaint, StreamGrowsAndShrinks) {
    Begin(2, 0);
    MoveEnd(3, 2);
    QImage img = Render(*v);
    EXPECT_EQ(FirstRed(img, 0), left + 2 * fw);
    EXPECT_EQ(FirstRed(img, 1), left);
    EXPECT_EQ(LastRed(img, 2), left + 3 * fw - 1);
    // Back up to row 1: row 2 loses its selection.
    MoveEnd(5, 1);
    img = Render(*v);
    EXPECT_EQ(FirstRed(img, 2), -1);
    EXPECT_EQ(LastRed(img, 1), left + 5 * fw - 1);
    // Across the anchor: now above it.
    MoveEnd(1, 0);
    img = Render(*v);
    EXPECT_EQ(FirstRed(img, 1), -1);
    EXPECT_EQ(FirstRed(img, 0), left + 1 * fw);
    EXPECT_EQ(LastRed(img, 0), left + 2 * fw - 1);
    EXPECT_EQ(v->Editor().PrevSelEndY, 0);
}

TEST_F(SelectionRepaint, BoxThatJumpsBackClearsEveryRowItLeft) {
    v->Editor().SetBoxSelMode(true);
    Begin(1, 0);
    MoveEnd(4, 4);
    QImage img = Render(*v);
    for (int row = 0; row <= 4; ++row) EXPECT_EQ(FirstRed(img, row), left + fw) << row;
    MoveEnd(4, 1);
    img = Render(*v);
    EXPECT_EQ(LastRed(img, 1), left + 4 * fw - 1);
    for (int row = 2; row <= 4; ++row) EXPECT_EQ(FirstRed(img, row), -1) << row;
}

TEST(BoxRows, ARowShorterThanTheBoxIsLeftUnselected) {
    auto v = MakeView();
    v->Settings().SelColor = kRed;
    SetText(*v, "abcdefgh\r\na\r\nabcdefgh");
    v->Editor().SetBoxSelMode(true);
    v->Editor().SetselLine(3, 0, 6, 2);
    const QImage img = Render(*v);
    EXPECT_NE(FindPixel(img, SpacingY(*v, 0), Px(kRed)), -1);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 1), Px(kRed)), -1);
    EXPECT_NE(FindPixel(img, SpacingY(*v, 2), Px(kRed)), -1);
}

TEST(TabTable, SpacesInsideLaterTabsGetMarks) {
    auto v = MakeView(1100, 200);
    v->Editor().SetTabCount(1);
    v->Settings().ShowSglSpace = true;
    SetText(*v, std::string(102, '\t'));
    const QImage img = Render(*v);
    const int fw = v->Editor().Fontwidth, h = v->Editor().Fontheight;
    const int top = v->Settings().TopMargin();
    auto cell = [&](int i) { return QRect(v->TextLeft() + i * fw, top, fw, h); };
    const Colour mark = v->Settings().CREOFcolor;
    // The first hundred tabs are in the tab table: no space marks there.
    EXPECT_EQ(CountPixels(img, cell(50), Px(mark)), 0);
    EXPECT_EQ(CountPixels(img, cell(99), Px(mark)), 0);
    // The table is full after that: their spaces look like spaces.
    EXPECT_GT(CountPixels(img, cell(100), Px(mark)), 4);
    EXPECT_GT(CountPixels(img, cell(101), Px(mark)), 4);
}

TEST(PaintEvents, OrderOfAPaintMessage) {
    auto v = MakeView();
    SetText(*v, "one\r\ntwo");
    std::vector<std::string> seen;
    v->OnUserClientDraw = [&](int L1, int, int, int, int, int) { seen.push_back("client" + std::to_string(L1)); };
    v->OnUserDraw = [&](int, int, int, int) { seen.push_back("user"); };
    v->OnPaint = [&] { seen.push_back("paint"); };
    v->update();
    v->ReDesign();  // invalidates the surface
    seen.clear();
    (void)v->grab();
    EXPECT_EQ(seen, (std::vector<std::string>{"client0", "client1", "user", "paint"}));
    // A direct full repaint is no paint message: no OnPaint.
    seen.clear();
    v->RepaintAll();
    EXPECT_EQ(seen, (std::vector<std::string>{"client0", "client1", "user"}));
    // Nothing invalidated: the paint event only copies the surface.
    seen.clear();
    (void)v->grab();
    EXPECT_TRUE(seen.empty());
}

TEST(PaintEvents, DoubleBufferedPaintLooksLikeThePlainOne) {
    auto plain = MakeView();
    auto buffered = MakeView();
    buffered->Settings().DoubleBuffered = true;
    for (auto* v : {plain.get(), buffered.get()}) {
        v->Settings().ShowLineNumber = true;
        v->Settings().SetShowRuler(true);
        v->ReDesign();
        SetText(*v, "日本語\r\n\tタブ　全角\r\nhttp://a.jp");
        v->ReDesign();
    }
    EXPECT_EQ(Render(*plain), Render(*buffered));
}

TEST(ProportionalFont, MeasuresByGlyphsAndStillRoundTrips) {
    auto v = MakeView();
    TFontSpec f = v->Settings().Font();
    f.Name = "DejaVu Sans";
    v->Settings().SetFont(f);
    v->ReDesign();
    ASSERT_FALSE(v->FixedPitch());
    SetText(*v, "iiWW\tmm");
    const int y = v->Settings().TopMargin() + 2;
    EXPECT_LT(v->ColumnToPixel(0, 2) - v->ColumnToPixel(0, 0), v->ColumnToPixel(0, 4) - v->ColumnToPixel(0, 2));
    for (int col = 0; col <= 7; ++col) EXPECT_EQ(v->PointToPosition(v->ColumnToPixel(0, col), y).X, col);
}

}  // namespace
}  // namespace tarn::view::test

namespace tarn::view::test {
namespace {

TEST(BadInput, OutOfRangeCallsNeitherCrashNorHang) {
    auto v = MakeView();
    SetText(*v, "abc\r\nあいう");
    v->SetTxtColor(-5, 99, 10, kRed, kGreen, false);
    v->SetTxtColor(2, 0, std::numeric_limits<int>::max(), kRed, kGreen, false);
    v->SetTxtColor2(10, 0, std::numeric_limits<int>::max(), kRed, kGreen, true, -1, -1, -1, -1);
    v->SetTxtColor2(0, -1, 3, kRed, kGreen, true, -1, -1, -1, -1);
    v->DrawLine(-10, 1000);
    v->ColorPrintText(-3, 1 << 30);
    v->RedrawRows(kRedrawRange, 1 << 30, -(1 << 30));
    v->Editor().SetBoxSelMode(true);
    v->Editor().SelFlag = true;
    v->RepaintSelectionEnd(std::numeric_limits<int>::max(), 1 << 30);
    v->Editor().ResetSel();
    v->Settings().WheelStep = 1 << 30;
    v->WndProc(platform::messages::WM_MOUSEWHEEL, platform::messages::MAKELONG(0, 0x8000), 0);
    v->WndProc(platform::messages::WM_VSCROLL, platform::messages::MAKELONG(5, 0xFFFF), 0);
    v->WndProc(platform::messages::WM_HSCROLL, platform::messages::MAKELONG(5, 0xFFFF), 0);
    v->WndProc(TTarnEditView::SetCaretPosMessage(), 0, -1);
    EXPECT_EQ(v->Editor().CurposY, 1);
    EXPECT_EQ(v->Editor().CurposX, 6);
    TFontSpec f = v->Settings().Font();
    f.Size = std::numeric_limits<int>::max();
    v->Settings().SetFont(f);
    EXPECT_LT(v->Settings().Font().Height(), 0);
    f.SetHeight(std::numeric_limits<int>::min());
    EXPECT_EQ(f.Size, 1000);
    (void)Render(*v);
}

TEST(BadInput, ADocumentWithNoStoredLinesPaintsNothing) {
    auto v = MakeView();
    SetText(*v, "abc");
    std::vector<std::string> boxes;
    v->MessageBoxHandler = [&](std::string_view t) { boxes.emplace_back(t); };
    v->Editor().AxClearLines();
    v->RepaintAll();
    v->RedrawRows(kRedrawVisible, 0, 0);
    v->WndProc(platform::messages::WM_VSCROLL, platform::messages::SB_PAGEDOWN, 0);
    EXPECT_EQ(v->PointToPosition(50, 50), (TextPos{0, 0}));
    const QImage img = Render(*v);
    EXPECT_EQ(CountPixels(img, v->ClientRect(), Px(kWhite)), v->ClientRect().width() * v->ClientRect().height());
}

}  // namespace
}  // namespace tarn::view::test

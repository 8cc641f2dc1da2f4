// Row painting: selections, marks, colouring and the host's colour runs,
// checked on the rendered widget.
#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        v = MakeView();
        v->Settings().SelColor = kRed;
        fw = v->Editor().Fontwidth;
        left = v->TextLeft();
    }
    int Col(int c) const { return left + c * fw; }
    int Top(int row) const { return v->Settings().TopMargin() + row * v->Editor().Lineheight; }
    std::unique_ptr<TTarnEditView> v;
    int fw = 0;
    int left = 0;
};

TEST_F(Painting, FontIsFixedPitchSoWidthsAreByteCounts) {
    ASSERT_TRUE(v->FixedPitch());
    EXPECT_EQ(v->TextWidth(J("あいa"), fw), 5 * fw);
    EXPECT_EQ(v->DrawingFont().Font().family(), QStringLiteral("IPAGothic"));
    // The stored name stays as the host gave it.
    EXPECT_EQ(v->Settings().Font().Name, "FixedSys");
}

TEST_F(Painting, StreamSelectionCoversExactlyTheSelectedCells) {
    SetText(*v, "abcdef\r\nghijkl\r\nmnop");
    v->Editor().SetselLine(2, 0, 3, 2);
    const QImage img = Render(*v);
    const QRgb red = Px(kRed);
    // Upper row: from its column to the end, the 8-pixel CR cell included.
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 0), red), Col(2));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 0), red), Col(6) + 8 - 1);
    // Middle row: whole.
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 1), red), Col(0));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 1), red), Col(6) + 8 - 1);
    // Lower row: up to its column only.
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 2), red), Col(0));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 2), red), Col(3) - 1);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 3), red), -1);
}

TEST_F(Painting, SelectionOnOneRowAndItsRemoval) {
    SetText(*v, "abcdef");
    v->Editor().SetselLine(1, 0, 4, 0);
    QImage img = Render(*v);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 0), Px(kRed)), Col(1));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 0), Px(kRed)), Col(4) - 1);
    v->Editor().ResetSel();
    img = Render(*v);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 0), Px(kRed)), -1);
}

TEST_F(Painting, BoxSelectionFollowsPixelBoundsAcrossDoubleByteRows) {
    SetText(*v, "abcdefgh\r\nab\r\nabcdefgh\r\nあいうえお");
    v->Editor().SetBoxSelMode(true);
    // Column 5 of the last row splits う: the caret stands before it.
    v->Editor().SetselLine(1, 0, 5, 3);
    EXPECT_EQ(v->Editor().CurposX, 4);
    const QImage img = Render(*v);
    const QRgb red = Px(kRed);
    for (int row : {0, 2}) {
        EXPECT_EQ(FindPixel(img, SpacingY(*v, row), red), Col(1)) << row;
        EXPECT_EQ(FindLastPixel(img, SpacingY(*v, row), red), Col(4) - 1) << row;
    }
    // Row 1 is shorter than the box: it is selected up to its end.
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 1), red), Col(1));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 1), red), Col(2) - 1);
    // Pixel 1 column in lies in the first half of あ: the box starts before it.
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 3), red), Col(0));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 3), red), Col(4) - 1);
    SaveScreenshot(img, "box-selection");
}

TEST_F(Painting, AllSelPaintsEveryRowSelected) {
    SetText(*v, "ab\r\ncd");
    v->Editor().AllSel();
    const QImage img = Render(*v);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 0), Px(kRed)), Col(0));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 0), Px(kRed)), Col(2) + 8 - 1);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 1), Px(kRed)), Col(0));
}

TEST_F(Painting, CrAndEofMarksStandAfterTheRightRows) {
    SetText(*v, "ab\r\ncde\r\n");
    const QImage img = Render(*v);
    const QRgb mark = Px(v->Settings().CREOFcolor);
    const int mid = v->Editor().Fontheight / 2;
    // The arrow's stem is 4 pixels right of each row's text.
    EXPECT_EQ(img.pixel(Col(2) + 4, Top(0) + mid) & 0xFFFFFF, mark & 0xFFFFFF);
    EXPECT_EQ(img.pixel(Col(3) + 4, Top(1) + mid) & 0xFFFFFF, mark & 0xFFFFFF);
    EXPECT_EQ(FindPixel(img, Top(0) + mid, mark, Col(2) + 8), -1);
    // "[EOF]" on the third row, at the text's left edge.
    const QRect eof(Col(0), Top(2), 5 * fw, v->Editor().Fontheight);
    EXPECT_GT(CountPixels(img, eof, mark), 10);
    EXPECT_EQ(CountPixels(img, QRect(Col(0), Top(0), 2 * fw, v->Editor().Fontheight), mark), 0);

    v->Settings().ShowCR = false;
    v->Settings().ShowEOF = false;
    v->RepaintAll();
    const QImage none = Render(*v);
    EXPECT_EQ(CountPixels(none, QRect(0, Top(0), none.width(), 3 * v->Editor().Lineheight), mark), 0);
}

TEST_F(Painting, EmptyTextShowsEofAtTheTextLeftEdge) {
    SetText(*v, "");
    const QImage img = Render(*v);
    // The bracket's ink lies in the first cell; the row has nothing before it.
    EXPECT_EQ(CountPixels(img, QRect(0, Top(0), Col(0), v->Editor().Fontheight), Px(kWhite)), Col(0) * v->Editor().Fontheight);
    EXPECT_GT(CountTinted(img, QRect(Col(0), Top(0), fw, v->Editor().Fontheight), v->Settings().CREOFcolor), 3);
    EXPECT_GT(CountTinted(img, QRect(Col(1), Top(0), 4 * fw, v->Editor().Fontheight), v->Settings().CREOFcolor), 20);
}

TEST_F(Painting, HostRunPaintedFromUserClientDrawSurvives) {
    SetText(*v, "abcdef\r\nghijkl\r\n");
    int calls = 0;
    v->OnUserClientDraw = [&](int L1, int L2, int, int, int, int) {
        ++calls;
        EXPECT_EQ(L1, L2);
        if (L1 == 1) v->SetTxtColor2(1, 1, 3, kWhite, kGreen, false, -1, -1, -1, -1);
    };
    v->RepaintAll();
    EXPECT_GE(calls, 3);
    const QRect run(Col(1), Top(1), 3 * fw, v->Editor().Fontheight);
    const int area = run.width() * run.height();
    for (int pass = 0; pass < 2; ++pass) {
        const QImage img = Render(*v);
        EXPECT_GT(CountPixels(img, run, Px(kGreen)), area / 2) << pass;
        EXPECT_EQ(CountPixels(img, QRect(Col(0), Top(1), fw, run.height()), Px(kGreen)), 0);
        EXPECT_EQ(CountPixels(img, QRect(Col(4), Top(1), fw, run.height()), Px(kGreen)), 0);
    }
    // A run painted later, outside any repaint, stays until its row repaints.
    v->OnUserClientDraw = nullptr;
    v->SetTxtColor2(0, 0, 2, kWhite, kBlue, false, -1, -1, -1, -1);
    EXPECT_GT(CountPixels(Render(*v), QRect(Col(0), Top(0), 2 * fw, run.height()), Px(kBlue)), area / 3);
    v->DrawLine(0, 0);
    EXPECT_EQ(CountPixels(Render(*v), QRect(Col(0), Top(0), 2 * fw, run.height()), Px(kBlue)), 0);
}

TEST_F(Painting, UrlColouringComesAfterTheHostRun) {
    SetText(*v, "go http://a.jp/x now");
    v->OnUserClientDraw = [&](int L1, int, int, int, int, int) {
        v->SetTxtColor2(0, L1, 20, kBlack, kGreen, false, -1, -1, -1, -1);
    };
    v->RepaintAll();
    const QImage img = Render(*v);
    const QRgb url = Px(v->Settings().URLColor);
    const int h = v->Editor().Fontheight;
    // The URL is drawn again, on Color, over the host's green.
    EXPECT_EQ(CountPixels(img, QRect(Col(3), Top(0), 13 * fw, h), Px(kGreen)), 0);
    EXPECT_GT(CountPixels(img, QRect(Col(3), Top(0), 13 * fw, h), url), 20);
    EXPECT_GT(CountPixels(img, QRect(Col(0), Top(0), 3 * fw, h), Px(kGreen)), 0);
    EXPECT_EQ(CountPixels(img, QRect(Col(16), Top(0), 4 * fw, h), url), 0);
}

TEST_F(Painting, UrlSchemesIgnoreCase) {
    SetText(*v, "HTTP://A.JP\r\nhttp:/a.jp");
    const QImage img = Render(*v);
    const QRgb url = Px(v->Settings().URLColor);
    const int h = v->Editor().Fontheight;
    EXPECT_GT(CountPixels(img, QRect(Col(0), Top(0), 11 * fw, h), url), 20);
    EXPECT_EQ(CountPixels(img, QRect(Col(0), Top(1), 10 * fw, h), url), 0);
    v->Settings().ColorPrintF = false;
    v->RepaintAll();
    EXPECT_EQ(CountPixels(Render(*v), QRect(Col(0), Top(0), 11 * fw, h), url), 0);
}

TEST_F(Painting, QuotedRowsTakeTheQuoteColour) {
    v->Settings().SetQuotMarkColor(kGreen);
    SetText(*v, ">quoted\r\nplain\r\n＞wide");
    const Colour quote = kGreen;
    const int h = v->Editor().Fontheight;
    QImage img = Render(*v);
    EXPECT_GT(CountTinted(img, QRect(Col(0), Top(0), 7 * fw, h), quote), 10);
    EXPECT_EQ(CountTinted(img, QRect(Col(0), Top(1), 5 * fw, h), quote), 0);
    EXPECT_EQ(CountTinted(img, QRect(Col(0), Top(2), 6 * fw, h), quote), 0);
    v->Settings().QuotMarkStr = J(">＞");
    v->RepaintAll();
    img = Render(*v);
    EXPECT_GT(CountTinted(img, QRect(Col(0), Top(2), 6 * fw, h), quote), 10);
    v->Settings().QuotMarkStr.clear();
    v->RepaintAll();
    EXPECT_EQ(CountTinted(Render(*v), QRect(Col(0), Top(0), 7 * fw, h), quote), 0);
}

TEST_F(Painting, SetTxtColorPaintsLikeASelectionAndRestoresEverything) {
    SetText(*v, "abcdef\r\nghij");
    v->Editor().SetselLine(0, 1, 2, 1);
    v->SetTxtColor(1, 0, 2, kWhite, kGreen, false);
    EXPECT_EQ(v->Settings().SelColor, kRed);
    EXPECT_EQ(v->Settings().Font().Color, kBlack);
    EXPECT_TRUE(v->Editor().SelFlag);
    EXPECT_EQ(v->Editor().GCurposY, 1);
    const QImage img = Render(*v);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 0), Px(kGreen)), Col(1));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 0), Px(kGreen)), Col(3) - 1);
    // normalF repaints the rows plainly, removing the run.
    v->SetTxtColor(1, 0, 2, kWhite, kGreen, true);
    EXPECT_EQ(FindPixel(Render(*v), SpacingY(*v, 0), Px(kGreen)), -1);
}

// Through the editor, as a find paints its remembered hit.
TEST_F(Painting, FindHitIsTheColourOnItsInverse) {
    SetText(*v, "find me here");
    v->Editor().OnFind = [](const std::string& s, const std::string& f, int, int& x, int& len) {
        const auto at = s.find(f);
        if (at != std::string::npos) x = static_cast<int>(at) + 1, len = static_cast<int>(f.size());
    };
    v->Editor().FindInit("me");
    v->Editor().FindDown();
    v->Editor().SetFindHitFocus(kRed);
    const QImage img = Render(*v);
    const QRgb inverse = Px(kRed ^ 0xFFFFFF);
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 0), inverse), Col(5));
    EXPECT_EQ(FindLastPixel(img, SpacingY(*v, 0), inverse), Col(7) - 1);
}

TEST_F(Painting, TabMarksStopAtOneHundredAndSpacesShowInTheRest) {
    v->Editor().SetTabCount(1);
    v->Settings().ShowTAB = true;
    SetText(*v, std::string(101, '\t'));
    v->RepaintAll();
    const QImage img = Render(*v);
    const QRgb mark = Px(v->Settings().CREOFcolor);
    const int m = Top(0) + v->Editor().Fontheight / 2;
    // An arrow's shaft crosses the middle of its cell.
    int arrows = 0;
    for (int i = 0; i < 101; ++i)
        if (Col(i) + fw / 2 < img.width() && (img.pixel(Col(i) + fw / 2, m) & 0xFFFFFF) == (mark & 0xFFFFFF)) ++arrows;
    const int visibleCells = (v->ClientRect().width() - left) / fw;
    EXPECT_EQ(arrows, std::min(100, visibleCells));
}

TEST_F(Painting, SpaceMarksAreDottedBoxes) {
    SetText(*v, "a　b c");
    const QRgb mark = Px(v->Settings().CREOFcolor);
    const int h = v->Editor().Fontheight;
    QImage img = Render(*v);
    // The full-width space (columns 1-2) has a box; the single space none.
    const int dbl = CountPixels(img, QRect(Col(1), Top(0), 2 * fw, h), mark);
    EXPECT_GT(dbl, 10);
    EXPECT_EQ(CountPixels(img, QRect(Col(4), Top(0), fw, h), mark), 0);
    // Dotted: along the box's left side every other pixel is set.
    const int x = Col(3) + 2 - 2 * fw;
    int on = 0;
    for (int y = Top(0) + 2; y < Top(0) + h - 2; ++y) on += (img.pixel(x, y) & 0xFFFFFF) == (mark & 0xFFFFFF);
    EXPECT_NEAR(on, (h - 4) / 2, 1);
    v->Settings().ShowSglSpace = true;
    v->Settings().ShowDblSpace = false;
    v->RepaintAll();
    img = Render(*v);
    EXPECT_EQ(CountPixels(img, QRect(Col(1), Top(0), 2 * fw, h), mark), 0);
    EXPECT_GT(CountPixels(img, QRect(Col(4), Top(0), fw, h), mark), 4);
}

TEST_F(Painting, CaretLineUnderlineHidesDuringSelection) {
    v->Settings().ShowUnderLine = true;
    v->Settings().UlineColor = kRed;
    SetText(*v, "ab\r\ncd\r\nef");
    v->Editor().CurSet(0, 1, Txmovemode::normal);
    v->RepaintAll();
    QImage img = Render(*v);
    const int y = Top(1) + v->Editor().Fontheight;
    EXPECT_EQ(FindPixel(img, y, Px(kRed)), v->Settings().LeftMargin());
    EXPECT_EQ(FindLastPixel(img, y, Px(kRed)), v->ClientRect().width() - 1);
    // Moving the caret moves the line.
    v->Editor().CurSet(0, 2, Txmovemode::normal);
    img = Render(*v);
    EXPECT_EQ(FindPixel(img, y, Px(kRed)), -1);
    EXPECT_EQ(FindPixel(img, Top(2) + v->Editor().Fontheight, Px(kRed)), v->Settings().LeftMargin());
    v->Settings().SelColor = kGreen;
    v->Editor().SetselLine(0, 0, 1, 0);
    v->RepaintAll();
    img = Render(*v);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(FindPixel(img, Top(row) + v->Editor().Fontheight, Px(kRed)), -1);
}

TEST_F(Painting, ColorSetterRepaintsAndDoubleBufferingLooksTheSame) {
    SetText(*v, "日本語 text\r\nline two");
    const QImage plain = Render(*v);
    v->Settings().DoubleBuffered = true;
    v->resize(v->size());  // no change: nothing invalidated
    v->update();
    v->ReDesign();
    EXPECT_EQ(Render(*v), plain);
    v->SetColor(0xE0E0FF);
    const QImage tinted = Render(*v);
    EXPECT_EQ(tinted.pixel(tinted.width() - 30, tinted.height() - 5) & 0xFFFFFF, Px(0xE0E0FF) & 0xFFFFFF);
}

}  // namespace
}  // namespace tarn::view::test

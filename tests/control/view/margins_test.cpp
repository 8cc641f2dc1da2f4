// The top band, the gutter and the settings' limits.
#include <QScrollBar>

#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

TEST(Settings, DefaultsAndClamps) {
    TViewSettings s;
    EXPECT_EQ(s.Color(), 0xFFFFFFu);
    EXPECT_EQ(s.SelColor, 0u);
    EXPECT_EQ(s.CREOFcolor, 0x808000u);
    EXPECT_EQ(s.URLColor, 0xFF0000u);
    EXPECT_EQ(s.QuotMarkColor, 0x808080u);
    EXPECT_TRUE(s.ShowCR && s.ShowEOF && s.ShowDblSpace && s.ColorPrintF);
    EXPECT_FALSE(s.ShowTAB || s.ShowSglSpace || s.ShowUnderLine || s.ShowLineNumber || s.ShowRuler());
    EXPECT_EQ(s.Font().Name, "FixedSys");
    EXPECT_EQ(s.Font().Size, 14);
    EXPECT_EQ(s.TopMargin(), 4);
    EXPECT_EQ(s.LeftMargin(), 10);
    EXPECT_EQ(s.LineSpace(), 10);
    EXPECT_EQ(s.QuotMarkStr, ">");

    s.SetTopMargin(50);
    EXPECT_EQ(s.TopMargin(), 30);
    s.SetTopMargin(-1);
    EXPECT_EQ(s.TopMargin(), 0);
    s.SetLeftMargin(31);
    EXPECT_EQ(s.LeftMargin(), 30);
    s.SetTopMargin(4);
    s.SetShowRuler(true);
    EXPECT_EQ(s.TopMargin(), 11);
    s.SetTopMargin(20);
    s.SetShowRuler(true);
    EXPECT_EQ(s.TopMargin(), 20);
    s.SetLineNoColumn(0);
    EXPECT_EQ(s.LineNoColumn(), 1);
    s.SetLineNoColumn(9);
    EXPECT_EQ(s.LineNoColumn(), 5);
    s.SetRulerCurWidth(9);
    EXPECT_EQ(s.RulerCurWidth(), 7);
    // System colour indexes become plain values when set.
    s.SetSelColor(0x80000005);  // the window colour
    EXPECT_EQ(s.SelColor, 0xFFFFFFu);
    s.SetURLColor(0x12345678);
    EXPECT_EQ(s.URLColor, 0x345678u);
}

TEST(Settings, RulerCursorRaisesTheBand) {
    auto v = MakeView();
    v->SetShowRulerCur(true);
    EXPECT_EQ(v->Settings().TopMargin(), 11);
    EXPECT_TRUE(v->Editor().ShowRulerCur);
}

TEST(Settings, WritesDoNotRepaintUntilReDesign) {
    auto v = MakeView();
    SetText(*v, "abc");
    const QImage before = Render(*v);
    v->Settings().SetLeftMargin(30);
    v->Settings().ShowLineNumber = true;
    EXPECT_EQ(Render(*v), before);
    v->ReDesign();
    EXPECT_NE(Render(*v), before);
}

class Bands : public ::testing::Test {
protected:
    void SetUp() override {
        v = MakeView();
        v->Settings().SelColor = kRed;
        SetText(*v, "abc\r\ndef\r\nghi");
    }
    // Where the selection of row 0, column 0 begins: the text's top-left.
    QPoint TextCorner() {
        v->Editor().SetselLine(0, 0, 2, 0);
        const QImage img = Render(*v);
        const int y = SpacingY(*v, 0);
        const int x = FindPixel(img, y, Px(kRed));
        int top = -1;
        for (int yy = 0; yy < img.height() && x >= 0; ++yy)
            if ((img.pixel(x, yy) & 0xFFFFFF) == (Px(kRed) & 0xFFFFFF)) {
                top = yy;
                break;
            }
        v->Editor().ResetSel();
        return QPoint(x, top);
    }
    std::unique_ptr<TTarnEditView> v;
};

TEST_F(Bands, LineNumbersAndRulerShiftTheText) {
    EXPECT_EQ(TextCorner(), QPoint(10, 4));
    v->Settings().ShowLineNumber = true;
    v->ReDesign();
    const int zero = v->DrawingFont().Width("0");
    const int gutter = std::min(100, zero * 5) + 7;
    EXPECT_EQ(v->LineNoWidth(), gutter);
    EXPECT_EQ(TextCorner(), QPoint(10 + gutter, 4));
    v->Settings().SetLineNoColumn(2);
    v->ReDesign();
    EXPECT_EQ(TextCorner(), QPoint(10 + zero * 2 + 7, 4));
    v->Settings().SetShowRuler(true);
    v->ReDesign();
    EXPECT_EQ(TextCorner(), QPoint(10 + zero * 2 + 7, 11));
    v->Settings().SetLeftMargin(0);
    v->Settings().ShowLineNumber = false;
    v->ReDesign();
    EXPECT_EQ(TextCorner().x(), 0);
}

TEST_F(Bands, LineNumbersEndSevenPixelsLeftOfTheText) {
    v->Settings().ShowLineNumber = true;
    v->ReDesign();
    const QImage img = Render(*v);
    const int left = v->TextLeft();
    const int h = v->Editor().Fontheight;
    const QRgb mark = Px(v->Settings().CREOFcolor);
    // The separator line at text left - 4, from the band down.
    for (int y = v->Settings().TopMargin(); y < v->Settings().TopMargin() + 3 * v->Editor().Lineheight; ++y)
        EXPECT_EQ(img.pixel(left - 4, y) & 0xFFFFFF, mark & 0xFFFFFF) << y;
    // Digit ink of "1" lies within its cell ending at left - 7.
    const int zero = v->DrawingFont().Width("0");
    const QRect cell(left - 7 - zero, v->Settings().TopMargin(), zero, h);
    EXPECT_GT(CountTinted(img, cell, v->Settings().CREOFcolor), 3);
    EXPECT_EQ(CountTinted(img, QRect(left - 6, v->Settings().TopMargin(), 2, h), v->Settings().CREOFcolor), 0);
}

TEST_F(Bands, GutterGrowsInTenPixelStepsUntilTheCountFits) {
    v->Settings().ShowLineNumber = true;
    v->Settings().SetLineNoColumn(1);
    v->ReDesign();
    const int zero = v->DrawingFont().Width("0");
    const int base = v->TextLeft();
    EXPECT_EQ(base, 10 + zero + 7);
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "x\r\n";
    v->Editor().SetText(text);
    const int need = v->DrawingFont().Width("100001") + 10 + 7;
    const int grown = v->TextLeft();
    EXPECT_GE(grown, need);
    EXPECT_LT(grown - 10, need);
    EXPECT_EQ((grown - base) % 10, 0);
    EXPECT_EQ(v->LineNoWidth(), grown - 10);
    EXPECT_EQ(v->Editor().DwclientX, v->ClientRect().width() - grown);
    // Shrinking the text keeps the width until the next ReDesign.
    SetText(*v, "short");
    EXPECT_EQ(v->TextLeft(), grown);
    v->ReDesign();
    EXPECT_EQ(v->TextLeft(), base);
}

TEST_F(Bands, RulerTicksNumbersAndUserDraw) {
    v->Settings().SetShowRuler(true);
    v->Settings().SetRulerColor(kBlue);
    int c1 = 0, c2 = 0, x1 = 0, x2 = 0;
    v->OnUserDraw = [&](int a, int b, int c, int d) { c1 = a, c2 = b, x1 = c, x2 = d; };
    v->ReDesign();
    const QImage img = Render(*v);
    const int left = v->TextLeft(), fw = v->Editor().Fontwidth;
    const QRgb ink = Px(kBlue);
    // Column 1's tick on the text left edge, short: y 5..10.
    EXPECT_EQ(img.pixel(left, 10) & 0xFFFFFF, ink & 0xFFFFFF);
    EXPECT_EQ(img.pixel(left, 5) & 0xFFFFFF, ink & 0xFFFFFF);
    EXPECT_NE(img.pixel(left, 4) & 0xFFFFFF, ink & 0xFFFFFF);
    // Column 10's tick is long, and its number stands right of it.
    const int x10 = left + 9 * fw;
    EXPECT_EQ(img.pixel(x10, 1) & 0xFFFFFF, ink & 0xFFFFFF);
    EXPECT_GT(CountTinted(img, QRect(x10 + 1, 0, 2 * fw, 10), kBlue), 3);
    EXPECT_EQ(CountTinted(img, QRect(left + 1 + 4 * fw, 0, 3 * fw, 4), kBlue), 0);
    // The base line.
    EXPECT_EQ(img.pixel(left + 3, 10) & 0xFFFFFF, ink & 0xFFFFFF);
    EXPECT_EQ(c1, 1);
    EXPECT_EQ(c2, std::min(static_cast<int>(std::nearbyint(static_cast<double>(v->width()) / fw)), v->Editor().MaxCurposX()));
    EXPECT_EQ(x1, left);
    EXPECT_EQ(x2, v->width());  // no bar width recorded until the property is set
    v->SetVertScrollBar(true);
    v->RepaintAll();
    EXPECT_EQ(x2, v->width() - v->VerticalBar()->width());
}

TEST_F(Bands, RulerCursorFollowsTheCaretInXor) {
    v->SetShowRulerCur(true);
    v->Settings().SetRulerCurColor(kRed);
    v->Settings().SetRulerCurWidth(1);
    v->ReDesign();
    auto at = [&](int col) { return v->TextLeft() + col * v->Editor().Fontwidth; };
    QImage img = Render(*v);
    EXPECT_EQ(img.pixel(at(0), 3) & 0xFFFFFF, Px(kRed) & 0xFFFFFF);
    v->Editor().CurSet(2, 0, Txmovemode::normal);
    img = Render(*v);
    EXPECT_EQ(img.pixel(at(0), 3) & 0xFFFFFF, Px(kWhite) & 0xFFFFFF);
    EXPECT_EQ(img.pixel(at(2), 3) & 0xFFFFFF, Px(kRed) & 0xFFFFFF);
    EXPECT_EQ(img.pixel(at(2), 8) & 0xFFFFFF, Px(kWhite) & 0xFFFFFF);  // 8 pixels tall
    // Width 0 still draws one pixel.
    v->Settings().SetRulerCurWidth(0);
    v->RepaintAll();
    img = Render(*v);
    EXPECT_EQ(img.pixel(at(2), 3) & 0xFFFFFF, Px(kRed) & 0xFFFFFF);
    EXPECT_EQ(img.pixel(at(2) + 1, 3) & 0xFFFFFF, Px(kWhite) & 0xFFFFFF);
}

}  // namespace
}  // namespace tarn::view::test

namespace tarn::view::test {
namespace {

TEST(Settings, ParentFontCopiesTheParentsFaceAndSize) {
    QWidget parent;
    QFont pf(QStringLiteral("DejaVu Sans Mono"));
    pf.setPointSize(9);
    parent.setFont(pf);
    auto* v = new TTarnEditView(&parent);
    TFontSpec f = v->Settings().Font();
    f.Color = 0x0000FF;
    v->Settings().SetFont(f);
    v->SetParentFont(true);
    EXPECT_TRUE(v->Settings().ParentFont);
    EXPECT_EQ(v->Settings().Font().Name, "DejaVu Sans Mono");
    EXPECT_EQ(v->Settings().Font().Size, 9);
    EXPECT_EQ(v->Settings().Font().Color, 0x0000FFu);
    // Assigning a font clears it again.
    v->Settings().SetFont(f);
    EXPECT_FALSE(v->Settings().ParentFont);
}

}  // namespace
}  // namespace tarn::view::test

// Painting of soft-wrapped rows: URLs and quotes carried across the cut,
// and re-wrapping when the window narrows with AutoWrap.
#include <QScrollBar>

#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

class WrappedRows : public ::testing::Test {
protected:
    void SetUp() override {
        v = MakeView();
        v->Editor().SetColumn(10);
        v->Editor().SetWordWrap(true, true);
        fw = v->Editor().Fontwidth;
        h = v->Editor().Fontheight;
    }
    QRect Cells(int row, int from, int n) const {
        return QRect(v->TextLeft() + from * fw, v->Settings().TopMargin() + row * v->Editor().Lineheight, n * fw, h);
    }
    std::unique_ptr<TTarnEditView> v;
    int fw = 0, h = 0;
};

TEST_F(WrappedRows, AUrlPastTheWrapColumnIsColouredOnBothRows) {
    SetText(*v, "ab http://a.jp/xyz end\r\nnext");
    ASSERT_GE(v->Editor().LineCount(), 3);
    ASSERT_FALSE(IsLineTerminated(v->Editor().Lines.Line(0)));
    const QImage img = Render(*v);
    const Colour url = v->Settings().URLColor;
    EXPECT_GT(CountTinted(img, Cells(0, 3, 7), url), 10);
    EXPECT_GT(CountTinted(img, Cells(1, 0, 8), url), 10);  // "a.jp/xyz"
    EXPECT_EQ(CountTinted(img, Cells(1, 9, 1), url), 0);   // " end"
    // The hard line end stops it: the next text line is plain.
    EXPECT_EQ(CountTinted(img, Cells(v->Editor().LineCount() - 1, 0, 4), url), 0);
    SaveScreenshot(img, "wrapped-url");
}

TEST_F(WrappedRows, EveryRowOfAQuotedLineTakesTheQuoteColour) {
    v->Settings().SetQuotMarkColor(kGreen);
    SetText(*v, ">quoted text that wraps\r\nplain");
    ASSERT_GE(v->Editor().LineCount(), 4);
    const QImage img = Render(*v);
    EXPECT_GT(CountTinted(img, Cells(0, 0, 10), kGreen), 10);
    EXPECT_GT(CountTinted(img, Cells(1, 0, 10), kGreen), 10);
    EXPECT_EQ(CountTinted(img, Cells(3, 0, 5), kGreen), 0);
}

TEST_F(WrappedRows, SoftWrappedRowsHaveNoCrMark) {
    SetText(*v, "0123456789abcdef\r\n");
    const QImage img = Render(*v);
    const Colour mark = v->Settings().CREOFcolor;
    // Row 0 is a segment: nothing after its text; row 1 ends the line.
    EXPECT_EQ(CountTinted(img, Cells(0, 10, 2), mark), 0);
    EXPECT_GT(CountTinted(img, Cells(1, 6, 1), mark), 2);
}

TEST(AutoWrap, NarrowingTheWindowWrapsAgain) {
    auto v = MakeView(600, 200);
    auto& e = v->Editor();
    e.AutoWrap = true;
    e.SetWordWrap(true, true);
    SetText(*v, std::string(60, 'x'));
    EXPECT_EQ(e.LineCount(), 1);
    v->resize(v->TextLeft() + 20 * e.Fontwidth + v->VerticalBar()->width(), 200);
    (void)v->grab();
    EXPECT_EQ(e.DwclientX, 20 * e.Fontwidth);
    EXPECT_EQ(e.LineCount(), 3);
}

}  // namespace
}  // namespace tarn::view::test

// Pictures of the real widget for a person to look at, saved in the build's
// test-screenshots folder; each also checks that the widget drew what the
// picture is meant to show.
#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

const char* const kSample =
    "TarnEditX の表示見本です。\r\n"
    "日本語の文章と ASCII text が混ざった行。\r\n"
    "全角スペース→　←と半角スペース→ ←\r\n"
    "タブ\t区切り\tの\t行\r\n"
    "> 引用された行は引用色で表示されます。\r\n"
    "URL: http://www.example.co.jp/index.html と mailto:info@example.jp\r\n"
    "半角ｶﾀｶﾅ ﾃｷｽﾄ と 記号 ①②③ ■□◆\r\n"
    "最後の行";

std::unique_ptr<TTarnEditView> Shown() {
    auto v = MakeView(640, 240);
    v->show();
    v->ForceCaret(true);
    return v;
}

TEST(Screenshots, JapaneseTextWithMarksRulerAndGutter) {
    auto v = Shown();
    auto& s = v->Settings();
    s.SetShowRuler(true);
    v->SetShowRulerCur(true);
    s.ShowLineNumber = true;
    s.ShowTAB = true;
    s.ShowSglSpace = true;
    s.ShowUnderLine = true;
    v->ReDesign();
    SetText(*v, kSample);
    v->Editor().CurSet(6, 1, Txmovemode::normal);
    const QImage img = Render(*v);
    SaveScreenshot(img, "japanese-marks-ruler-gutter");
    EXPECT_EQ(s.TopMargin(), 11);
    EXPECT_GT(CountTinted(img, QRect(0, 11, v->TextLeft(), 100), s.CREOFcolor), 20);  // line numbers
    EXPECT_GT(CountTinted(img, QRect(v->TextLeft(), 0, 400, 11), s.RulerColor), 30);  // ruler
}

TEST(Screenshots, StreamAndBoxSelection) {
    auto v = Shown();
    v->Settings().SelColor = 0x6B2E0A;  // a dark blue, like a system highlight
    SetText(*v, kSample);
    v->Editor().SetselLine(8, 0, 10, 2);
    QImage img = Render(*v);
    SaveScreenshot(img, "stream-selection");
    EXPECT_GT(CountPixels(img, v->ClientRect(), Px(0x6B2E0A)), 1000);
    v->Editor().SetBoxSelMode(true);
    v->Editor().SetselLine(4, 1, 12, 5);
    img = Render(*v);
    SaveScreenshot(img, "box-selection-japanese");
    EXPECT_EQ(FindPixel(img, SpacingY(*v, 0), Px(0x6B2E0A)), -1);
    EXPECT_NE(FindPixel(img, SpacingY(*v, 3), Px(0x6B2E0A)), -1);
}

TEST(Screenshots, DeepInALargeDocumentWithAGrownGutter) {
    auto v = Shown();
    v->Settings().ShowLineNumber = true;
    v->Settings().SetLineNoColumn(2);
    v->ReDesign();
    std::string text;
    for (int i = 0; i < 120000; ++i) text += "行 " + std::to_string(i + 1) + " の本文\r\n";
    SetText(*v, text);
    v->Editor().CurSet(0, 100000, Txmovemode::setcenter);
    const QImage img = Render(*v);
    SaveScreenshot(img, "large-document-gutter");
    EXPECT_GE(v->TextLeft(), v->DrawingFont().Width("120001") + 17);
}

}  // namespace
}  // namespace tarn::view::test

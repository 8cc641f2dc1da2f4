// Pictographs in the rows: drawn as pictures in their two cells, while the
// caret, the widths and the stored bytes treat them as any double-byte
// character.
#include <QCryptographicHash>
#include <QPainter>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

#include "platform/codepage/pictographs.h"
#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

namespace cp = platform::codepage;

std::string CodeBytes(std::uint16_t code) {
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::vector<std::uint16_t> BasicCodes() {
    std::vector<std::uint16_t> codes;
    for (int n = 1; n <= 166; ++n) codes.push_back(cp::PictographCodeOfNumber(n));
    return codes;
}

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PictographRows : public ::testing::Test {
protected:
    // One row per code: "a", the code, "b".
    void Build(int rows) {
        v = MakeView(160, 0);
        const int height = v->Settings().TopMargin() + (rows + 2) * v->Editor().Lineheight + 40;
        v = MakeView(160, height);
        fw = v->Editor().Fontwidth;
        left = v->TextLeft();
    }
    QRect Cells(int row, int col, int count) const {
        return QRect(left + col * fw, v->Settings().TopMargin() + row * v->Editor().Lineheight, count * fw,
                     v->Editor().Fontheight);
    }
    // What the text font alone draws for the character: the empty box.
    QImage FontDrawing(std::uint16_t code) const {
        QImage img(2 * fw, v->Editor().Fontheight, QImage::Format_RGB32);
        img.fill(ToQColor(v->Settings().Color()));
        QPainter p(&img);
        p.setFont(v->DrawingFont().Font());
        p.setPen(ToQColor(v->Settings().Font().Color));
        p.drawText(0, v->DrawingFont().Ascent(), FromBytes(CodeBytes(code)));
        return img;
    }
    std::unique_ptr<TTarnEditView> v;
    int fw = 0;
    int left = 0;
};

int Differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return n;
}

TEST_F(PictographRows, EveryBasicCodeIsAPictureFillingItsTwoCellsOnly) {
    const std::vector<std::uint16_t> codes = BasicCodes();
    Build(static_cast<int>(codes.size()));
    ASSERT_TRUE(v->FixedPitch());
    std::string drawn, blank;
    for (std::uint16_t code : codes) {
        drawn += "a" + CodeBytes(code) + "b\r\n";
        blank += "a\x81\x40" "b\r\n";  // an ideographic space: the same cells, no ink
    }
    v->Editor().SetText(drawn);
    const QImage img = Render(*v);
    v->Editor().SetText(blank);
    const QImage plain = Render(*v);
    SaveScreenshot(img, "pictographs-basic");

    const QRgb background = Px(v->Settings().Color());
    std::set<QByteArray> pictures;
    for (int row = 0; row < static_cast<int>(codes.size()); ++row) {
        const std::uint16_t code = codes[static_cast<std::size_t>(row)];
        const QRect box = Cells(row, 1, 2);
        const QImage picture = img.copy(box);
        const int area = box.width() * box.height();
        EXPECT_GT(area - CountPixels(img, box, background), area / 8) << std::hex << code << " is (nearly) empty";
        EXPECT_GT(Differing(picture, FontDrawing(code)), area / 8) << std::hex << code << " is the font's box";
        // The letters around it are where they would be around any
        // double-byte character, and nothing spills onto them.
        EXPECT_EQ(img.copy(Cells(row, 0, 1)), plain.copy(Cells(row, 0, 1))) << std::hex << code;
        EXPECT_EQ(img.copy(Cells(row, 3, 1)), plain.copy(Cells(row, 3, 1))) << std::hex << code;
        pictures.insert(QCryptographicHash::hash(
            QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()),
            QCryptographicHash::Sha1));
    }
    // One picture per pictograph, not one stand-in for all of them.
    EXPECT_GE(pictures.size(), codes.size() - 2);
}

TEST_F(PictographRows, ExtendedCodesWithAnEmojiAreDrawnToo) {
    std::vector<std::uint16_t> extended;
    for (std::uint16_t code : cp::MappedPictographs())
        if (!cp::IsBasicPictograph(code)) extended.push_back(code);
    ASSERT_FALSE(extended.empty());
    Build(static_cast<int>(extended.size()));
    std::string drawn;
    for (std::uint16_t code : extended) drawn += "a" + CodeBytes(code) + "b\r\n";
    v->Editor().SetText(drawn);
    const QImage img = Render(*v);
    const QRgb background = Px(v->Settings().Color());
    for (int row = 0; row < static_cast<int>(extended.size()); ++row) {
        const std::uint16_t code = extended[static_cast<std::size_t>(row)];
        const QRect box = Cells(row, 1, 2);
        const int area = box.width() * box.height();
        EXPECT_GT(area - CountPixels(img, box, background), area / 8) << std::hex << code << " is (nearly) empty";
        EXPECT_GT(Differing(img.copy(box), FontDrawing(code)), area / 8) << std::hex << code;
    }
}

TEST_F(PictographRows, SelectedPictographKeepsItsPictureOnTheSelectionColour) {
    Build(1);
    v->Settings().SelColor = kRed;
    v->Editor().SetText("a" + CodeBytes(0xF89F) + "b");
    v->Editor().SetselLine(0, 0, 4, 0);
    const QImage img = Render(*v);
    const QRect box = Cells(0, 1, 2);
    const int area = box.width() * box.height();
    const int red = CountPixels(img, box, Px(kRed));
    EXPECT_GT(red, 0);
    EXPECT_LT(red, area - area / 8);
}

// ---- The caret and the bytes --------------------------------------------

class PictographEditing : public ::testing::Test {
protected:
    void SetUp() override {
        v = MakeView(400, 120);
        v->show();
        v->setFocus();
    }
    TTarnEdit& E() { return v->Editor(); }
    std::unique_ptr<TTarnEditView> v;
};

TEST_F(PictographEditing, CaretStepsOverAPictographAsOverAnyDoubleByteCharacter) {
    const std::string pictographs = "a" + CodeBytes(0xF89F) + CodeBytes(0xF975) + "b" + CodeBytes(0xF9FC);
    const std::string kana = J("aあいbう");
    ASSERT_EQ(pictographs.size(), kana.size());
    std::vector<int> stepsOverPictographs, stepsOverKana;
    std::vector<int> pixels;
    for (const std::string* text : {&pictographs, &kana}) {
        E().SetText(*text);
        E().CurSet(0, 0, Txmovemode::normal);
        std::vector<int>& steps = text == &pictographs ? stepsOverPictographs : stepsOverKana;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(v.get(), Qt::Key_Right);
            steps.push_back(E().CurposX);
            if (text == &pictographs) pixels.push_back(v->ColumnToPixel(0, E().CurposX));
        }
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(v.get(), Qt::Key_Left);
            steps.push_back(E().CurposX);
        }
    }
    EXPECT_EQ(stepsOverPictographs, (std::vector<int>{1, 3, 5, 6, 8, 6, 5, 3, 1, 0}));
    EXPECT_EQ(stepsOverPictographs, stepsOverKana);
    EXPECT_EQ(pixels[1] - pixels[0], 2 * E().Fontwidth);

    // Shift+Right takes the whole pictograph; Delete removes both bytes.
    E().SetText(pictographs);
    E().CurSet(1, 0, Txmovemode::normal);
    QTest::keyClick(v.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(E().SelText(), CodeBytes(0xF89F));
    QTest::keyClick(v.get(), Qt::Key_Delete);
    EXPECT_EQ(E().Text(), "a" + CodeBytes(0xF975) + "b" + CodeBytes(0xF9FC));
}

TEST_F(PictographEditing, PageOfRawPictographsIsSavedByteForByte) {
    const std::filesystem::path page = QUENBY_VIEW_TEST_DATA "/pictograph_page.html";
    const std::string original = ReadFile(page);
    ASSERT_GT(original.size(), 400u);
    // Wrapped short, so that the rows are cut among the pictographs.
    E().SetColumn(15);
    E().SetWordWrap(true, true);
    ASSERT_TRUE(E().LoadFromFile(page));
    EXPECT_EQ(E().Text(), original);
    // Every wrap cut falls between characters.
    for (int row = 0; row < E().LineCount(); ++row) {
        const std::string& line = E().Lines.Line(row);
        for (std::size_t i = 0; i < line.size(); ++i)
            if (platform::codepage::IsLeadByte(line[i])) {
                ASSERT_LT(++i, line.size()) << "row " << row;
            }
    }
    (void)Render(*v);
    const std::filesystem::path saved =
        std::filesystem::temp_directory_path() / ("tarn-pictographs-" + std::to_string(std::random_device{}()) + ".html");
    ASSERT_TRUE(E().SaveToFile(saved));
    EXPECT_EQ(ReadFile(saved), original);
    std::filesystem::remove(saved);
}

}  // namespace
}  // namespace tarn::view::test

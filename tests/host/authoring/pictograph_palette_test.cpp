// The pictograph palette: which cell a press picks, the reference it
// shows and inserts, the enlarged view, and what insertion does to the
// editor's control and preview.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "host/authoring/editor_port.h"
#include "host/authoring/pictograph_palette.h"
#include "host/authoring/pictograph_pick.h"
#include "host/common/control_host.h"
#include "host/common/program_folder.h"
#include "tests/host/shell/shell_test_support.h"

namespace quenby::authoring {
namespace {

namespace tx = tarnedit;

// The middle of the cell that holds pictograph n.
QPoint CellOf(int n) {
    return {((n - 1) % kPaletteColumns) * kPaletteCell + 9, ((n - 1) / kPaletteColumns) * kPaletteCell + 9};
}

TEST(PictographPick, CellsNumberRowByRowAndStopAfterTheLast) {
    EXPECT_EQ(PictographAt(0, 0), 1);
    EXPECT_EQ(PictographAt(18, 18), 1);
    EXPECT_EQ(PictographAt(19, 0), 2);
    EXPECT_EQ(PictographAt(0, 19), 17);
    EXPECT_EQ(PictographAt(15 * 19 + 5, 5), 16);
    // The closing grid line on the right belongs to the last column, not
    // to the next row.
    EXPECT_EQ(PictographAt(304, 0), 16);
    EXPECT_EQ(PictographAt(5 * 19, 10 * 19), 166);
    EXPECT_EQ(PictographAt(6 * 19, 10 * 19), 0);   // 167: an empty cell
    EXPECT_EQ(PictographAt(15 * 19, 209), 0);      // the last pixel, in an empty cell
    EXPECT_EQ(PictographAt(-1, 0), 0);
    EXPECT_EQ(PictographAt(0, -1), 0);
    EXPECT_EQ(PictographAt(305, 0), 0);
    EXPECT_EQ(PictographAt(0, 210), 0);
}

TEST(PictographPick, ReferencesUseTheHandsetCodes) {
    EXPECT_EQ(PictographReference(1), QStringLiteral("&#63647;"));
    EXPECT_EQ(PictographReference(17), QStringLiteral("&#63663;"));
    EXPECT_EQ(PictographReference(94), QStringLiteral("&#63740;"));
    EXPECT_EQ(PictographReference(95), QStringLiteral("&#63808;"));  // F940: numbers 95-104 are F940-F949
    EXPECT_EQ(PictographReference(105), QStringLiteral("&#63858;"));
    EXPECT_EQ(PictographReference(118), QStringLiteral("&#63872;"));  // 0xF97F is skipped
    EXPECT_EQ(PictographReference(135), QStringLiteral("&#63920;"));
    EXPECT_EQ(PictographReference(136), QStringLiteral("&#63889;"));
    EXPECT_EQ(PictographReference(166), QStringLiteral("&#63919;"));
    EXPECT_EQ(PictographReference(0), QString());
    EXPECT_EQ(PictographReference(167), QString());
}

// An editor made of a window and a real control; counts preview refreshes.
class FakeEditor final : public EditorPort {
public:
    QWidget* OwnerWindow() override { return &window; }
    ControlHost& EditorControl() override { return *control; }
    void RefreshPreview() override {
        ++refreshes;
        textAtRefresh = control->Text();
    }
    void NewDocument(const QString&) override {}
    void ShowFileInCaption(const QString&) override {}

    QWidget window;
    std::unique_ptr<ControlHost> control;
    int refreshes = 0;
    QString textAtRefresh;
};

class PaletteDialogTest : public test::ProgramFolderFixture {
protected:
    void SetUp() override {
        ProgramFolderFixture::SetUp();
        std::filesystem::copy(std::filesystem::path(QUENBY_DATA_DIR) / "image", Folder() / "image",
                              std::filesystem::copy_options::recursive);
        editor_.window.resize(400, 300);
        QString error;
        editor_.control = ControlHost::Create(&editor_.window, std::string(), &error);
        ASSERT_TRUE(editor_.control) << error.toStdString();
        editor_.control->Window()->setGeometry(0, 0, 400, 300);
        dialog_ = std::make_unique<InsForm_PictText>(editor_, FromPath(Folder()), &editor_.window);
        dialog_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog_.get()));
    }
    void TearDown() override {
        dialog_.reset();
        editor_.control.reset();  // before the window, which holds its window
    }
    QString Text1() const { return dialog_->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(); }

    FakeEditor editor_;
    std::unique_ptr<InsForm_PictText> dialog_;
};

TEST_F(PaletteDialogTest, TheDialogCarriesItsOwnTexts) {
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("i-mode専用絵文字"));
    EXPECT_EQ(dialog_->InsertButton()->text(), QStringLiteral("挿入(&I)"));
    EXPECT_EQ(dialog_->CloseButton()->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(dialog_->parentWidget(), &editor_.window);
    EXPECT_EQ(dialog_->PalettePicture()->size(), QSize(305, 210));
}

TEST_F(PaletteDialogTest, PressesPickAndShowTheReference) {
    EXPECT_FALSE(dialog_->InsertButton()->isEnabled());
    EXPECT_EQ(dialog_->Number(), 0);

    // (QTest reads the point (0, 0) as "the widget's centre", so the real
    // mouse goes to another pixel of the first cell.)
    QTest::mouseClick(dialog_->PalettePicture(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(dialog_->Number(), 1);
    dialog_->PressAt(QPoint(0, 0));
    EXPECT_EQ(dialog_->Number(), 1);
    EXPECT_EQ(Text1(), QStringLiteral("&#63647;"));
    EXPECT_TRUE(dialog_->InsertButton()->isEnabled());

    dialog_->PressAt(QPoint(0, 19));
    EXPECT_EQ(dialog_->Number(), 17);
    EXPECT_EQ(Text1(), QStringLiteral("&#63663;"));
    dialog_->PressAt(CellOf(135));
    EXPECT_EQ(Text1(), QStringLiteral("&#63920;"));
    dialog_->PressAt(CellOf(136));
    EXPECT_EQ(Text1(), QStringLiteral("&#63889;"));

    // The empty cells after the last pictograph change nothing.
    const QImage before = dialog_->EnlargedPicture();
    dialog_->PressAt(CellOf(167));
    QTest::mouseClick(dialog_->PalettePicture(), Qt::LeftButton, {}, CellOf(176));
    EXPECT_EQ(dialog_->Number(), 136);
    EXPECT_EQ(Text1(), QStringLiteral("&#63889;"));
    EXPECT_EQ(dialog_->EnlargedPicture(), before);
}

TEST_F(PaletteDialogTest, InsertingWithoutASelectionPutsTheReferenceAtTheCaret) {
    ControlHost& c = *editor_.control;
    ASSERT_TRUE(c.SetText(QStringLiteral("abcdef")));
    c.Function<bool>(tx::dispid::CurSet, 3, 0, 0);
    ASSERT_EQ(c.Get<QString>(tx::dispid::SelText), QString());
    dialog_->PressAt(QPoint(0, 0));

    QTest::mouseClick(dialog_->InsertButton(), Qt::LeftButton);
    EXPECT_EQ(c.Text(), QStringLiteral("abc&#63647;def"));
    // The preview is refreshed once, after the text changed.
    EXPECT_EQ(editor_.refreshes, 1);
    EXPECT_EQ(editor_.textAtRefresh, QStringLiteral("abc&#63647;def"));
    // The dialog stays for the next one, which follows the first.
    EXPECT_TRUE(dialog_->isVisible());
    dialog_->PressAt(QPoint(0, 19));
    dialog_->InsertButton_Click();
    EXPECT_EQ(c.Text(), QStringLiteral("abc&#63647;&#63663;def"));
    EXPECT_EQ(editor_.refreshes, 2);
}

TEST_F(PaletteDialogTest, InsertingKeepsTheSelectionAndPutsTheReferenceAfterIt) {
    ControlHost& c = *editor_.control;
    ASSERT_TRUE(c.SetText(QStringLiteral("abcdef")));
    ASSERT_TRUE(c.Call(tx::dispid::SetselLine, 1, 0, 4, 0));
    ASSERT_EQ(c.Get<QString>(tx::dispid::SelText), QStringLiteral("bcd"));
    dialog_->PressAt(CellOf(135));
    dialog_->InsertButton_Click();
    EXPECT_EQ(c.Text(), QStringLiteral("abcd&#63920;ef"));
    EXPECT_EQ(editor_.refreshes, 1);
}

TEST_F(PaletteDialogTest, ADoubleClickOnThePalettePicksAndInsertsOnce) {
    ControlHost& c = *editor_.control;
    ASSERT_TRUE(c.SetText(QStringLiteral("xy")));
    c.Function<bool>(tx::dispid::CurSet, 1, 0, 0);
    QTest::mouseDClick(dialog_->PalettePicture(), Qt::LeftButton, {}, CellOf(136));
    EXPECT_EQ(dialog_->Number(), 136);
    EXPECT_EQ(c.Text(), QStringLiteral("x&#63889;y"));
    EXPECT_EQ(editor_.refreshes, 1);
}

TEST_F(PaletteDialogTest, NothingIsInsertedBeforeAPick) {
    ASSERT_TRUE(editor_.control->SetText(QStringLiteral("abc")));
    dialog_->InsertButton_Click();
    EXPECT_EQ(editor_.control->Text(), QStringLiteral("abc"));
    EXPECT_EQ(editor_.refreshes, 0);
}

TEST_F(PaletteDialogTest, TheEnlargedViewIsThePictographSixTimesPixelForPixel) {
    for (int n : {1, 95, 166}) {
        SCOPED_TRACE(n);
        dialog_->PressAt(CellOf(n));
        const QImage source =
            QImage(FromPath(Folder() / "image" / (std::to_string(n) + ".gif"))).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(source.size(), QSize(12, 12));
        const QImage big = dialog_->EnlargedPicture().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(big.size(), QSize(72, 72));
        int mismatches = 0;
        for (int y = 0; y < 72; ++y)
            for (int x = 0; x < 72; ++x) mismatches += big.pixel(x, y) != source.pixel(x / 6, y / 6);
        EXPECT_EQ(mismatches, 0);

        // On screen: centred in the box, and every opaque pixel unblurred.
        const QImage shown = dialog_->PreviewPicture()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const int left = (shown.width() - 72) / 2, top = (shown.height() - 72) / 2;
        mismatches = 0;
        for (int y = 0; y < 72; ++y)
            for (int x = 0; x < 72; ++x) {
                const QRgb s = source.pixel(x / 6, y / 6);
                if (qAlpha(s) == 255) mismatches += shown.pixel(left + x, top + y) != s;
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_F(PaletteDialogTest, TheCloseButtonClosesTheDialog) {
    QTest::mouseClick(dialog_->CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(PaletteDialogTest, Screenshot) {
    dialog_->PressAt(CellOf(40));
    QDir().mkpath(QStringLiteral(QUENBY_SCREENSHOT_DIR));
    EXPECT_TRUE(dialog_->grab().save(QStringLiteral(QUENBY_SCREENSHOT_DIR "/palette.png")));
}

}  // namespace
}  // namespace quenby::authoring

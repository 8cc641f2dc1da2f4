// The four tag dialogs against a real control: the selection goes into the
// new element through the control, or nothing is inserted; the link
// dialog keeps its target and kind in step; the font dialog's swatches and
// its question for any colour; the image preview.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "host/authoring/editor_port.h"
#include "host/authoring/font_dialog.h"
#include "host/authoring/image_dialog.h"
#include "host/authoring/link_dialog.h"
#include "host/authoring/marquee_dialog.h"
#include "host/common/control_host.h"
#include "tests/host/shell/shell_test_support.h"

namespace quenby::authoring {
namespace {

namespace tx = tarnedit;

// The editor as the dialogs see it: a window holding a real control.
class FakeEditor final : public EditorPort {
public:
    explicit FakeEditor(ControlHost& control, QWidget* window) : control_(control), window_(window) {}
    QWidget* OwnerWindow() override { return window_; }
    ControlHost& EditorControl() override { return control_; }
    void RefreshPreview() override { ++refreshes; }
    void NewDocument(const QString&) override {}
    void ShowFileInCaption(const QString&) override {}
    int refreshes = 0;

private:
    ControlHost& control_;
    QWidget* window_;
};

class TagDialogTest : public test::ProgramFolderFixture {
protected:
    void SetUp() override {
        ProgramFolderFixture::SetUp();
        window_ = std::make_unique<QWidget>();
        window_->resize(400, 300);
        QString error;
        control_ = ControlHost::Create(window_.get(), std::string(), &error);
        ASSERT_TRUE(control_) << error.toStdString();
        control_->Window()->setGeometry(0, 0, 400, 300);
        editor_ = std::make_unique<FakeEditor>(*control_, window_.get());
    }
    void TearDown() override {
        editor_.reset();
        control_.reset();  // before the window, which holds its window
        window_.reset();
    }

    // "abc top xyz" with "top" selected.
    void SelectTop() {
        ASSERT_TRUE(control_->SetText(QStringLiteral("abc top xyz")));
        ASSERT_TRUE(control_->Call(tx::dispid::SetselLine, 4, 0, 7, 0));
        ASSERT_EQ(control_->Get<QString>(tx::dispid::SelText), QStringLiteral("top"));
    }
    std::string Text() { return control_->Text().toStdString(); }

    static void Screenshot(QDialog& dialog, const char* name) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        const QDir out(QStringLiteral(QUENBY_SCREENSHOT_DIR));
        QDir().mkpath(out.path());
        EXPECT_TRUE(dialog.grab().save(out.filePath(QStringLiteral("tagdialog-%1.png").arg(QLatin1String(name)))));
    }

    std::unique_ptr<QWidget> window_;
    std::unique_ptr<ControlHost> control_;
    std::unique_ptr<FakeEditor> editor_;
};

// ---- Link -----------------------------------------------------------------

TEST_F(TagDialogTest, LinkWrapsTheSelectionWithTargetAndAccessKey) {
    SelectTop();
    InsForm_Link dialog(*editor_);
    EXPECT_EQ(dialog.parentWidget(), window_.get());
    dialog.Text1()->setText(QStringLiteral("http://example.jp/"));
    dialog.AccessKeyOption(5)->click();
    EXPECT_EQ(dialog.AccessKey(), QStringLiteral("5"));
    dialog.OkButton()->click();
    EXPECT_EQ(Text(), "abc <A href=\"http://example.jp/\" accesskey=\"5\">top</A> xyz");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(editor_->refreshes, 0);  // the editor refreshes once the dialog is closed
}

TEST_F(TagDialogTest, LinkWithNeitherTargetNorKeyInsertsNothingAndAKeyAloneIsEnough) {
    SelectTop();
    {
        InsForm_Link dialog(*editor_);
        dialog.AccessKeyOption_Click(3);
        dialog.AccessKeyOption_Click(0);  // "do not set" again
        dialog.OkButton_Click();
        EXPECT_EQ(Text(), "abc top xyz");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    InsForm_Link dialog(*editor_);
    dialog.AccessKeyOption_Click(12);
    dialog.OkButton_Click();
    EXPECT_EQ(Text(), "abc <A accesskey=\"#\">top</A> xyz");
}

TEST_F(TagDialogTest, LinkCancelInsertsNothing) {
    SelectTop();
    InsForm_Link dialog(*editor_);
    dialog.Text1()->setText(QStringLiteral("a.html"));
    dialog.CancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Text(), "abc top xyz");
}

TEST_F(TagDialogTest, LinkTargetAndKindFollowEachOther) {
    InsForm_Link dialog(*editor_);
    EXPECT_TRUE(dialog.URLOption(2)->isChecked());
    EXPECT_TRUE(dialog.AccessKeyOption(0)->isChecked());
    EXPECT_TRUE(dialog.AccessKey().isEmpty());

    QTest::keyClicks(dialog.Text1(), QStringLiteral("mailto:me@example.jp"));
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("mailto:me@example.jp"));  // typing is not rewritten
    EXPECT_TRUE(dialog.URLOption(1)->isChecked());
    EXPECT_EQ(dialog.Text1()->toolTip(), QStringLiteral(" mailto: に続けてメールアドレスを入力してください。"));

    dialog.URLOption(0)->click();
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("http://me@example.jp"));
    EXPECT_TRUE(dialog.URLOption(0)->isChecked());
    EXPECT_EQ(dialog.Text1()->toolTip(), QStringLiteral(" http:// に続けてリンク先アドレスを入力してください。"));

    dialog.URLOption(2)->click();
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("me@example.jp"));
    EXPECT_TRUE(dialog.URLOption(2)->isChecked());
    EXPECT_TRUE(dialog.Text1()->toolTip().isEmpty());

    dialog.Text1()->clear();
    dialog.URLOption(1)->click();
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("mailto:"));

    // Editing a prefix away gives up the kind.
    QTest::keyClick(dialog.Text1(), Qt::Key_Backspace);
    EXPECT_TRUE(dialog.URLOption(2)->isChecked());
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("mailto"));
}

TEST_F(TagDialogTest, LinkKeysAreLaidOutAsAHandsetKeypad) {
    InsForm_Link dialog(*editor_);
    EXPECT_EQ(dialog.size(), QSize(440, 366));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("リンク"));
    EXPECT_EQ(dialog.findChildren<QRadioButton*>(QStringLiteral("AccessKeyOption")).size(), 13);
    EXPECT_EQ(dialog.findChildren<QRadioButton*>(QStringLiteral("URLOption")).size(), 3);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto at = [&](int i) { return dialog.AccessKeyOption(i)->geometry(); };
    const QString keypad[4][3] = {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"*", "0", "#"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            const int i = 1 + row * 3 + col;
            EXPECT_EQ(dialog.AccessKeyOption(i)->text(), keypad[row][col]);
            if (col > 0) {
                EXPECT_EQ(at(i).top(), at(i - 1).top());
                EXPECT_GT(at(i).left(), at(i - 1).right());
            }
            if (row > 0) {
                EXPECT_EQ(at(i).left(), at(i - 3).left());
                EXPECT_GT(at(i).top(), at(i - 3).bottom());
            }
        }
    EXPECT_LT(at(0).bottom(), at(1).top());
    // Every control inside the dialog and readable.
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        const QRect r(w->mapTo(&dialog, QPoint(0, 0)), w->size());
        EXPECT_TRUE(dialog.rect().contains(r)) << w->objectName().toStdString();
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
    }
    Screenshot(dialog, "link");
}

TEST_F(TagDialogTest, LinkBrowsePutsTheChosenPathInTheTarget) {
    InsForm_Link dialog(*editor_);
    dialog.Text1()->setText(QStringLiteral("http://kept"));
    answers_.fileAnswers.push_back(std::nullopt);
    dialog.Command1()->click();
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("http://kept"));
    ASSERT_EQ(answers_.dialogs.size(), 1u);
    EXPECT_EQ(answers_.dialogs[0].kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(answers_.dialogs[0].filter, QStringLiteral("HTMLファイル(*.htm;*.html)|*.htm;*.html"));
    EXPECT_EQ(answers_.dialogs[0].owner, &dialog);

    answers_.fileAnswers.push_back(QStringLiteral("/site/page.html"));
    dialog.Command1_Click();
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("/site/page.html"));
    EXPECT_TRUE(dialog.URLOption(2)->isChecked());
}

// ---- Image ----------------------------------------------------------------

TEST_F(TagDialogTest, ImageGoesBeforeTheSelectionOrNotAtAll) {
    SelectTop();
    {
        InsForm_Image dialog(*editor_);
        dialog.OkButton_Click();
        EXPECT_EQ(Text(), "abc top xyz");
    }
    {
        InsForm_Image dialog(*editor_);
        dialog.Text2()->setText(QStringLiteral("logo"));
        dialog.CancelButton()->click();
        EXPECT_EQ(Text(), "abc top xyz");
    }
    InsForm_Image dialog(*editor_);
    dialog.Text2()->setText(QStringLiteral("logo"));
    dialog.OkButton()->click();
    EXPECT_EQ(Text(), "abc <IMG alt=\"logo\">top xyz");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(TagDialogTest, ImagePreviewShowsAnExistingPictureWithinItsBox) {
    const QString big = QString::fromStdString((Folder() / "big.png").string());
    QImage picture(800, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(big));
    const QString small = QString::fromStdString((Folder() / "small.png").string());
    ASSERT_TRUE(QImage(20, 10, QImage::Format_RGB32).save(small));

    InsForm_Image dialog(*editor_);
    EXPECT_EQ(dialog.size(), QSize(440, 366));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("画像ファイル"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QSize box = dialog.Picture1()->contentsRect().size();

    dialog.Text1()->setText(big);
    QPixmap shown = dialog.Picture1()->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.width(), box.width());
    EXPECT_LE(shown.height(), box.height());
    EXPECT_NEAR(shown.width(), shown.height() * 4, 4);  // proportions kept

    dialog.Text1()->setText(small);
    EXPECT_EQ(dialog.Picture1()->pixmap().size(), QSize(20, 10));

    dialog.Text2()->setText(QStringLiteral("赤い帯"));
    dialog.Text1()->setText(big);
    Screenshot(dialog, "image");

    // A path that does not exist clears the preview but is still inserted.
    dialog.Text1()->setText(big + QStringLiteral(".missing"));
    EXPECT_TRUE(dialog.Picture1()->pixmap().isNull());
    dialog.Text1()->setText(QString::fromStdString(Folder().string()));  // a folder is no picture
    EXPECT_TRUE(dialog.Picture1()->pixmap().isNull());
    dialog.Text1()->setText(QStringLiteral("img/none.gif"));
    dialog.Text2()->clear();
    ASSERT_TRUE(control_->SetText(QString()));
    dialog.OkButton_Click();
    EXPECT_EQ(Text(), "<IMG src=\"img/none.gif\">");
}

TEST_F(TagDialogTest, ImageBrowseOffersPicturesAndKeepsTheSourceWhenCancelled) {
    InsForm_Image dialog(*editor_);
    dialog.Text1()->setText(QStringLiteral("kept.gif"));
    answers_.fileAnswers.push_back(std::nullopt);
    answers_.fileAnswers.push_back(QStringLiteral("/pictures/new.gif"));
    dialog.Command1()->click();
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("kept.gif"));
    dialog.Command1()->click();
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("/pictures/new.gif"));
    ASSERT_EQ(answers_.dialogs.size(), 2u);
    EXPECT_EQ(answers_.dialogs[1].filter, QStringLiteral("イメージファイル(*.gif)|*.gif"));
}

// ---- Font -----------------------------------------------------------------

QColor SwatchPixel(QComboBox* list, int index, QPoint at) {
    return list->itemIcon(index).pixmap(QSize(40, 16)).toImage().pixelColor(at);
}

TEST_F(TagDialogTest, FontOpensEmptyWithAutomaticAndSwatchesForEveryColour) {
    InsForm_Font dialog(*editor_);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("フォント"));
    EXPECT_TRUE(dialog.FontSizeList()->isEditable());
    EXPECT_TRUE(dialog.FontSizeList()->currentText().isEmpty());
    EXPECT_EQ(dialog.FontSizeList()->count(), 14);
    EXPECT_EQ(dialog.FontSizeList()->itemText(9), QStringLiteral("+0"));
    EXPECT_TRUE(dialog.ColorCode()->text().isEmpty());
    QComboBox* colours = dialog.ColorComboList();
    ASSERT_EQ(colours->count(), 18);
    EXPECT_EQ(colours->currentIndex(), 0);
    EXPECT_EQ(colours->currentText(), QStringLiteral("自動"));
    EXPECT_EQ(colours->iconSize(), QSize(40, 16));
    const std::pair<int, QColor> fills[] = {{0, Qt::black},          {1, Qt::white},
                                            {2, QColor(255, 0, 0)},  {4, QColor(255, 255, 0)},
                                            {11, QColor(128, 128, 0)}, {16, QColor(192, 192, 192)}};
    for (const auto& [index, colour] : fills) {
        EXPECT_EQ(SwatchPixel(colours, index, QPoint(20, 8)), colour) << index;
        EXPECT_EQ(SwatchPixel(colours, index, QPoint(0, 0)), QColor(Qt::black)) << index;      // outline
        EXPECT_EQ(SwatchPixel(colours, index, QPoint(39, 15)), QColor(Qt::black)) << index;
    }
    dialog.FontSizeList()->setEditText(QStringLiteral("+1"));
    dialog.ColorComboList_Click(2);
    Screenshot(dialog, "font");
}

TEST_F(TagDialogTest, FontInsertsColourBeforeSizeOrNothingWithoutEither) {
    SelectTop();
    {
        InsForm_Font dialog(*editor_);
        dialog.ColorComboList_Click(5);
        EXPECT_EQ(dialog.ColorCode()->text(), QStringLiteral("#0000FF"));
        dialog.ColorComboList_Click(0);  // back to automatic: no colour
        EXPECT_TRUE(dialog.ColorCode()->text().isEmpty());
        dialog.OkButton()->click();
        EXPECT_EQ(Text(), "abc top xyz");
    }
    {
        InsForm_Font dialog(*editor_);
        dialog.ColorComboList_Click(2);
        dialog.FontSizeList()->setEditText(QStringLiteral("+1"));
        dialog.CancelButton()->click();
        EXPECT_EQ(Text(), "abc top xyz");
    }
    InsForm_Font dialog(*editor_);
    QTest::keyClicks(dialog.FontSizeList()->lineEdit(), QStringLiteral("+1"));
    dialog.ColorComboList_Click(2);
    EXPECT_EQ(dialog.ColorComboList()->currentText(), QStringLiteral("赤"));
    EXPECT_EQ(dialog.ColorCode()->text(), QStringLiteral("#FF0000"));
    dialog.OkButton_Click();
    EXPECT_EQ(Text(), "abc <FONT color=\"#FF0000\" size=\"+1\">top</FONT> xyz");
}

TEST_F(TagDialogTest, FontSizeMayBeAnyTextAndColourCodeMayBeTyped) {
    SelectTop();
    InsForm_Font dialog(*editor_);
    QTest::keyClicks(dialog.FontSizeList()->lineEdit(), QStringLiteral("12"));
    dialog.ColorCode()->setText(QStringLiteral("#123456"));
    dialog.OkButton_Click();
    EXPECT_EQ(Text(), "abc <FONT color=\"#123456\" size=\"12\">top</FONT> xyz");
}

TEST_F(TagDialogTest, FontOtherColourAsksAndRepaintsItsSwatch) {
    struct Asked {
        QWidget* owner;
        std::uint32_t initial;
    };
    std::vector<Asked> asked;
    std::deque<std::optional<std::uint32_t>> replies = {std::nullopt, 255u, 0x00563412u};
    const ColourQuestion previous = SetColourQuestion([&](QWidget* owner, std::uint32_t initial) {
        asked.push_back({owner, initial});
        const auto r = replies.front();
        replies.pop_front();
        return r;
    });

    SelectTop();
    InsForm_Font dialog(*editor_);
    dialog.ColorComboList_Click(3);
    dialog.ColorComboList_Click(1);  // cancelled
    EXPECT_EQ(dialog.ColorCode()->text(), QStringLiteral("#00FF00"));
    EXPECT_EQ(SwatchPixel(dialog.ColorComboList(), 1, QPoint(20, 8)), QColor(Qt::white));

    dialog.ColorComboList_Click(1);
    EXPECT_EQ(dialog.ColorCode()->text(), QStringLiteral("#FF0000"));
    EXPECT_EQ(SwatchPixel(dialog.ColorComboList(), 1, QPoint(20, 8)), QColor(255, 0, 0));
    EXPECT_EQ(SwatchPixel(dialog.ColorComboList(), 1, QPoint(0, 0)), QColor(Qt::black));

    dialog.ColorComboList_Click(1);  // asked again, from the last choice
    EXPECT_EQ(dialog.ColorCode()->text(), QStringLiteral("#123456"));
    EXPECT_EQ(SwatchPixel(dialog.ColorComboList(), 1, QPoint(20, 8)), QColor(0x12, 0x34, 0x56));
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].owner, &dialog);
    EXPECT_EQ(asked[2].initial, 255u);
    dialog.OkButton_Click();
    EXPECT_EQ(Text(), "abc <FONT color=\"#123456\">top</FONT> xyz");
    SetColourQuestion(previous);
}

// ---- Marquee --------------------------------------------------------------

TEST_F(TagDialogTest, MarqueeTakesTheSelectionAtOpeningAndShowsWhatItInserts) {
    SelectTop();
    InsForm_Marquee dialog(*editor_);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("マーキー"));
    EXPECT_EQ(dialog.Text1()->text(), QStringLiteral("top"));
    EXPECT_EQ(dialog.Combo1()->currentIndex(), 0);
    EXPECT_EQ(dialog.Combo2()->currentIndex(), 0);
    EXPECT_EQ(dialog.Combo1()->count(), 4);
    EXPECT_EQ(dialog.Combo2()->count(), 3);
    dialog.Text1()->setText(QStringLiteral("お知らせ"));
    dialog.Combo1()->setCurrentIndex(3);
    dialog.Combo2()->setCurrentIndex(2);
    Screenshot(dialog, "marquee");
    dialog.OkButton()->click();
    const QString markup = QStringLiteral("<MARQUEE behavior=\"alternate\" direction=\"right\">お知らせ</MARQUEE>");
    EXPECT_EQ(dialog.Text1()->text(), markup);
    EXPECT_EQ(control_->Text(), QStringLiteral("abc ") + markup + QStringLiteral(" xyz"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(TagDialogTest, MarqueeIsInsertedEvenWithoutTextButNotWhenCancelled) {
    ASSERT_TRUE(control_->SetText(QStringLiteral("ab")));
    ASSERT_TRUE(control_->Call(tx::dispid::SetselLine, 1, 0, 1, 0));
    {
        InsForm_Marquee dialog(*editor_);
        dialog.Combo1()->setCurrentIndex(1);
        dialog.CancelButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(Text(), "ab");
    }
    InsForm_Marquee dialog(*editor_);
    EXPECT_TRUE(dialog.Text1()->text().isEmpty());
    dialog.OkButton_Click();
    EXPECT_EQ(Text(), "a<MARQUEE></MARQUEE>b");
}

}  // namespace
}  // namespace quenby::authoring

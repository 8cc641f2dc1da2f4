// The options dialog against a real editor window and control: what it
// shows from the settings, what its choices do to the sample and the
// editor, and what it writes.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

#include "edit_form_fixture.h"
#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/preview/skin_layout.h"
#include "host/shell/options/option_form.h"

namespace quenby::test {
namespace {

namespace tx = tarnedit;
using shell::OptionForm;

QString U(const char* s) { return QString::fromUtf8(s); }

class OptionFormTest : public EditFormFixture {
protected:
    void SetUp() override {
        EditFormFixture::SetUp();
        previousQuestion_ = shell::SetColourQuestion([this](QWidget*, const QColor& current) -> std::optional<QColor> {
            asked_.push_back(current);
            return answer_;
        });
    }
    void TearDown() override {
        dialog_.reset();
        shell::SetColourQuestion(previousQuestion_);
        EditFormFixture::TearDown();
    }
    OptionForm& Open() {
        dialog_ = std::make_unique<OptionForm>(settings_, *form_, [this] { ++reloads_; }, form_.get());
        dialog_->show();
        return *dialog_;
    }
    std::filesystem::path Skins() const { return preview::SkinFolder(Folder()); }
    // Skin files are written as a skin author ships them (ASCII, so the
    // code page does not matter).
    void WriteSkin(const char* file, const char* name, const char* comment = "") {
        std::filesystem::create_directories(Skins());
        QFile f(FromPath(Skins() / file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("[QuenbySkin]\r\nName=") + name + "\r\nVersion=1.2\r\nCopyright=(c) Someone\r\ncomment=" +
                comment + "\r\n");
    }
    QString Ini(const char* section, const char* key) {
        return GetINIValue(QString::fromLatin1(section), QString::fromLatin1(key), ProgramFolderFixture::Ini());
    }

    std::unique_ptr<OptionForm> dialog_;
    shell::ColourQuestion previousQuestion_;
    std::vector<QColor> asked_;
    std::optional<QColor> answer_;
    int reloads_ = 0;
};

TEST_F(OptionFormTest, ConfiguredSkinIsSelectedWithItsDetails) {
    WriteSkin("a.ini", "Alpha");
    WriteSkin("b.ini", "Blue sky", "line one\\nline two");
    std::filesystem::create_directories(Skins());
    { QFile f(FromPath(Skins() / "notes.txt")); ASSERT_TRUE(f.open(QIODevice::WriteOnly)); f.write("plain"); }
    SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QStringLiteral("b.ini"), ProgramFolderFixture::Ini());

    OptionForm& d = Open();
    QTreeWidget* list = d.SkinList();
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(list->topLevelItem(0)->text(0), U("スキンファイルなし"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QString());
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Alpha"));
    EXPECT_EQ(list->topLevelItem(2)->text(1), QStringLiteral("b.ini"));
    EXPECT_EQ(list->topLevelItem(3)->text(0), QString()) << "a file that is no skin has no name";
    EXPECT_EQ(list->currentItem(), list->topLevelItem(2));
    EXPECT_EQ(d.SkinDetail(0), QStringLiteral("Blue sky"));
    EXPECT_EQ(d.SkinDetail(1), QStringLiteral("1.2"));
    EXPECT_EQ(d.SkinDetail(2), QStringLiteral("(c) Someone"));
    EXPECT_EQ(d.SkinDetail(3), QStringLiteral("line one\nline two"));

    // Choosing "no skin" empties the details and is what OK stores.
    d.SkinList_Click(0);
    EXPECT_EQ(d.SkinDetail(0), QString());
    d.OK_Click();
    EXPECT_EQ(Ini("vUzezozi", "Skin"), QString());
    EXPECT_EQ(reloads_, 1);
}

TEST_F(OptionFormTest, SkinDetailsNameTheHandsetPagesAreCheckedAgainst) {
    std::filesystem::copy_file(std::filesystem::path(QUENBY_DATA_DIR) / "handsets.ini", Folder() / "handsets.ini");
    WriteSkin("a.ini", "Alpha");
    WriteSkin("b.ini", "Beta");
    WriteSkin("c.ini", "Gamma");
    for (const auto& [file, profile] : {std::pair("a.ini", "2.0"), std::pair("c.ini", "9.9")}) {
        QFile f(FromPath(Skins() / file));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray("[QuenbyHandset]\r\nProfile=") + profile + "\r\n");
    }
    SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QStringLiteral("a.ini"), ProgramFolderFixture::Ini());
    OptionForm& d = Open();
    EXPECT_EQ(d.SkinHandsetText(), U("i-mode HTML 2.0 (96×120, 10,240 バイトまで)"));
    d.SkinList_Click(2);
    EXPECT_EQ(d.SkinHandsetText(), U("指定なし (HTML 7.0 で検査)"));
    d.SkinList_Click(3);
    EXPECT_EQ(d.SkinHandsetText(), U("不明な端末 9.9 (HTML 7.0 で検査)"));
    d.SkinList_Click(0);
    EXPECT_EQ(d.SkinHandsetText(), U("指定なし (HTML 7.0 で検査)"));
}

TEST_F(OptionFormTest, WithoutASkinTheDetailsStillNameWhatPagesAreCheckedAgainst) {
    std::filesystem::copy_file(std::filesystem::path(QUENBY_DATA_DIR) / "handsets.ini", Folder() / "handsets.ini");
    WriteSkin("a.ini", "Alpha");
    OptionForm& d = Open();
    EXPECT_EQ(d.SkinDetail(0), U("未設定"));
    EXPECT_EQ(d.SkinHandsetText(), U("指定なし (HTML 7.0 で検査)"));
}

TEST_F(OptionFormTest, MissingSkinFileShowsNotSetAndKeepsTheSetting) {
    WriteSkin("a.ini", "Alpha");
    SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QStringLiteral("gone.ini"), ProgramFolderFixture::Ini());
    OptionForm& d = Open();
    EXPECT_EQ(d.SkinDetail(0), U("未設定"));
    EXPECT_EQ(d.SkinDetail(1), QString());
    EXPECT_EQ(d.SkinList()->topLevelItemCount(), 2);
    d.Apply_Click();
    EXPECT_EQ(Ini("vUzezozi", "Skin"), QStringLiteral("gone.ini"));
}

TEST_F(OptionFormTest, TagColourHoldsAtOnceAndSurvivesCancelUnwritten) {
    settings_.HTMLTagColor = RGB(0, 0, 255);
    OptionForm& d = Open();
    answer_ = QColor(10, 200, 30);
    d.ColorSetting_Click(2);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0], QColor(0, 0, 255)) << "the question starts from the current colour";
    EXPECT_EQ(settings_.HTMLTagColor, RGB(10, 200, 30));

    // A cancelled question leaves the swatch and the sample alone.
    const std::uint32_t back = d.SwatchColour(1);
    answer_.reset();
    d.ColorSetting_Click(1);
    EXPECT_EQ(d.SwatchColour(1), back);

    // The background goes to the sample only.
    answer_ = QColor(1, 2, 3);
    d.ColorSetting_Click(1);
    EXPECT_EQ(d.Sample()->Get<std::uint32_t>(tx::dispid::Color), RGB(1, 2, 3));
    EXPECT_NE(C().Get<std::uint32_t>(tx::dispid::Color), RGB(1, 2, 3));

    d.Cancel_Click();
    EXPECT_EQ(settings_.HTMLTagColor, RGB(10, 200, 30));
    EXPECT_FALSE(std::filesystem::exists(ProgramFolderFixture::Ini()) && !Ini("Quenby", "HTMLTagColor").isEmpty());
    EXPECT_EQ(reloads_, 0);
}

TEST_F(OptionFormTest, OkWritesTheKeysInOrderAndAppliesToTheEditor) {
    settings_.ToolbarCaption = true;
    form_->StandardToolbar_Refresh();
    ASSERT_EQ(form_->StandardToolbar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    ASSERT_FALSE(form_->AutoRefreshTimer().isActive());
    settings_.CommentTagColor = RGB(255, 128, 0);

    OptionForm& d = Open();
    d.AppliOptCheck(2)->setChecked(true);
    d.AppliOptCheck(3)->setChecked(false);
    d.EditOptCheck(3)->setChecked(false);
    d.EditOptCheck(3)->click();  // 改行コード on
    d.EditOptCheck(4)->setChecked(true);
    d.EditOptCheck(4)->click();  // EOF off
    answer_ = QColor(255, 255, 255);
    d.ColorSetting_Click(1);
    d.OK_Click();

    EXPECT_TRUE(settings_.TimeAutoRefresh);
    EXPECT_FALSE(settings_.ToolbarCaption);
    EXPECT_TRUE(form_->AutoRefreshTimer().isActive());
    EXPECT_EQ(form_->AutoRefreshTimer().interval(), 60000);
    EXPECT_EQ(form_->StandardToolbar()->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_TRUE(C().Get<bool>(tx::dispid::ShowCR));
    EXPECT_FALSE(C().Get<bool>(tx::dispid::ShowEOF));
    EXPECT_EQ(C().Get<std::uint32_t>(tx::dispid::Color), RGB(255, 255, 255));
    EXPECT_EQ(reloads_, 1);

    EXPECT_EQ(Ini("Quenby", "TimeAutoRefresh"), QStringLiteral("True"));
    EXPECT_EQ(Ini("Quenby", "ToolbarCaption"), QStringLiteral("False"));
    EXPECT_EQ(Ini("Quenby", "ShowCR"), QStringLiteral("1"));
    EXPECT_EQ(Ini("Quenby", "ShowEOF"), QStringLiteral("0"));
    EXPECT_EQ(Ini("Quenby", "BackColor"), QStringLiteral("&HFFFFFF"));
    EXPECT_EQ(Ini("Quenby", "CommentTagColor"), QStringLiteral("&H80FF"));
    EXPECT_EQ(Ini("Quenby", "Font"), C().FontName());
    EXPECT_EQ(Ini("Quenby", "FontSize"), QString::number(C().FontSize()));

    QFile f(FromPath(ProgramFolderFixture::Ini()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(f.readAll());
    qsizetype at = -1;
    for (const char* key : {"ShowSplash=", "TimeAutoRefresh=", "MouseAutoRefresh=", "ToolbarCaption=", "ShowCR=",
                            "ShowEOF=", "ShowTAB=", "ShowRuler=", "ShowRulerCursor=", "ShowUnderLine=",
                            "ShowLineNumber=", "ShowSingleSpace=", "ShowDoubleSpace=", "Font=", "FontSize=",
                            "BackColor=", "FontColor=", "HTMLTagColor=", "HTMLTagColor2=", "CommentTagColor="}) {
        const qsizetype next = text.indexOf(QRegularExpression(QStringLiteral("(^|\\n)") + QString::fromLatin1(key)));
        EXPECT_GT(next, at) << key;
        at = next;
    }
}

TEST_F(OptionFormTest, CtrlTabCyclesThePagesFromAnyControl) {
    OptionForm& d = Open();
    d.Tabs()->setCurrentIndex(2);
    QTest::keyClick(d.SkinList(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d.Tabs()->currentIndex(), 0);
    QTest::keyClick(d.AppliOptCheck(0), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d.Tabs()->currentIndex(), 1);
    // The sample editor does not get the key as text.
    const QString before = d.Sample()->Text();
    QTest::keyClick(d.Sample()->Window(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d.Tabs()->currentIndex(), 2);
    EXPECT_EQ(d.Sample()->Text(), before);
}

TEST_F(OptionFormTest, FontAndSizeLists) {
    settings_.FontNames = {QStringLiteral("Alpha"), QStringLiteral("@Alpha"), QStringLiteral("Beta"), QString()};
    OptionForm& d = Open();
    QStringList offered;
    for (int i = 0; i < d.FontList()->count(); ++i) offered << d.FontList()->itemText(i);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    ASSERT_EQ(d.FontSizeList()->count(), 9);
    EXPECT_EQ(d.FontSizeList()->itemText(5), QStringLiteral("14"));
    EXPECT_EQ(d.FontSizeList()->currentText(), QString::number(C().FontSize()));

    // A size that is no number keeps the previous one.
    QLineEdit* size = d.FontSizeList()->lineEdit();
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("12"));
    Q_EMIT size->editingFinished();  // leaving the box
    EXPECT_EQ(d.Sample()->FontSize(), 12);
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("big"));
    Q_EMIT size->editingFinished();
    EXPECT_EQ(d.FontSizeList()->currentText(), QStringLiteral("12"));
    EXPECT_EQ(d.Sample()->FontSize(), 12);
    EXPECT_NE(C().FontSize(), 12) << "the editor waits for 更新";
    d.Apply_Click();
    EXPECT_EQ(C().FontSize(), 12);
    EXPECT_EQ(Ini("Quenby", "FontSize"), QStringLiteral("12"));
}

TEST_F(OptionFormTest, SampleRulerMarginFollowsTheRuler) {
    C().Put(tx::dispid::ShowRuler, true);
    {
        OptionForm& d = Open();
        EXPECT_EQ(d.Sample()->Get<int>(tx::dispid::TopMargin), 11);
        EXPECT_TRUE(d.EditOptCheck(6)->isChecked());
        d.EditOptCheck(6)->click();
        EXPECT_FALSE(d.Sample()->Get<bool>(tx::dispid::ShowRuler));
        EXPECT_EQ(d.Sample()->Get<int>(tx::dispid::TopMargin), 0);
        EXPECT_TRUE(C().Get<bool>(tx::dispid::ShowRuler)) << "the editor waits for 更新";
        d.Apply_Click();
        EXPECT_FALSE(C().Get<bool>(tx::dispid::ShowRuler));
        EXPECT_EQ(C().Get<int>(tx::dispid::TopMargin), 0);
    }
    // Opened over an editor without a ruler, the sample has no margin either.
    OptionForm& again = Open();
    EXPECT_FALSE(again.EditOptCheck(6)->isChecked());
    EXPECT_EQ(again.Sample()->Get<int>(tx::dispid::TopMargin), 0);
    EXPECT_EQ(again.Sample()->Text(), QStringLiteral("ABC \u3000abc\r\n\t123"));
}

TEST_F(OptionFormTest, PagesScreenshots) {
    WriteSkin("default.ini", "Standard", "A skin\\nfor tests");
    SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QStringLiteral("default.ini"), ProgramFolderFixture::Ini());
    settings_.HTMLTagColor = RGB(0, 0, 255);
    settings_.HTMLTagColor2 = RGB(170, 0, 0);
    settings_.CommentTagColor = RGB(255, 128, 0);
    C().Put(tx::dispid::ShowTAB, true);
    C().Put(tx::dispid::ShowDblSpace, true);
    OptionForm& d = Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    for (int i = 0; i < 3; ++i) {
        d.Tabs()->setCurrentIndex(i);
        const QImage shot = d.grab().toImage();
        EXPECT_FALSE(shot.isNull());
#ifdef QUENBY_SCREENSHOT_DIR
        QDir().mkpath(QStringLiteral(QUENBY_SCREENSHOT_DIR));
        shot.save(QStringLiteral(QUENBY_SCREENSHOT_DIR "/options-%1.png").arg(i + 1));
#endif
    }
}

}  // namespace
}  // namespace quenby::test

// The page checker as the editor window shows it: the findings pane after
// each refresh (the same findings the command line prints), the caret put
// on a clicked finding, the weight meter, and the target handset taken
// from the preview's skin.
#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

#include "edit_form_fixture.h"
#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/shell/options/option_form.h"
#include "host/shell/page_check_views.h"

namespace quenby::test {
namespace {

namespace tx = tarnedit;
using shell::FindingsPane;

QString U(const char* s) { return QString::fromUtf8(s); }

// Line 1 is long enough to wrap in the editor, so a finding below it is
// reached through the wrapped rows. "\x93\xfa\x96{" is two double-byte
// characters; "\x87\x40" is from the NEC extension row.
const std::string kPage = "<html><body>" + std::string(300, 'x') +
                          "\r\n\x93\xfa\x96{<span>s</span>\r\n<a href=\"a\" accesskey=\"1\">a</a>"
                          "<a href=\"b\" accesskey=\"1\">b</a>\r\n<a name=\"9x\">\x87\x40</a>\r\n"
                          "<img src=\"pic.gif\"></body></html>\r\n";

class PageCheckTest : public EditFormFixture {
protected:
    void SetUp() override {
        // The profiles and skins must be there before the window reads them.
        const std::filesystem::path data(QUENBY_DATA_DIR);
        std::filesystem::copy_file(data / "handsets.ini", Folder() / "handsets.ini");
        std::filesystem::copy(data / "skin", Folder() / "skin", std::filesystem::copy_options::recursive);
        std::filesystem::create_directory(Folder() / "site");
        Write("site/page.html", kPage);
        Write("site/pic.gif", std::string(4000, 'g'));
        EditFormFixture::SetUp();
    }
    void Write(const char* name, const std::string& bytes) {
        std::ofstream(Folder() / name, std::ios::binary) << bytes;
    }
    QString PagePath() const { return FromPath(Folder() / "site" / "page.html"); }
    void UseSkin(const char* skin) {
        SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QString::fromLatin1(skin), Ini());
    }
    FindingsPane& Pane() { return *form_->Findings(); }
    // The pane's findings as the command line prints them.
    QStringList PaneLines() {
        QStringList lines;
        QTreeWidget* list = Pane().List();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            if (item->text(0).isEmpty()) continue;
            lines << QStringLiteral("%1:%2:%3: %4: %5")
                         .arg(PagePath(), item->text(0), item->text(1),
                              item->text(2) == U("エラー") ? QStringLiteral("error") : QStringLiteral("warning"),
                              item->text(3));
        }
        return lines;
    }
    QStringList CommandLines(const QString& handset) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUENBY_PROGRAM_DIR", FromPath(Folder()));
        env.remove("DISPLAY");
        process.setProcessEnvironment(env);
        process.start(QUENBY_PROGRAM, {"--check", PagePath(), "--handset", handset});
        if (!process.waitForFinished(60000)) process.kill();
        return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
    // The caret in text-line coordinates, 1-based as findings count.
    std::pair<int, int> CaretRowColumn() {
        std::int32_t x = C().Get<std::int32_t>(tx::dispid::CurposX);
        std::int32_t y = C().Get<std::int32_t>(tx::dispid::CurposY);
        C().Call(tx::dispid::WtoNcurpos, com::ByRef(x), com::ByRef(y));
        return {y + 1, x + 1};
    }
};

TEST_F(PageCheckTest, OpeningAndRefreshingListTheFindingsTheCommandLinePrints) {
    UseSkin("compact120x130.ini");  // names HTML 3.0
    ASSERT_TRUE(form_->FileOpen(PagePath()));
    EXPECT_EQ(Pane().windowTitle().toStdString(), "検査結果 - HTML 3.0 (4 件)");
    const QStringList opened = PaneLines();
    ASSERT_EQ(opened.size(), 4) << opened.join(u'\n').toStdString();
    EXPECT_TRUE(opened[0].endsWith(":2:5: error: element SPAN is not part of HTML 3.0")) << opened[0].toStdString();
    EXPECT_TRUE(opened[1].contains(":3:44: warning: access key \"1\"")) << opened[1].toStdString();
    EXPECT_EQ(CommandLines("3.0"), opened);

    // An edit shows at the next refresh, not before.
    C().Function<bool>(tx::dispid::CurSet, 0, 0, 0);
    C().TextPaste(QStringLiteral("<table>"));
    EXPECT_EQ(Pane().Count(), 4);
    form_->RefreshTempFile();
    EXPECT_EQ(Pane().Count(), 5);
    EXPECT_TRUE(PaneLines()[0].endsWith(":1:1: error: element TABLE is not part of HTML 3.0"));
}

TEST_F(PageCheckTest, ClickingAFindingPutsTheCaretOnIt) {
    ASSERT_TRUE(form_->FileOpen(PagePath()));
    ASSERT_TRUE(C().Put(tx::dispid::Column, std::int32_t(40))) << C().LastError().toStdString();
    ASSERT_TRUE(C().Put(tx::dispid::WordWrap, true)) << C().LastError().toStdString();
    QTreeWidget* list = Pane().List();
    // Rows of the pane: the NEC character on line 4 comes after the name.
    QTreeWidgetItem* extension = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(3).contains(QStringLiteral("extension row"))) extension = list->topLevelItem(i);
    ASSERT_NE(extension, nullptr);
    EXPECT_EQ(extension->text(0), QStringLiteral("4"));
    EXPECT_EQ(extension->text(1), QStringLiteral("14"));

    const QRect r = list->visualItemRect(extension);
    ASSERT_FALSE(r.isEmpty()) << "the pane shows its findings";
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(CaretRowColumn(), std::make_pair(4, 14));
    EXPECT_TRUE(C().Window()->hasFocus() || !form_->isActiveWindow());

    // The long first line is wrapped: row 2 is not the second stored line.
    Pane().Activated(2, 5);
    EXPECT_EQ(CaretRowColumn(), std::make_pair(2, 5));
    EXPECT_GT(C().Get<std::int32_t>(tx::dispid::CurposY), 1);
}

TEST_F(PageCheckTest, WeightMeterCountsLocalImagesAndWarnsAboveTheLimit) {
    UseSkin("compact120x130.ini");  // 10,240 bytes
    ASSERT_TRUE(form_->FileOpen(PagePath()));
    QLabel* meter = form_->WeightPanel();
    ASSERT_TRUE(meter->isVisibleTo(form_.get()));
    const qint64 expected = qint64(kPage.size()) + 4000;
    EXPECT_EQ(meter->text(), shell::WeightText(expected, 10240));
    EXPECT_FALSE(shell::WeightOverLimit(*meter));

    Write("site/pic.gif", std::string(10000, 'g'));
    form_->RefreshTempFile();
    EXPECT_EQ(meter->text(), shell::WeightText(qint64(kPage.size()) + 10000, 10240));
    EXPECT_TRUE(shell::WeightOverLimit(*meter));
    EXPECT_TRUE(meter->toolTip().contains(QStringLiteral("HTML 3.0")));

    // The newest handset takes it.
    UseSkin("fold240x320.ini");
    form_->RefreshTempFile();
    EXPECT_FALSE(shell::WeightOverLimit(*meter));
    EXPECT_EQ(form_->TargetHandset()->version, QStringLiteral("7.0"));
}

TEST_F(PageCheckTest, TargetIsTheSkinsHandsetElseTheNewest) {
    EXPECT_EQ(form_->TargetHandset()->version, QStringLiteral("7.0")) << "no skin";
    UseSkin("bar240x270.ini");
    EXPECT_EQ(form_->TargetHandset()->version, QStringLiteral("5.0"));
    UseSkin("missing.ini");
    EXPECT_EQ(form_->TargetHandset()->version, QStringLiteral("7.0"));
}

TEST_F(PageCheckTest, ChoosingAnotherSkinInTheOptionsRechecksAtOnce) {
    ASSERT_TRUE(form_->FileOpen(PagePath()));
    EXPECT_TRUE(Pane().windowTitle().contains(QStringLiteral("HTML 7.0")));
    shell::OptionForm options(settings_, *form_, nullptr, form_.get());
    QTreeWidget* skins = options.SkinList();
    for (int i = 0; i < skins->topLevelItemCount(); ++i)
        if (skins->topLevelItem(i)->text(1) == QStringLiteral("compact120x130.ini")) options.SkinList_Click(i);
    options.OK_Click();
    EXPECT_TRUE(Pane().windowTitle().contains(QStringLiteral("HTML 3.0"))) << Pane().windowTitle().toStdString();
    EXPECT_TRUE(form_->WeightPanel()->text().endsWith(shell::WeightText(0, 10240).mid(1)));
}

TEST(PageWeightText, GroupsDigits) {
    EXPECT_EQ(shell::WeightText(0, 5120), U("0 / 5,120 バイト"));
    EXPECT_EQ(shell::WeightText(1234567, 102400), U("1,234,567 / 102,400 バイト"));
}

// Without the profiles file the window still works; there is no target.
using NoProfilesTest = EditFormFixture;
TEST_F(NoProfilesTest, WindowWorksWithoutProfiles) {
    EXPECT_EQ(form_->TargetHandset(), nullptr);
    form_->RefreshTempFile();
    EXPECT_FALSE(form_->WeightPanel()->isVisibleTo(form_.get()));
    EXPECT_TRUE(form_->Findings()->windowTitle().contains(QStringLiteral("handsets.ini")));
}

}  // namespace
}  // namespace quenby::test

// The editor window and the preview window together, as the program wires
// them: F5 shows the page being edited converted in the preview, and the
// View entry follows the preview window however it closes.
#include "host/preview/event_wait.h"
#include "host/preview/mobile_browser.h"
#include "host/shell/edit_form.h"
#include "host/shell/edit_menus.h"
#include "host/shell/program_windows.h"
#include "tests/host/shell/shell_test_support.h"

#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace quenby::test {
namespace {

using preview::RunEventsUntil;
using shell::Menu;

class EditorPreviewTest : public ProgramFolderFixture {
protected:
    void SetUp() override {
        ProgramFolderFixture::SetUp();
        settings_.TimeAutoRefresh = false;
        form_ = std::make_unique<shell::EditForm>(settings_, &windows_.Preview());
        ASSERT_TRUE(form_->HasControl()) << form_->ControlError().toStdString();
        windows_.Preview().Load();
        form_->Form_Load();
        form_->show();
        windows_.ShowPreview(form_.get());
        ASSERT_TRUE(windows_.PreviewWindow());
    }
    void TearDown() override { form_.reset(); }

    QString Temp2() const { return QString::fromStdString((Folder() / "temp" / "temp2.htm").string()); }

    shell::AppSettings settings_;
    shell::ProgramWindows windows_;
    std::unique_ptr<shell::EditForm> form_;
};

TEST_F(EditorPreviewTest, F5ShowsTheEditedPageConvertedInThePreview) {
    preview::MobileBrowser* browser = windows_.PreviewWindow();
    QSignalSpy shown(browser, &preview::MobileBrowser::PageShown);
    QWidget* editor = form_->Control()->Window();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("<BODY>preview &#63647;</BODY>"));
    const int before = shown.count();
    form_->Action(Menu::View, 10)->trigger();  // F5
    ASSERT_TRUE(RunEventsUntil([&] { return shown.count() > before; }, 30000));
    QFile f(Temp2());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(page.contains(QStringLiteral("preview <IMG src='"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("/image/1.gif'")));
}

TEST_F(EditorPreviewTest, TheViewEntryFollowsThePreviewWindow) {
    QAction* entry = form_->Action(Menu::View, 5);
    EXPECT_TRUE(entry->isChecked());
    // Closed by its own close button. (The window is deleted later, by the
    // event loop it was closed from; Qt Test's wait runs those deletions.)
    windows_.PreviewWindow()->close();
    EXPECT_FALSE(entry->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return windows_.PreviewWindow() == nullptr; }, 5000));
    EXPECT_EQ(windows_.PreviewWindow(), nullptr);
    // Opened again from the menu, and closed from it.
    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    ASSERT_TRUE(windows_.PreviewWindow());
    EXPECT_TRUE(windows_.PreviewWindow()->isVisible());
    entry->trigger();
    EXPECT_FALSE(entry->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return windows_.PreviewWindow() == nullptr; }, 5000));
}

}  // namespace
}  // namespace quenby::test

// The about box (version, the system-information button and the registry
// it reads) and the splash window that starts the program.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "host/common/program_folder.h"
#include "host/shell/about_form.h"
#include "host/shell/file_access.h"
#include "host/shell/program_windows.h"
#include "host/shell/splash_form.h"
#include "shell_test_support.h"

namespace quenby::shell {
namespace {

namespace reg = platform::registry;

const QString kNoSysInfo = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");

// A program folder and registry of the test's own; programs the about box
// would start are only recorded.
class AboutSplashTest : public ::testing::Test {
protected:
    AboutSplashTest()
        : folderEnv_("QUENBY_PROGRAM_DIR", folder_.path().string()),
          registryEnv_("QUENBY_REGISTRY", (folder_.path() / "registry.txt").string()) {
        previousStarter_ = SetProcessStarter([this](const QString& program) {
            started_.push_back(program);
            return startSucceeds_;
        });
    }
    ~AboutSplashTest() override { SetProcessStarter(previousStarter_); }

    static void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    testing_fs::TempDir folder_;
    test::ScopedEnv folderEnv_;
    test::ScopedEnv registryEnv_;
    test::Answers answers_;
    QStringList started_;
    bool startSucceeds_ = true;
    ProcessStarter previousStarter_;
};

TEST_F(AboutSplashTest, AboutBoxShowsThePictureAndTheVersion) {
    AboutForm form(nullptr);
    EXPECT_EQ(form.Version()->text(), QStringLiteral("Version ") + ProgramVersion());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                    .match(form.Version()->text())
                    .hasMatch());
    EXPECT_FALSE(form.Picture()->pixmap().isNull());
    // The picture is written out afresh each time the box is loaded.
    EXPECT_TRUE(QFile::exists(QDir(FromPath(folder_.path())).filePath(QStringLiteral("splash.jpg"))));
    EXPECT_EQ(form.SysInfoButton()->text(), QStringLiteral("システム情報(&S)..."));
    form.show();
    QTest::mouseClick(form.OkButton(), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(AboutSplashTest, SystemInformationWithoutARegisteredToolSaysSo) {
    AboutForm form(nullptr);
    QTest::mouseClick(form.SysInfoButton(), Qt::LeftButton);
    EXPECT_TRUE(started_.isEmpty());
    EXPECT_EQ(answers_.messages, QStringList{kNoSysInfo});
}

TEST_F(AboutSplashTest, SystemInformationStartsTheToolTheRegistryNames) {
    ASSERT_TRUE(reg::SetString(reg::HKEY::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                               "/opt/tools/sysinfo")
                    .ok());
    AboutForm form(nullptr);
    QTest::mouseClick(form.SysInfoButton(), Qt::LeftButton);
    EXPECT_EQ(started_, QStringList{QStringLiteral("/opt/tools/sysinfo")});
    EXPECT_TRUE(answers_.messages.isEmpty());

    // A tool that cannot be started is the same as none.
    startSucceeds_ = false;
    QTest::mouseClick(form.SysInfoButton(), Qt::LeftButton);
    EXPECT_EQ(answers_.messages, QStringList{kNoSysInfo});
}

TEST_F(AboutSplashTest, SystemInformationFromTheSharedToolsFolderOnlyWhenTheFileIsThere) {
    const std::filesystem::path tools = folder_.path() / "shared";
    std::filesystem::create_directory(tools);
    ASSERT_TRUE(
        reg::SetString(reg::HKEY::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", tools.string())
            .ok());
    AboutForm form(nullptr);
    form.StartSysInfo();
    EXPECT_TRUE(started_.isEmpty());
    EXPECT_EQ(answers_.messages, QStringList{kNoSysInfo});

    QFile tool(FromPath(tools / "MSINFO32.EXE"));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.close();
    form.StartSysInfo();
    EXPECT_EQ(started_, QStringList{FromPath(tools / "MSINFO32.EXE")});
    EXPECT_EQ(answers_.messages.size(), 1);

    // The tool's own key comes first.
    ASSERT_TRUE(
        reg::SetString(reg::HKEY::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "/bin/first")
            .ok());
    form.StartSysInfo();
    EXPECT_EQ(started_.back(), QStringLiteral("/bin/first"));
}

TEST_F(AboutSplashTest, GetKeyValueReadsOnlyStrings) {
    ASSERT_TRUE(reg::SetDword(reg::HKEY::LocalMachine, "SOFTWARE\\Test", "Number", 7).ok());
    ASSERT_TRUE(reg::SetString(reg::HKEY::LocalMachine, "SOFTWARE\\Test", "Text", "abc").ok());
    EXPECT_EQ(GetKeyValue(reg::HKEY::LocalMachine, QStringLiteral("SOFTWARE\\Test"), QStringLiteral("Text")),
              QStringLiteral("abc"));
    EXPECT_EQ(GetKeyValue(reg::HKEY::LocalMachine, QStringLiteral("SOFTWARE\\Test"), QStringLiteral("Number")),
              std::nullopt);
    EXPECT_EQ(GetKeyValue(reg::HKEY::LocalMachine, QStringLiteral("SOFTWARE\\Missing"), QStringLiteral("Text")),
              std::nullopt);
    EXPECT_EQ(GetKeyValue(reg::HKEY::CurrentUser, QStringLiteral("SOFTWARE\\Test"), QStringLiteral("Text")),
              std::nullopt);
}

TEST_F(AboutSplashTest, TheEditorsAboutCommandIsAvailable) {
    ProgramWindows windows;
    EXPECT_TRUE(windows.Dialogs()->Available(Dialog::About));
}

TEST_F(AboutSplashTest, SplashTickRunsOnceWhetherShownOrNot) {
    ProgramWindows windows;
    int ticks = 0;
    windows.LoadSplash([&] { ++ticks; });
    ASSERT_NE(windows.Splash(), nullptr);
    EXPECT_FALSE(windows.SplashShown());  // loaded, not shown
    EXPECT_EQ(windows.Splash()->Timer1()->interval(), 100);
    EXPECT_TRUE(windows.Splash()->Timer1()->isSingleShot());
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 5000);

    windows.ShowSplash();
    windows.Splash()->hide();
    windows.ShowSplash();
    EXPECT_FALSE(windows.Splash()->Timer1()->isActive());
    windows.Splash()->Timer1_Timer();
    EXPECT_EQ(ticks, 1);

    // Loading again keeps the one window and its one tick.
    SplashForm* first = windows.Splash();
    windows.LoadSplash([&] { ++ticks; });
    EXPECT_EQ(windows.Splash(), first);
}

TEST_F(AboutSplashTest, SplashShowsVersionAndProgress) {
    ProgramWindows windows;
    windows.LoadSplash([] {});
    windows.ShowSplash();
    EXPECT_TRUE(windows.SplashShown());
    EXPECT_EQ(windows.Splash()->Version()->text(), QStringLiteral("Version ") + ProgramVersion());
    EXPECT_TRUE(windows.Splash()->windowFlags().testFlag(Qt::FramelessWindowHint));
    windows.SetSplashProgressMax(9);
    windows.SetSplashProgress(4);
    EXPECT_EQ(windows.Splash()->ProgressBar1()->maximum(), 9);
    EXPECT_EQ(windows.Splash()->ProgressBar1()->value(), 4);
    windows.SetSplashProgress(9);
    EXPECT_EQ(windows.Splash()->ProgressBar1()->value(), 9);
}

TEST_F(AboutSplashTest, AKeyClosesTheSplashForGoodButTheStartStillRuns) {
    ProgramWindows windows;
    int ticks = 0;
    windows.LoadSplash([&] { ++ticks; });
    windows.ShowSplash();
    ASSERT_TRUE(windows.SplashShown());
    QTest::keyClick(windows.Splash(), Qt::Key_Space);
    EXPECT_FALSE(windows.SplashShown());
    EXPECT_FALSE(windows.Splash()->isVisible());

    windows.SetSplashProgressMax(10);
    windows.SetSplashProgress(4);
    windows.ShowSplash();
    EXPECT_FALSE(windows.SplashShown());
    EXPECT_FALSE(windows.Splash()->isVisible());

    // Closed before its tick, it still starts the program.
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 5000);
    EXPECT_FALSE(windows.Splash()->isVisible());
}

TEST_F(AboutSplashTest, UnloadingFromInsideTheTickRemovesTheWindow) {
    ProgramWindows windows;
    QPointer<SplashForm> form;
    bool ticked = false;
    windows.LoadSplash([&] {
        ticked = true;
        windows.UnloadSplash();
    });
    form = windows.Splash();
    windows.ShowSplash();
    QTRY_VERIFY_WITH_TIMEOUT(ticked, 5000);
    EXPECT_EQ(windows.Splash(), nullptr);
    EXPECT_FALSE(windows.SplashShown());
    RunDeferredDeletes();
    EXPECT_TRUE(form.isNull());

    // Progress after the end goes nowhere.
    windows.SetSplashProgress(3);
    windows.ShowSplash();
    EXPECT_FALSE(windows.SplashShown());
}

TEST_F(AboutSplashTest, Screenshots) {
    const QDir out(QStringLiteral(QUENBY_SCREENSHOT_DIR));
    QDir().mkpath(out.path());

    AboutForm about(nullptr);
    about.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(about.grab().save(out.filePath(QStringLiteral("about.png"))));

    ProgramWindows windows;
    windows.LoadSplash([] {});
    windows.ShowSplash();
    windows.SetSplashProgressMax(99);
    windows.SetSplashProgress(60);
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows.Splash()->grab().save(out.filePath(QStringLiteral("splash.png"))));
}

}  // namespace
}  // namespace quenby::shell

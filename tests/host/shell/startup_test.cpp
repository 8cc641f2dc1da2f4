// The start-up as the program runs it: Main, the splash's tick, the stored
// settings applied to a real control created through the registry, the
// first document, and settings written by one run read by the next.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/shell/startup.h"
#include "recording_windows.h"
#include "shell_test_support.h"

namespace quenby::shell {
namespace {

namespace tx = tarnedit;
using test::RecordingWindows;

class StartupTest : public test::ProgramFolderFixture {
protected:
    void Write(const char* key, const char* value) {
        ASSERT_TRUE(SetINIValue(kSectionQuenby, QString::fromUtf8(key), QString::fromUtf8(value), Ini()));
    }
    // Main, then the splash's tick.
    Startup& Start(const QString& commandText = QString()) {
        startup_ = std::make_unique<Startup>(settings_, windows_, commandText);
        startup_->screenFonts = [] { return QStringList{QStringLiteral("IPAGothic"), QStringLiteral("DejaVu Sans")}; };
        startup_->Main();
        EXPECT_TRUE(windows_.tick);
        if (windows_.tick) windows_.tick();
        return *startup_;
    }
    ControlHost& Control() { return *startup_->Editor().Control(); }
    bool Flag(com::DISPID id) { return Control().Get<bool>(id); }
    std::size_t Position(const std::string& call) {
        return static_cast<std::size_t>(std::find(windows_.calls.begin(), windows_.calls.end(), call) - windows_.calls.begin());
    }
    void TearDown() override {
        if (startup_ && startup_->HasEditor()) startup_->Editor().hide();
        startup_.reset();
    }

    AppSettings settings_;
    RecordingWindows windows_;
    std::unique_ptr<Startup> startup_;
};

TEST_F(StartupTest, WithoutASettingsFileEverythingTakesItsDefault) {
    Startup& s = Start();
    ASSERT_TRUE(s.Editor().HasControl()) << s.Editor().ControlError().toStdString();
    EXPECT_TRUE(settings_.ShowSplash);
    EXPECT_TRUE(settings_.MouseAutoRefresh);
    EXPECT_TRUE(settings_.TimeAutoRefresh);
    EXPECT_TRUE(settings_.ToolbarCaption);
    EXPECT_EQ(settings_.HTMLTagColor, RGB(0, 0, 255));
    EXPECT_EQ(settings_.HTMLTagColor2, RGB(170, 0, 0));
    EXPECT_EQ(settings_.CommentTagColor, RGB(255, 128, 0));
    // Line-end marks only, the design's font at 9 points (12 pixels).
    EXPECT_TRUE(Flag(tx::dispid::ShowCR));
    for (com::DISPID off : {tx::dispid::ShowEOF, tx::dispid::ShowTAB, tx::dispid::ShowRuler, tx::dispid::ShowRulerCur,
                            tx::dispid::ShowSglSpace, tx::dispid::ShowDblSpace, tx::dispid::ShowUnderLine,
                            tx::dispid::ShowLineNumber})
        EXPECT_FALSE(Flag(off)) << off;
    EXPECT_EQ(Control().FontName(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(Control().FontSize(), 9);
    EXPECT_TRUE(s.Editor().AutoRefreshTimer().isActive());
    // The font cache was built and counted; the welcome picture written.
    EXPECT_TRUE(s.FontCacheRebuilt());
    EXPECT_EQ(GetINIValue(kSectionQuenby, QStringLiteral("FontCount"), Ini()), QStringLiteral("2"));
    EXPECT_EQ(settings_.FontNames.size(), 3);
    EXPECT_TRUE(std::filesystem::exists(Folder() / "welcome.jpg"));
    EXPECT_EQ(windows_.welcomePicture, FromPath(Folder() / "welcome.jpg"));
    // The built-in page, untitled.
    EXPECT_EQ(s.Editor().windowTitle(), QStringLiteral("Quenby - (無題)"));
    EXPECT_TRUE(Control().Text().startsWith(QStringLiteral("<HTML>\r\n<HEAD>")));
    EXPECT_TRUE(s.Editor().isVisible());
}

TEST_F(StartupTest, TheStepsRunInTheirOrder) {
    Start();
    const std::vector<std::string> expected{"LoadSplash", "ShowSplash", "SplashProgressMax"};
    ASSERT_GE(windows_.calls.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), windows_.calls.begin()));
    // The first document's refresh loads the preview and shows the page in
    // it before the windows are shown; the template dialog comes after the
    // windows, the splash goes last.
    const std::size_t navigate = Position("Preview.Navigate User-Agent:DoCoMo/2.0");
    const std::size_t show = Position("ShowPreview(owned)");
    const std::size_t templates = Position("ShowTemplateDialog");
    ASSERT_LT(templates, windows_.calls.size());
    EXPECT_LT(navigate, show);
    EXPECT_LT(show, templates);
    EXPECT_EQ(windows_.calls.back(), "UnloadSplash");
    ASSERT_EQ(windows_.navigations.size(), 1u);
    EXPECT_EQ(windows_.navigations.front(), startup_->Editor().TempFileName());
    EXPECT_TRUE(windows_.navigations.front().endsWith(QStringLiteral("/temporary.html")));
    // The tick runs the start-up once only.
    const std::size_t calls = windows_.calls.size();
    windows_.tick();
    EXPECT_EQ(windows_.calls.size(), calls);
}

TEST_F(StartupTest, StoredSettingsAreAppliedEachOnItsOwn) {
    Write("ShowSplash", "yes");
    Write("MouseAutoRefresh", "False");
    Write("TimeAutoRefresh", "0");
    Write("ToolbarCaption", "true");
    Write("ShowCR", "0");
    Write("ShowEOF", "1");
    Write("ShowRuler", "2");
    Write("ShowTAB", "abc");
    Write("ShowLineNumber", "");
    Write("Font", "IPAPGothic");
    Write("FontSize", "10.75");
    Write("BackColor", "&HC0C0C0");
    Write("FontColor", "&H80");
    Write("HTMLTagColor", "&H0");
    Write("HTMLTagColor2", "&H123456");
    Write("Top", "1500");
    Write("Left", "3000");
    Write("Width", "9000");
    Write("Height", "6000");
    Startup& s = Start();
    EXPECT_FALSE(settings_.ShowSplash);
    EXPECT_EQ(std::count(windows_.calls.begin(), windows_.calls.end(), "ShowSplash"), 0);
    EXPECT_EQ(std::count(windows_.calls.begin(), windows_.calls.end(), "SplashProgress"), 0);
    EXPECT_FALSE(settings_.MouseAutoRefresh);
    EXPECT_FALSE(settings_.TimeAutoRefresh);
    EXPECT_FALSE(s.Editor().AutoRefreshTimer().isActive());
    EXPECT_TRUE(settings_.ToolbarCaption);
    EXPECT_FALSE(Flag(tx::dispid::ShowCR));
    EXPECT_TRUE(Flag(tx::dispid::ShowEOF));
    EXPECT_TRUE(Flag(tx::dispid::ShowRuler));
    EXPECT_FALSE(Flag(tx::dispid::ShowTAB));         // not a number: unchanged
    EXPECT_FALSE(Flag(tx::dispid::ShowLineNumber));  // empty: unchanged
    EXPECT_EQ(Control().FontName(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(Control().FontSize(), 11);
    EXPECT_EQ(Control().Get<std::uint32_t>(tx::dispid::Color), 0xC0C0C0u);
    EXPECT_EQ(Control().Get<std::uint32_t>(tx::dispid::AxFontColor), 0x80u);
    EXPECT_EQ(settings_.HTMLTagColor, RGB(0, 0, 255));  // 0 is no choice
    EXPECT_EQ(settings_.HTMLTagColor2, 0x123456u);
    EXPECT_EQ(settings_.CommentTagColor, RGB(255, 128, 0));
    EXPECT_EQ(s.Editor().size(), QSize(600, 400));
}

TEST_F(StartupTest, TheColouringListsComeFromTheProgramFolder) {
    testing_fs::WriteAll(Folder() / "HtmlText.ctd", "a href name\r\nbr\r\n");
    testing_fs::WriteAll(Folder() / "CommentText.ctd", "<!--*-->\r\n");
    Start();
    EXPECT_EQ(settings_.HTMLTagList, (QStringList{QStringLiteral("A HREF NAME"), QStringLiteral("BR")}));
    EXPECT_EQ(settings_.CommentTagList, QStringList{QStringLiteral("<!--*-->")});
}

TEST_F(StartupTest, MissingListsGiveEmptyLists) {
    Start();
    EXPECT_TRUE(settings_.HTMLTagList.isEmpty());
    EXPECT_TRUE(settings_.CommentTagList.isEmpty());
}

TEST_F(StartupTest, AFileOnTheCommandLineIsOpenedInsteadOfTheTemplateDialog) {
    const std::filesystem::path page = Folder() / "ページ.htm";
    testing_fs::WriteAll(page, "<HTML>\x82\xa0</HTML>");
    Startup& s = Start(FromPath(page));
    EXPECT_EQ(Control().Text(), QStringLiteral("<HTML>あ</HTML>"));
    EXPECT_EQ(s.Editor().CurrentFileName(), FromPath(page));
    EXPECT_EQ(s.Editor().windowTitle(), QStringLiteral("Quenby - ") + FromPath(page));
    EXPECT_EQ(std::count(windows_.calls.begin(), windows_.calls.end(), "ShowTemplateDialog"), 0);
}

TEST_F(StartupTest, AQuotedCommandLineIsTakenAsItStandsAndOpensAnEmptyDocument) {
    const QString quoted = QStringLiteral("\"") + FromPath(Folder() / "a b.htm") + QStringLiteral("\"");
    Startup& s = Start(quoted);
    EXPECT_EQ(s.Editor().CurrentFileName(), quoted);
    EXPECT_EQ(Control().Text(), QString());
}

TEST_F(StartupTest, GeometryWrittenOnCloseIsReadByTheNextStart) {
    {
        Startup& s = Start();
        s.Editor().setGeometry(40, 60, 500, 350);
        QCoreApplication::processEvents();
        EXPECT_TRUE(s.Editor().close());
    }
    EXPECT_EQ(GetINIValue(kSectionQuenby, QStringLiteral("Width"), Ini()), QStringLiteral("7500"));
    EXPECT_EQ(GetINIValue(kSectionQuenby, QStringLiteral("Height"), Ini()), QStringLiteral("5250"));
    EXPECT_EQ(GetINIValue(kSectionQuenby, QStringLiteral("State"), Ini()), QStringLiteral("0"));
    startup_.reset();
    windows_ = RecordingWindows();
    Startup& again = Start();
    EXPECT_EQ(again.Editor().size(), QSize(500, 350));
    // The font count written by the first start keeps the second from
    // rebuilding the cache.
    EXPECT_FALSE(again.FontCacheRebuilt());
}

TEST_F(StartupTest, BadSettingsFilesStartWithTheDefaults) {
    std::string binary;
    for (int i = 0; i < 300000; ++i) binary.push_back(static_cast<char>((i * 2654435761u) >> 24));
    std::string longLines = "[Quenby]\r\nShowCR=" + std::string(100000, '7') + "\r\n" + std::string(100000, '[') +
                            "\r\nFont=" + std::string(300, 'x') + "\r\nHTMLTagColor=\x82\r\n";
    std::string nuls = std::string("[Quenby]\r\nFontSize=1\0" "2\r\nShowEOF=\0\r\n", 30) + std::string(1000, '\0');
    std::string huge;
    while (huge.size() < 10 * 1024 * 1024) huge += "[S" + std::to_string(huge.size()) + "]\r\nk=v\r\n";
    for (const std::string* content : {&binary, &longLines, &nuls, &huge}) {
        testing_fs::WriteAll(Ini(), *content);
        settings_ = AppSettings();
        windows_ = RecordingWindows();
        Start();
        ASSERT_TRUE(startup_->Editor().HasControl());
        EXPECT_EQ(settings_.CommentTagColor, RGB(255, 128, 0));
        EXPECT_FALSE(Flag(tx::dispid::ShowEOF));
        EXPECT_EQ(windows_.calls.back(), "UnloadSplash");
        startup_->Editor().hide();
        startup_.reset();
    }
}

}  // namespace
}  // namespace quenby::shell

// The preview window over the real browser engine, off screen: skins and
// their masks, every kind of navigation caught and converted, pages from a
// loopback server of the test's own, and the window's settings. One
// application and one browser engine serve the whole program.
#include "host/preview/event_wait.h"
#include "host/preview/mobile_browser.h"

#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/preview/inet_get_html.h"
#include "host/preview/preview_page.h"
#include "tests/host/preview/loopback_http_server.h"
#include "tests/qt_test_app.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace quenby::preview {
namespace {

using test_support::HttpRoute;
using test_support::LoopbackHttpServer;

// The engine needs shared contexts before the application exists, and no
// sandbox when the tests run as the super-user.
const bool kEngineReady = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return true;
}();
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new testing_qt::QtEnvironment);

constexpr int kWait = 30000;

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ReadUtf8(const QString& path) { return QString::fromUtf8(ReadBytes(path)); }

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class MobileBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        program_ = ToPath(root_.path()) / "program";
        temp_ = ToPath(root_.path()) / "temp";
        std::filesystem::create_directories(program_ / "skin" / "css");
        std::filesystem::create_directories(program_ / "skin" / "art");
        std::filesystem::create_directories(program_ / "image");
        std::filesystem::create_directories(temp_);
        WriteBytes(program_ / "skin" / "css" / "default.css", "body { margin: 0; }\n");
        settings_ = program_ / "Quenby.ini";
    }

    std::unique_ptr<MobileBrowser> Open() {
        auto b = std::make_unique<MobileBrowser>(PreviewFolders{program_, temp_, settings_});
        b->show();
        return b;
    }

    // A phone picture with a striped body, so that a mask showing the
    // wrong part of it is seen.
    void WriteSkin(const std::string& name, QSize picture, QRect screen) {
        QImage image(picture, QImage::Format_RGB32);
        QPainter p(&image);
        for (int y = 0; y < picture.height(); ++y) p.fillRect(0, y, picture.width(), 1, QColor(40 + y % 50, 90, 160));
        p.fillRect(screen, Qt::black);
        p.end();
        ASSERT_TRUE(image.save(FromPath(program_ / "skin" / "art" / (name + ".png"))));
        WriteBytes(program_ / "skin" / (name + ".skin"),
                   "[QuenbySkin]\r\nName=" + name + "\r\n[vUzezozi]\r\nBGFile=art/" + name +
                       ".png\r\nBrowserLeft=" + std::to_string(screen.x()) +
                       "\r\nBrowserTop=" + std::to_string(screen.y()) +
                       "\r\nBrowserWidth=" + std::to_string(screen.width()) +
                       "\r\nBrowserHeight=" + std::to_string(screen.height()) + "\r\ncss=css/default.css\r\n");
    }

    bool WaitShown(QSignalSpy& spy, int count = 1) {
        return RunEventsUntil([&] { return spy.count() >= count; }, kWait);
    }

    QString Temp2() const { return FromPath(temp_ / "temp2.htm"); }

    QTemporaryDir root_;
    std::filesystem::path program_, temp_, settings_;
};

// ---- Skins ------------------------------------------------------------------------------------

TEST_F(MobileBrowserTest, WithoutASkinTheAreaIs240By320AndTheScrollBarShows) {
    auto b = Open();
    EXPECT_EQ(b->windowTitle(), QStringLiteral("モバイルブラウザ"));
    EXPECT_EQ(b->BrowseArea()->size(), QSize(240, 320));
    EXPECT_EQ(b->BrowserControl()->geometry(), QRect(-2, -2, 240, 320));
    // The page itself lies inside the control's border.
    EXPECT_EQ(b->SeenBrowser()->geometry(), QRect(2, 2, 236, 316));
    for (const char* name : {"P1", "P2", "P3", "P4"})
        EXPECT_FALSE(b->BrowseArea()->findChild<QLabel*>(QString::fromLatin1(name))->isVisible());
}

TEST_F(MobileBrowserTest, ASkinPlacesTheBrowserSoThatOnlyItsScreenShowsPage) {
    WriteSkin("phone", QSize(280, 480), QRect(20, 80, 240, 320));
    ASSERT_TRUE(SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QStringLiteral("phone.skin"), settings_));
    auto b = Open();
    const int s = MobileBrowser::EngineScrollBarWidth();
    EXPECT_EQ(b->BrowseArea()->size(), QSize(280, 480));
    EXPECT_EQ(b->BrowserControl()->geometry(), QRect(18, 78, 244 + s, 324 + s));
    // Page (scroll bar included) starts exactly at the screen's corner.
    EXPECT_EQ(b->SeenBrowser()->mapTo(b->BrowseArea(), QPoint(0, 0)), QPoint(20, 80));

    // Each mask shows the picture that lies beneath it.
    const QImage picture(FromPath(program_ / "skin" / "art" / "phone.png"));
    for (const char* name : {"P1", "P2", "P3", "P4"}) {
        auto* mask = b->BrowseArea()->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_TRUE(mask && mask->isVisible()) << name;
        const QImage shown = mask->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, picture.copy(mask->geometry()).convertToFormat(QImage::Format_RGB32)) << name;
        // Masks lie above the browser.
        EXPECT_GT(b->BrowseArea()->children().indexOf(mask), b->BrowseArea()->children().indexOf(b->BrowserControl()));
    }

    // Laid out again when the setting changes, as the options dialog does.
    ASSERT_TRUE(SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QStringLiteral("gone.skin"), settings_));
    b->LoadSkin();
    EXPECT_EQ(b->BrowseArea()->size(), QSize(240, 320));
}

TEST_F(MobileBrowserTest, TheEnginesScrollBarIsAsWideAsTheMasksAssume) {
    auto b = Open();
    QSignalSpy loaded(b->SeenBrowser()->page(), &QWebEnginePage::loadFinished);
    b->SeenBrowser()->setHtml(QStringLiteral("<body style='height:3000px'>tall</body>"));
    ASSERT_TRUE(RunEventsUntil([&] { return loaded.count() > 0; }, kWait));
    int width = -1;
    b->SeenBrowser()->page()->runJavaScript(
        QStringLiteral("window.innerWidth - document.documentElement.clientWidth"),
        QWebEngineScript::ApplicationWorld, [&](const QVariant& v) { width = v.toInt(); });
    ASSERT_TRUE(RunEventsUntil([&] { return width >= 0; }, kWait));
    EXPECT_EQ(width, MobileBrowser::EngineScrollBarWidth());
}

// ---- Navigation -------------------------------------------------------------------------------

TEST_F(MobileBrowserTest, ALocalPageIsConvertedAndThePreviewFileShown) {
    WriteBytes(temp_ / "temporary.html", "<HTML><BODY>\x82\xA0&#63647;<script>x()</script></BODY></HTML>\r\n");
    auto b = Open();
    QSignalSpy shown(b.get(), &MobileBrowser::PageShown);
    b->Navigate2(FromPath(temp_ / "temporary.html"), QStringLiteral("User-Agent:DoCoMo/2.0"));
    ASSERT_TRUE(WaitShown(shown));
    EXPECT_TRUE(shown.first().at(0).toBool());
    EXPECT_EQ(b->SeenBrowser()->url(), QUrl::fromLocalFile(Temp2()));
    const QString page = ReadUtf8(Temp2());
    // UTF-8 behind its byte-order mark, so that the page's own charset
    // cannot turn it into mojibake.
    EXPECT_TRUE(ReadBytes(Temp2()).startsWith("\xEF\xBB\xBF<link rel='stylesheet' href='")) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("あ")));
    EXPECT_TRUE(page.contains(QStringLiteral("/image/1.gif")));
    EXPECT_FALSE(page.contains(QStringLiteral("<script>")));
    EXPECT_EQ(b->StatusText(), QString::number(std::filesystem::file_size(temp_ / "temporary.html")) +
                                   QStringLiteral(" バイト"));
}

TEST_F(MobileBrowserTest, ThePreviewFileItselfIsLetThrough) {
    auto b = Open();
    // Conversion would turn the reference into an image: it stays.
    WriteBytes(temp_ / "temp2.htm", "<p>&#63647;</p>");
    QSignalSpy shown(b.get(), &MobileBrowser::PageShown);
    b->Navigate2(QUrl::fromLocalFile(Temp2()).toString());
    ASSERT_TRUE(WaitShown(shown));
    EXPECT_EQ(ReadBytes(Temp2()), QByteArray("<p>&#63647;</p>"));
}

TEST_F(MobileBrowserTest, AMissingLocalFileShowsTheErrorPage) {
    auto b = Open();
    b->AddressBar()->setText(QStringLiteral("kept"));
    QSignalSpy shown(b.get(), &MobileBrowser::PageShown);
    b->TempFileNavigate(FromPath(temp_ / "missing.html"), QStringLiteral("http://example.invalid/"));
    ASSERT_TRUE(WaitShown(shown));
    EXPECT_TRUE(ReadUtf8(Temp2()).contains(QStringLiteral("ページを表示できません")));
    EXPECT_EQ(b->AddressBar()->text(), QStringLiteral("kept"));
}

TEST_F(MobileBrowserTest, WebPagesAreFetchedWithTheHandsetAgentAndTheirLinksFollowed) {
    LoopbackHttpServer server;
    const std::string next = server.Url("/next.html");
    // The first page sends the browser on by itself, as a link would.
    server.Route("/first.html", HttpRoute::Page("<HTML><HEAD><META http-equiv=\"refresh\" content=\"0;URL=" + next +
                                                "\"></HEAD><BODY><a href=\"sub/x.html\">x</a></BODY></HTML>"));
    server.Route("/next.html", HttpRoute::Page("<HTML><BODY>\x8E\x9F<img src=\"pic.gif\"></BODY></HTML>"));
    server.Route("/pic.gif", HttpRoute::Page("GIF89a", 200));
    auto b = Open();
    QSignalSpy shown(b.get(), &MobileBrowser::PageShown);

    b->AddressBar()->setText(QString::fromStdString(server.Url("/first.html")));
    QTest::keyClick(b->AddressBar(), Qt::Key_Return);
    ASSERT_TRUE(RunEventsUntil([&] { return b->AddressBar()->text() == QString::fromStdString(next); }, kWait));
    ASSERT_TRUE(RunEventsUntil(
        [&] {
            for (const auto& r : server.Requests())
                if (r.Path() == "/pic.gif") return true;
            return false;
        },
        kWait));

    // Every request, pages and the image the converted page loads, went out
    // as the handset.
    for (const auto& r : server.Requests())
        EXPECT_EQ(r.Header("User-Agent").value_or(""), "DoCoMo/2.0 ISIM0505(c100;TB;W30;H20)") << r.target;
    // The fetched page is kept as received; the shown one has its links
    // made absolute.
    EXPECT_EQ(ReadBytes(FromPath(temp_ / "temp1.htm")),
              QByteArray("<HTML><BODY>\x8E\x9F<img src=\"pic.gif\"></BODY></HTML>"));
    EXPECT_TRUE(ReadUtf8(Temp2()).contains(QStringLiteral("src=\"") + QString::fromStdString(server.Url("/pic.gif"))));
    EXPECT_TRUE(ReadUtf8(Temp2()).contains(QStringLiteral("次")));
}

TEST_F(MobileBrowserTest, ASkinNamingAHandsetShowsItsScreenAndAsksAsIt) {
    std::filesystem::copy_file(std::filesystem::path(QUENBY_DATA_DIR) / "handsets.ini", program_ / "handsets.ini");
    WriteSkin("old", QSize(200, 260), QRect(30, 40, 132, 126));
    {
        std::ofstream skin(program_ / "skin" / "old.skin", std::ios::binary | std::ios::app);
        skin << "[QuenbyHandset]\r\nProfile=3.0\r\n";
    }
    ASSERT_TRUE(SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QStringLiteral("old.skin"), settings_));
    LoopbackHttpServer server;
    for (const char* n : {"1", "2"}) {
        server.Route(std::string("/p") + n + ".html",
                     HttpRoute::Page(std::string("<HTML><BODY>p<img src=\"i") + n + ".gif\"></BODY></HTML>"));
        server.Route(std::string("/i") + n + ".gif", HttpRoute::Page("GIF89a", 200));
    }

    auto b = Open();
    EXPECT_EQ(b->Handset(), QStringLiteral("3.0"));
    const int s = MobileBrowser::EngineScrollBarWidth();
    // The handset's 120 x 130 screen, where the skin puts its screen.
    EXPECT_EQ(b->BrowserControl()->geometry(), QRect(28, 38, 124 + s, 134 + s));
    // The page and the picture it loads both go out as the handset.
    const auto fetchAs = [&](const std::string& n, const std::string& agent) {
        const std::size_t before = server.Requests().size();
        b->Navigate2(QString::fromStdString(server.Url("/p" + n + ".html")), QString());
        ASSERT_TRUE(RunEventsUntil([&] { return server.CountRequests("/i" + n + ".gif") > 0; }, kWait));
        const auto requests = server.Requests();
        ASSERT_GE(requests.size(), before + 2);
        for (std::size_t i = before; i < requests.size(); ++i)
            EXPECT_EQ(requests[i].Header("User-Agent").value_or(""), agent) << requests[i].target;
    };
    fetchAs("1", "DoCoMo/1.0/D503i/c10");

    // A skin naming no handset asks as the default handset again.
    WriteSkin("plain", QSize(280, 480), QRect(20, 80, 240, 320));
    ASSERT_TRUE(SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Skin"), QStringLiteral("plain.skin"), settings_));
    b->LoadSkin();
    EXPECT_EQ(b->Handset(), QString());
    fetchAs("2", "DoCoMo/2.0 ISIM0505(c100;TB;W30;H20)");
}

TEST_F(MobileBrowserTest, AFailedFetchShowsTheErrorPageWithItsAddress) {
    SetBeepHook([] {});
    const std::string dead = "http://127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort()) + "/gone.html";
    auto b = Open();
    QSignalSpy shown(b.get(), &MobileBrowser::PageShown);
    b->Navigate2(QString::fromStdString(dead));
    ASSERT_TRUE(WaitShown(shown));
    const QString page = ReadUtf8(Temp2());
    EXPECT_TRUE(page.contains(QStringLiteral("ページを表示できません")));
    EXPECT_TRUE(page.contains(QString::fromStdString(dead)));
    EXPECT_TRUE(b->AddressBar()->text().isEmpty());
    SetBeepHook(nullptr);
}

TEST_F(MobileBrowserTest, ThePageRunsNoScriptsAndNoPlugins) {
    auto b = Open();
    const QWebEngineSettings* s = b->SeenBrowser()->page()->settings();
    EXPECT_FALSE(s->testAttribute(QWebEngineSettings::JavascriptEnabled));
    EXPECT_FALSE(s->testAttribute(QWebEngineSettings::PluginsEnabled));
    EXPECT_EQ(b->SeenBrowser()->page()->profile()->httpUserAgent(),
              QStringLiteral("DoCoMo/2.0 ISIM0505(c100;TB;W30;H20)"));
}

TEST_F(MobileBrowserTest, ALocalPageReachesTheWebOnlyForItsPicturesAndStyleSheets) {
    LoopbackHttpServer server;
    server.Route("/pic.gif", HttpRoute::Page("GIF89a", 200, "image/gif"));
    server.Route("/look.css", HttpRoute::Page("p{}", 200, "text/css"));
    server.Route("/object.html", HttpRoute::Page("<p>o</p>"));
    server.Route("/sound.mid", HttpRoute::Page("MThd", 200, "audio/midi"));
    WriteBytes(temp_ / "page.html", "<object data=\"" + server.Url("/object.html") + "\"></object><bgsound src=\"" +
                                        server.Url("/sound.mid") + "\"><audio src=\"" + server.Url("/sound.mid") +
                                        "\" autoplay></audio><img src=\"" + server.Url("/pic.gif") + "\">");
    // The page's own style sheet link is cut by the conversion; the skin's
    // sheet may come from anywhere.
    auto b = Open();
    QSignalSpy shown(b.get(), &MobileBrowser::PageShown);
    b->Navigate2(FromPath(temp_ / "page.html"));
    ASSERT_TRUE(WaitShown(shown));
    std::vector<std::string> paths;
    for (const auto& r : server.Requests()) paths.push_back(r.Path());
    EXPECT_NE(std::find(paths.begin(), paths.end(), "/pic.gif"), paths.end());
    EXPECT_EQ(std::find(paths.begin(), paths.end(), "/object.html"), paths.end());
    EXPECT_EQ(std::find(paths.begin(), paths.end(), "/sound.mid"), paths.end());
}

TEST_F(MobileBrowserTest, TheHiddenPageLeavesAMovieItIsSentTo) {
    LoopbackHttpServer server;
    server.Route("/a.html", HttpRoute::Page("<p>a</p>"));
    server.Route("/clip.3gp", HttpRoute::Page("<p>movie</p>"));
    auto b = Open();
    QWebEnginePage* hidden = b->HiddenBrowser();
    QSignalSpy loaded(hidden, &QWebEnginePage::loadFinished);
    hidden->load(QUrl(QString::fromStdString(server.Url("/a.html"))));
    ASSERT_TRUE(RunEventsUntil([&] { return loaded.count() >= 1; }, kWait));
    hidden->load(QUrl(QString::fromStdString(server.Url("/clip.3gp"))));
    ASSERT_TRUE(RunEventsUntil([&] { return hidden->url().path() == QStringLiteral("/a.html") && loaded.count() >= 3; },
                                kWait));
}

// ---- Settings and closing ----------------------------------------------------------------------

TEST_F(MobileBrowserTest, ClosingWritesTheNormalGeometryAndDeletesTheTemporaryFiles) {
    auto b = Open();
    b->move(30, 45);
    b->resize(300, 500);
    QSignalSpy shown(b.get(), &MobileBrowser::PageShown);
    WriteBytes(temp_ / "page.html", "<p>x</p>");
    b->Navigate2(FromPath(temp_ / "page.html"));
    ASSERT_TRUE(WaitShown(shown));
    WriteBytes(temp_ / "temp1.htm", "x");
    std::filesystem::permissions(temp_ / "temp1.htm", std::filesystem::perms::owner_read);

    // Maximised, the normal size is what is kept, and Top and Left are not
    // written.
    b->showMaximized();
    QSignalSpy closed(b.get(), &MobileBrowser::Closed);
    b->close();
    EXPECT_EQ(closed.count(), 1);
    auto value = [&](const char* key) { return GetINIValue(QStringLiteral("vUzezozi"), QString::fromLatin1(key), settings_); };
    EXPECT_EQ(value("Width"), QString::number(300 * 15));
    EXPECT_EQ(value("Height"), QString::number(500 * 15));
    EXPECT_EQ(value("Top"), QString());
    EXPECT_FALSE(QFile::exists(Temp2()));
    EXPECT_FALSE(QFile::exists(FromPath(temp_ / "temp1.htm")));

    // Read back when the window opens again; a bad value leaves its default.
    ASSERT_TRUE(SetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Left"), QStringLiteral("abc"), settings_));
    auto again = std::make_unique<MobileBrowser>(PreviewFolders{program_, temp_, settings_});
    EXPECT_EQ(again->size(), QSize(300, 500));
}

TEST_F(MobileBrowserTest, MinimisingAndRestoringKeepsTheRememberedSize) {
    auto b = Open();
    b->resize(310, 470);
    b->showMinimized();
    b->showNormal();
    b->close();
    EXPECT_EQ(GetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Width"), settings_), QString::number(310 * 15));
    EXPECT_EQ(GetINIValue(QStringLiteral("vUzezozi"), QStringLiteral("Height"), settings_), QString::number(470 * 15));
}

}  // namespace
}  // namespace quenby::preview

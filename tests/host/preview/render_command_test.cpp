// `quenby --render` as authors run it: a separate process with no display,
// against a program folder of the test's own holding the shipped skins and
// pictographs. The pictures are kept for a person to look at.
#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/preview/skin_layout.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quenby::preview {
namespace {

// Pictographs at the ends of the numbering, a marquee, a style block, a
// script and a frame set: what the conversion changes, seen in a picture.
const std::string kPage =
    "<HTML><HEAD><TITLE>test</TITLE><STYLE>body{background:red}</STYLE></HEAD>\r\n"
    "<BODY>\r\n"
    "<FONT color=\"#FF0000\">\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD</FONT>&#63647;&#63741;&#63919;&#63920;<BR>\r\n"
    "<MARQUEE>\x83\x7D\x81\x5B\x83\x4C\x81\x5B</MARQUEE>\r\n"
    "<script>document.write('scripted')</script><BR>\r\n"
    "<FRAMESET><FRAME src=\"a.html\"></FRAME></FRAMESET>\r\n"
    "<A href=\"next.html\" accesskey=\"1\">\x8E\x9F\x82\xD6</A>\r\n"
    "</BODY></HTML>\r\n";

class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        program_ = ToPath(root_.path());
        std::filesystem::copy(QUENBY_DATA_DIR, program_, std::filesystem::copy_options::recursive);
        page_ = program_ / "page.html";
        std::ofstream(page_, std::ios::binary) << kPage;
        std::filesystem::create_directories(QUENBY_SCREENSHOT_DIR);
    }

    struct Run {
        int code = -1;
        QString error;
    };
    Run Render(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUENBY_PROGRAM_DIR"), root_.path());
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUENBY_PROGRAM), QStringList{QStringLiteral("--render")} + args);
        if (!p.waitForFinished(120000)) return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardError())};
    }

    QTemporaryDir root_;
    std::filesystem::path program_, page_;
};

TEST_F(RenderCommandTest, EveryShippedSkinShowsThePageInsideItsScreen) {
    int skins = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SkinFolder(program_))) {
        if (!entry.is_regular_file()) continue;
        ++skins;
        const std::string name = entry.path().stem().string();
        const QString shot = QStringLiteral(QUENBY_SCREENSHOT_DIR "/render-") + QString::fromStdString(name) +
                             QStringLiteral(".png");
        const Run run = Render({FromPath(page_), QStringLiteral("-o"), shot, QStringLiteral("--skin"),
                                FromPath(entry.path().filename())});
        ASSERT_EQ(run.code, 0) << name << ": " << run.error.toStdString();

        const std::optional<SkinFile> skin = ReadSkinFile(entry.path());
        ASSERT_TRUE(skin) << name;
        const QImage picture = QImage(FromPath(SkinFolder(program_) / ToPath(skin->background)))
                                   .convertToFormat(QImage::Format_ARGB32);
        const QImage image = QImage(shot).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(picture.isNull()) << name;
        ASSERT_EQ(image.size(), picture.size()) << name;

        // Outside the screen the picture is untouched (masks included);
        // inside it the page is drawn: more than one colour.
        const QRect screen(qRound(skin->left), qRound(skin->top), qRound(skin->width), qRound(skin->height));
        int differing = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!screen.contains(x, y) && image.pixel(x, y) != picture.pixel(x, y)) ++differing;
        EXPECT_EQ(differing, 0) << name << ": pixels of the phone changed outside its screen";
        const QImage inside = image.copy(screen);
        bool varied = false;
        for (int y = 0; y < inside.height() && !varied; ++y)
            for (int x = 0; x < inside.width() && !varied; ++x) varied = inside.pixel(x, y) != inside.pixel(0, 0);
        EXPECT_TRUE(varied) << name << ": nothing drawn on the screen";
    }
    EXPECT_GE(skins, 3);
}

TEST_F(RenderCommandTest, EveryShippedTemplateRendersInThePreview) {
    int templates = 0;
    for (const auto& entry : std::filesystem::directory_iterator(program_ / "template")) {
        if (entry.path().extension() != ".htp") continue;
        ++templates;
        // The page is the template's first field.
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::filesystem::path page = program_ / (entry.path().stem().string() + ".html");
        std::ofstream(page, std::ios::binary) << bytes.substr(0, bytes.find('\0'));
        const QString shot = QStringLiteral(QUENBY_SCREENSHOT_DIR "/template-") +
                             QString::fromStdString(entry.path().stem().string()) + QStringLiteral(".png");
        const Run run = Render({FromPath(page), QStringLiteral("-o"), shot, QStringLiteral("--skin"),
                                QStringLiteral("fold240x320.ini")});
        ASSERT_EQ(run.code, 0) << entry.path() << ": " << run.error.toStdString();
        EXPECT_FALSE(QImage(shot).isNull());
    }
    EXPECT_GE(templates, 6);
}

TEST_F(RenderCommandTest, WithoutASkinTheDefaultScreen) {
    const QString shot = QStringLiteral(QUENBY_SCREENSHOT_DIR "/render-default.png");
    const Run run = Render({FromPath(page_), QStringLiteral("-o"), shot, QStringLiteral("--url"),
                            QStringLiteral("http://example.invalid/dir/")});
    ASSERT_EQ(run.code, 0) << run.error.toStdString();
    EXPECT_EQ(QImage(shot).size(), QSize(240, 320));
}

TEST_F(RenderCommandTest, WhatCannotBeReadIsSaidAndFails) {
    const QString shot = root_.filePath(QStringLiteral("x.png"));
    Run run = Render({root_.filePath(QStringLiteral("missing.html")), QStringLiteral("-o"), shot});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.error.contains(QStringLiteral("cannot read the page"))) << run.error.toStdString();
    run = Render({FromPath(page_), QStringLiteral("-o"), shot, QStringLiteral("--skin"), QStringLiteral("nope.skin")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.error.contains(QStringLiteral("cannot read the skin"))) << run.error.toStdString();
    run = Render({FromPath(page_)});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.error.contains(QStringLiteral("usage"))) << run.error.toStdString();
    EXPECT_FALSE(QFile::exists(shot));
}

}  // namespace
}  // namespace quenby::preview

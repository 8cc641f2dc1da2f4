#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

// The program runs from a program folder of the test's own, with no display.
class CheckCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path().toStdString();
        std::filesystem::copy_file(std::filesystem::path(QUENBY_DATA_DIR) / "handsets.ini", folder_ / "handsets.ini");
    }

    QString Page(const char* name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return QString::fromStdString((folder_ / name).string());
    }

    Outcome Quenby(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUENBY_PROGRAM_DIR", dir_.path());
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        process.start(QUENBY_PROGRAM, arguments);
        if (!process.waitForFinished(60000)) process.kill();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir dir_;
    std::filesystem::path folder_;
};

TEST_F(CheckCommand, PrintsFindingsAndExitsByTheirSeverity) {
    // "\x93\xfa\x96{" is two double-byte characters in Shift_JIS.
    const QString page = Page("p.html", "<html><body>\n\x93\xfa\x96{<object>\n<a name=\"1x\">x</a>\n</body></html>\n");
    const Outcome old = Quenby({"--check", page, "--handset", "2.0"});
    EXPECT_EQ(old.exitCode, 1);
    EXPECT_EQ(old.out, page + ":2:5: error: element OBJECT is not part of HTML 2.0\n" + page +
                           ":3:4: warning: name \"1x\" must start with a letter and use only letters, digits, "
                           "\"-\", \"_\" and \".\"\n");

    const Outcome newest = Quenby({"--check", page});  // the newest version knows OBJECT
    EXPECT_EQ(newest.exitCode, 0);
    EXPECT_EQ(newest.out.count('\n'), 1);

    const Outcome clean = Quenby({"--check", Page("ok.html", "<html><body>ok</body></html>\n")});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_TRUE(clean.out.isEmpty());
}

TEST_F(CheckCommand, FoldersAndSeveralPagesAreCheckedInNameOrder) {
    std::filesystem::create_directories(folder_ / "site" / "sub");
    std::filesystem::create_directories(folder_ / "site" / "img");
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(folder_ / "site" / name, std::ios::binary) << bytes;
    };
    write("b.html", "<html><blink>x</blink></html>\n");
    write("a.htm", "<html><span>x</span></html>\n");
    write("sub/c.HTML", "<a name=\"1\">x</a>\n");
    write("notes.txt", "<span>not a page</span>\n");
    write("img/pic.gif", "GIF89a");
    const QString site = QString::fromStdString((folder_ / "site").string());

    const Outcome run = Quenby({"--check", site, "--handset", "1.0"});
    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(site + "/a.htm:1:7: error: element SPAN")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(site + "/b.html:1:7: error: element BLINK")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(site + "/sub/c.HTML:1:4: warning: name")) << lines[2].toStdString();

    // An unreadable page among readable ones: the others are still checked.
    const QString missing = QString::fromStdString((folder_ / "gone.html").string());
    const Outcome mixed = Quenby({"--check", missing, site + "/a.htm"});
    EXPECT_EQ(mixed.exitCode, 2);
    EXPECT_TRUE(mixed.err.contains(missing));
    EXPECT_EQ(mixed.out.count('\n'), 1);
}

TEST_F(CheckCommand, WrongCommandLinesExitWithTwo) {
    const QString page = Page("ok.html", "<html></html>\n");
    const QStringList wrong[] = {
        {"--check"},
        {"--check", page, "--handset", "9.9"},
        {"--check", page, "--handset"},
        {"--check", page, "--bogus"},
        {"--check", QString::fromStdString((folder_ / "absent.html").string())},
    };
    for (const QStringList& arguments : wrong) {
        const Outcome run = Quenby(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace

// The built-in page, the temporary folder and the program's pictures.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "host/common/program_folder.h"
#include "host/shell/file_access.h"
#include "shell_test_support.h"

namespace quenby::shell {
namespace {

TEST(StandardPage, ThirteenLinesThenTheTemplateFields) {
    const QString s = StandardHTMLText();
    const QStringList fields = s.split(QChar(u'\0'));
    ASSERT_EQ(fields.size(), 5);  // page, name, author, description, and after the final NUL nothing
    EXPECT_EQ(fields[1], QStringLiteral("シンプル"));
    EXPECT_EQ(fields[2], MakerName());
    EXPECT_EQ(fields[3], QStringLiteral("シンプルなHTMLファイルです。"));
    EXPECT_EQ(fields[4], QString());
    const QStringList lines = fields[0].split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], QStringLiteral("<HTML>"));
    EXPECT_EQ(lines[2], QStringLiteral("<META name=\"GENERATOR\" content=\"") + MakerName() +
                            QStringLiteral(" Quenby Version ") + ProgramVersion() + QStringLiteral(" for Windows\">"));
    EXPECT_EQ(lines[5], QStringLiteral("<TITLE>タイトル</TITLE>"));
    EXPECT_EQ(lines[8], QStringLiteral("<!-- ここから本文 -->"));
    EXPECT_EQ(lines[9], QString());
    EXPECT_EQ(lines[10], QStringLiteral("<!-- ここまで本文 -->"));
    EXPECT_EQ(lines[12], QStringLiteral("</HTML>"));
    EXPECT_TRUE(ProgramVersion().count(QLatin1Char('.')) == 2);
}

TEST(TempDir, TempThenTmpThenThePlatformsFolder) {
    testing_fs::TempDir a, b;
    {
        test::ScopedEnv temp("TEMP", a.path().string());
        test::ScopedEnv tmp("TMP", b.path().string());
        EXPECT_EQ(GetTempDir(), a.path());
    }
    {
        test::ScopedEnv temp("TEMP", "");
        test::ScopedEnv tmp("TMP", b.path().string());
        EXPECT_EQ(GetTempDir(), b.path());
    }
    {
        // A folder that is not there would put the preview's files at the
        // root of the file system.
        test::ScopedEnv temp("TEMP", (a.path() / "gone").string());
        test::ScopedEnv tmp("TMP", "");
        const std::filesystem::path t = GetTempDir();
        EXPECT_FALSE(t.empty());
        EXPECT_TRUE(std::filesystem::is_directory(t));
        EXPECT_NE(t, std::filesystem::path("/"));
    }
}

TEST(LongPath, ExistingPathsOnlyCaseKept) {
    testing_fs::TempDir d;
    testing_fs::WriteAll(d.path() / "Page.HTM", "x");
    EXPECT_EQ(GetLongPath(d.path() / "Page.HTM"), d.path() / "Page.HTM");
    EXPECT_EQ(GetLongPath(d.path() / "page.htm"), std::nullopt);
    EXPECT_EQ(GetLongPath(std::filesystem::path()), std::nullopt);
    std::filesystem::create_directory(d.path() / "sub");
    EXPECT_EQ(GetLongPath(d.path() / "sub" / ".." / "Page.HTM"), d.path() / "Page.HTM");
}

TEST(Pictures, WrittenWholeOverALongerFile) {
    testing_fs::TempDir d;
    const std::filesystem::path p = d.path() / "welcome.jpg";
    testing_fs::WriteAll(p, std::string(400000, 'z'));
    ASSERT_TRUE(ExtractResourceJPEG(kWelcomePicture, p));
    QFile resource(QStringLiteral(":/pictures/102.jpg"));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    EXPECT_EQ(testing_fs::ReadAll(p), resource.readAll().toStdString());
    EXPECT_FALSE(QImage(FromPath(p)).isNull());
    ASSERT_TRUE(ExtractResourceJPEG(kSplashPicture, d.path() / "splash.jpg"));
    EXPECT_FALSE(ExtractResourceJPEG(999, d.path() / "none.jpg"));
    EXPECT_FALSE(std::filesystem::exists(d.path() / "none.jpg"));
    // A folder that cannot hold the file.
    testing_fs::WriteAll(d.path() / "file", "x");
    EXPECT_FALSE(ExtractResourceJPEG(kSplashPicture, d.path() / "file" / "splash.jpg"));
}

}  // namespace
}  // namespace quenby::shell

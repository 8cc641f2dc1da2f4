// The template file format and the template folder's listing.
#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/authoring/template_file.h"
#include "host/common/text_file.h"
#include "tests/platform/temp_dir.h"

namespace quenby::authoring {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const QByteArray& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.constData(), bytes.size());
}

QString Nul() { return QString(QChar(u'\0')); }

TEST(SplitTemplate, FieldsAreSeparatedByNul) {
    const TemplateFields t = SplitTemplate(
        "<HTML></HTML>" + Nul() + "名前" + Nul() + "作者" + Nul() + "説明\r\n", "x.htp");
    EXPECT_EQ(t.page, "<HTML></HTML>");
    EXPECT_EQ(t.name, "名前");
    EXPECT_EQ(t.author, "作者");
    EXPECT_EQ(t.description, "説明\r\n");
}

TEST(SplitTemplate, TextWithoutNulIsAPageNamedAfterItsFile) {
    const TemplateFields t = SplitTemplate("<HTML>\r\n</HTML>\r\n", "ページ.htp");
    EXPECT_EQ(t.page, "<HTML>\r\n</HTML>\r\n");
    EXPECT_EQ(t.name, "ページ");
    EXPECT_TRUE(t.author.isEmpty());
    EXPECT_TRUE(t.description.isEmpty());
    // The last four characters go whatever they are, and a short name
    // leaves nothing rather than failing.
    EXPECT_EQ(SplitTemplate("", "abc.txt").name, "abc");
    EXPECT_EQ(SplitTemplate("", "a.h").name, "");
}

TEST(SplitTemplate, OnlyPageAndNameLeaveAuthorAndDescriptionEmpty) {
    const TemplateFields t = SplitTemplate("page" + Nul() + "name", "file.htp");
    EXPECT_EQ(t.page, "page");
    EXPECT_EQ(t.name, "name");
    EXPECT_TRUE(t.author.isEmpty());
    EXPECT_TRUE(t.description.isEmpty());
}

TEST(SplitTemplate, AnEmptyNameFieldIsKeptNotReplacedByTheFileName) {
    EXPECT_EQ(SplitTemplate("page" + Nul(), "file.htp").name, "");
}

TEST(SplitTemplate, FieldsAfterTheDescriptionAreIgnored) {
    const TemplateFields t =
        SplitTemplate("p" + Nul() + "n" + Nul() + "a" + Nul() + "d" + Nul() + "extra" + Nul() + "more", "f.htp");
    EXPECT_EQ(t.page, "p");
    EXPECT_EQ(t.name, "n");
    EXPECT_EQ(t.author, "a");
    EXPECT_EQ(t.description, "d");
}

TEST(TemplateFileBytes, IsShiftJisJoinedByNulAndEndedByCrLf) {
    const QByteArray bytes = TemplateFileBytes("<P>", "シンプル", "a", "d");
    const QByteArray expected = QByteArray("<P>\0\x83\x56\x83\x93\x83\x76\x83\x8B\0a\0d\r\n", 18);
    EXPECT_EQ(bytes.toHex(' ').toStdString(), expected.toHex(' ').toStdString());
}

TEST(TemplateFileBytes, RoundTripsThroughAFileAndTheReader) {
    testing_fs::TempDir dir;
    const QString page = "<HTML>\r\n<BODY>本文&#63647;</BODY>\r\n</HTML>";
    const fs::path file = dir.path() / "t.htp";
    WriteBytes(file, TemplateFileBytes(page, "名前", "作者名", "一行目\r\n二行目"));

    const TemplateFields t = ReadTemplate(file);
    EXPECT_EQ(t.page, page);
    EXPECT_EQ(t.name, "名前");
    EXPECT_EQ(t.author, "作者名");
    // The line end written after the description reads back as its own.
    EXPECT_EQ(t.description, "一行目\r\n二行目\r\n");
}

// ---- Listing -------------------------------------------------------------

QStringList Keys(const std::vector<TemplateItem>& items) {
    QStringList keys;
    for (const auto& i : items) keys << i.key;
    return keys;
}

QStringList Texts(const std::vector<TemplateItem>& items) {
    QStringList texts;
    for (const auto& i : items) texts << i.text;
    return texts;
}

TEST(ListTemplates, AMissingFolderListsOnlyTheBuiltInPage) {
    testing_fs::TempDir dir;
    const auto items = ListTemplates(dir.path() / "no-such-folder");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].key, "Simple");
    EXPECT_EQ(items[0].text, "シンプル");
}

TEST(ListTemplates, AnEmptyFolderListsOnlyTheBuiltInPage) {
    testing_fs::TempDir dir;
    EXPECT_EQ(Keys(ListTemplates(dir.path())), QStringList{"Simple"});
}

TEST(ListTemplates, ListsTemplateFilesByNameAfterTheBuiltInPage) {
    testing_fs::TempDir dir;
    WriteBytes(dir.path() / "b.htp", TemplateFileBytes("p", "ビー", "", ""));
    WriteBytes(dir.path() / "A.htp", TemplateFileBytes("p", "エー", "", ""));
    WriteBytes(dir.path() / "c.HTP", TemplateFileBytes("p", "シー", "", ""));
    WriteBytes(dir.path() / "notes.txt", TemplateFileBytes("p", "text", "", ""));
    WriteBytes(dir.path() / "x.htp.bak", TemplateFileBytes("p", "backup", "", ""));
    fs::create_directory(dir.path() / "folder.htp");

    const auto items = ListTemplates(dir.path());
    EXPECT_EQ(Keys(items), (QStringList{"Simple", "A.htp", "b.htp", "c.HTP"}));
    EXPECT_EQ(Texts(items), (QStringList{"シンプル", "エー", "ビー", "シー"}));
}

TEST(ListTemplates, AFileWithoutNulIsListedUnderItsFileName) {
    testing_fs::TempDir dir;
    WriteBytes(dir.path() / "plain.htp", "<HTML></HTML>\r\n");
    WriteBytes(dir.path() / "empty.htp", "");
    const auto items = ListTemplates(dir.path());
    EXPECT_EQ(Keys(items), (QStringList{"Simple", "empty.htp", "plain.htp"}));
    EXPECT_EQ(Texts(items), (QStringList{"シンプル", "empty", "plain"}));
}

TEST(ListTemplates, AUtf8TemplateIsReadToo) {
    testing_fs::TempDir dir;
    WriteBytes(dir.path() / "u.htp", QString("<P>" + Nul() + "ユーティーエフ" + Nul() + "作者").toUtf8());
    const auto items = ListTemplates(dir.path());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].text, "ユーティーエフ");
}

TEST(ListTemplates, AnUnreadableFileIsListedUnderItsFileName) {
    testing_fs::TempDir dir;
    const fs::path file = dir.path() / "locked.htp";
    WriteBytes(file, TemplateFileBytes("p", "secret name", "", ""));
    fs::permissions(file, fs::perms::none);
    if (std::ifstream(file).good()) GTEST_SKIP() << "permissions do not stop this user from reading";

    const auto items = ListTemplates(dir.path());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].key, "locked.htp");
    EXPECT_EQ(items[1].text, "locked");
}

// ---- The templates we ship -----------------------------------------------

TEST(ShippedTemplates, EachIsACompletePageWithAllFields) {
    const fs::path folder = fs::path(QUENBY_DATA_DIR) / "template";
    const auto items = ListTemplates(folder);
    ASSERT_GE(items.size(), 7u) << "the built-in page and six shipped templates";
    for (std::size_t i = 1; i < items.size(); ++i) {
        const fs::path file = folder / QStringToPath(items[i].key);
        SCOPED_TRACE(file.string());
        QFile raw(PathToQString(file));
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        EXPECT_EQ(bytes.count('\0'), 3) << "four fields";
        EXPECT_TRUE(bytes.endsWith("\r\n"));

        const TemplateFields t = ReadTemplate(file);
        EXPECT_FALSE(t.name.isEmpty());
        EXPECT_EQ(t.author, "Quenby Project");
        EXPECT_FALSE(t.description.trimmed().isEmpty());
        EXPECT_TRUE(t.page.startsWith("<HTML>"));
        EXPECT_TRUE(t.page.contains("</HTML>"));
        EXPECT_TRUE(t.page.contains("charset=Shift_JIS"));
        // Every line of the page ends in CR LF, none in a bare LF.
        EXPECT_EQ(t.page.count("\n"), t.page.count("\r\n"));
        // Written as Shift_JIS: nothing the code page could not decode.
        for (const QChar c : t.page + t.name + t.description) {
            EXPECT_FALSE(c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) << "undecodable byte";
        }
        EXPECT_EQ(items[i].text, t.name);
    }
}

}  // namespace
}  // namespace quenby::authoring

// The editor window's documents: new, open, save and save as, the caption
// and its modified marker, and the question before a changed document is
// replaced or the window closes.
#include <gtest/gtest.h>

#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/shell/edit_form.h"
#include "platform/codepage/codepage.h"
#include "edit_form_fixture.h"

namespace quenby::shell {
namespace {

namespace tx = tarnedit;

class Documents : public test::EditFormFixture {
protected:
    QString Title() const { return form_->windowTitle(); }
    std::filesystem::path File(const char* name) const { return Folder() / name; }
};

TEST_F(Documents, TheBuiltInPageIsAnUntitledDocumentOfThirteenLines) {
    EXPECT_EQ(form_->CurrentFileName(), QStringLiteral("(無題)"));
    EXPECT_EQ(Title(), QStringLiteral("Quenby - (無題)"));
    const QStringList lines = C().Text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[9], QString());
    EXPECT_FALSE(C().Text().contains(QChar(u'\0')));
    EXPECT_FALSE(C().Modified());
    // The preview was refreshed from the temporary file.
    ASSERT_FALSE(preview_.navigations.empty());
    EXPECT_EQ(testing_fs::ReadAll(ToPath(form_->TempFileName())).substr(0, 14), "<HTML>\r\n<HEAD>");
}

TEST_F(Documents, ATemplateFileGivesItsPageOnly) {
    testing_fs::WriteAll(File("t.htp"), std::string("<P>\x82\xa0</P>\0name\0me\0about\r\n", 26));
    ASSERT_TRUE(form_->CreateStandardFile(FromPath(File("t.htp"))));
    EXPECT_EQ(C().Text(), QStringLiteral("<P>あ</P>"));
    EXPECT_EQ(form_->CurrentFileName(), QStringLiteral("(無題)"));
    // An empty or missing template starts an empty page.
    ASSERT_TRUE(form_->CreateStandardFile(FromPath(File("missing.htp"))));
    EXPECT_EQ(C().Text(), QString());
}

TEST_F(Documents, OpeningUtf8AndShiftJisPages) {
    // Two non-ASCII characters in the first kilobyte: UTF-8, and its
    // first charset declaration becomes Shift_JIS.
    testing_fs::WriteAll(File("u.htm"), "<META charset=UTF-8><P>\xE3\x81\x82\xE3\x81\x84</P>charset=UTF-8");
    ASSERT_TRUE(form_->FileOpen(FromPath(File("u.htm"))));
    EXPECT_EQ(C().Text(), QStringLiteral("<META charset=S-JIS><P>あい</P>charset=UTF-8"));
    EXPECT_EQ(Title(), QStringLiteral("Quenby - ") + FromPath(File("u.htm")));
    EXPECT_TRUE(answers_.messages.isEmpty());
    // Its only non-ASCII character after the first kilobyte: Shift_JIS.
    testing_fs::WriteAll(File("late.htm"), std::string(1100, 'a') + "\xE3\x81\x82");
    ASSERT_TRUE(form_->FileOpen(FromPath(File("late.htm"))));
    EXPECT_FALSE(C().Text().contains(QStringLiteral("あ")));
    // An empty file is an empty document named by the file.
    testing_fs::WriteAll(File("empty.htm"), "");
    ASSERT_TRUE(form_->FileOpen(FromPath(File("empty.htm"))));
    EXPECT_EQ(C().Text(), QString());
    EXPECT_EQ(form_->CurrentFileName(), FromPath(File("empty.htm")));
}

TEST_F(Documents, AUtf8PageWithCharactersTheCodePageLacksSaysHowManyBecameQuestionMarks) {
    testing_fs::WriteAll(File("k.htm"), "\xE3\x81\x82\xE3\x81\x84 \xED\x95\x9C\xEA\xB5\xAD \xF0\x9F\x98\x80");
    ASSERT_TRUE(form_->FileOpen(FromPath(File("k.htm"))));
    ASSERT_EQ(answers_.messages.size(), 1);
    // Two Hangul characters and the four bytes of an emoji.
    EXPECT_TRUE(answers_.messages.front().contains(QStringLiteral(" 6 個"))) << answers_.messages.front().toStdString();
    EXPECT_EQ(C().Text(), QStringLiteral("あい ?? ????"));
}

TEST_F(Documents, AMissingPathOpensAnEmptyDocumentWithThatName) {
    C().SetText(QStringLiteral("kept"));
    C().Put(tx::dispid::Modified, false);
    ASSERT_TRUE(form_->FileOpen(FromPath(File("new.htm"))));
    EXPECT_EQ(C().Text(), QString());
    EXPECT_EQ(form_->CurrentFileName(), FromPath(File("new.htm")));
    // A later save creates it.
    Type(QStringLiteral("hello"));
    ASSERT_TRUE(form_->FileSave());
    EXPECT_EQ(testing_fs::ReadAll(File("new.htm")), "hello");
}

TEST_F(Documents, AFileThatCannotBeReadKeepsTheCurrentDocument) {
    Type(QStringLiteral("mine"));
    const QString before = C().Text();
    const QString title = Title();
    std::filesystem::create_directory(File("folder.htm"));
    EXPECT_FALSE(form_->FileOpen(FromPath(File("folder.htm"))));
    ASSERT_EQ(answers_.messages.size(), 1);
    EXPECT_TRUE(answers_.messages.front().contains(QStringLiteral("開けません")));
    EXPECT_EQ(C().Text(), before);
    EXPECT_EQ(Title(), title);
    if (geteuid() != 0) {
        testing_fs::WriteAll(File("secret.htm"), "x");
        ::chmod(File("secret.htm").c_str(), 0);
        EXPECT_FALSE(form_->FileOpen(FromPath(File("secret.htm"))));
        EXPECT_EQ(C().Text(), before);
    }
}

TEST_F(Documents, SavingAnUntitledDocumentAsksForANameThenSavesWithoutAsking) {
    Type(QStringLiteral("x"));
    EXPECT_TRUE(Title().endsWith(QStringLiteral(" *")));
    answers_.fileAnswers.push_back(FromPath(File("a.htm")));
    ASSERT_TRUE(form_->FileSave());
    ASSERT_EQ(answers_.dialogs.size(), 1u);
    EXPECT_EQ(answers_.dialogs[0].kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(answers_.dialogs[0].fileName, QStringLiteral("無題.htm"));
    EXPECT_TRUE(answers_.dialogs[0].filter.startsWith(QStringLiteral("HTML ファイル (*.html;*.htm)|*.html;*.htm|")));
    EXPECT_EQ(Title(), QStringLiteral("Quenby - ") + FromPath(File("a.htm")));
    EXPECT_EQ(form_->CurrentFileName(), FromPath(File("a.htm")));
    const std::string saved = testing_fs::ReadAll(File("a.htm"));
    EXPECT_EQ(saved.substr(0, 9), "x<HTML>\r\n");
    // The next save writes the same file without a dialog.
    Type(QStringLiteral("y"));
    ASSERT_TRUE(form_->FileSave());
    EXPECT_EQ(answers_.dialogs.size(), 1u);
    EXPECT_EQ(testing_fs::ReadAll(File("a.htm")).size(), saved.size() + 1);
}

TEST_F(Documents, TheMarkerComesBackWithTheFirstEditAfterASave) {
    answers_.fileAnswers.push_back(FromPath(File("b.htm")));
    Type(QStringLiteral("1"));
    ASSERT_TRUE(form_->FileSaveAs());
    EXPECT_FALSE(Title().endsWith(QLatin1Char('*')));
    Type(QStringLiteral("2"));
    EXPECT_TRUE(Title().endsWith(QStringLiteral(" *")));
    // So closing asks, and nothing typed after the save can be lost silently.
    answers_.boxAnswers.push_back(MsgResult::Cancel);
    EXPECT_FALSE(form_->close());
    EXPECT_EQ(answers_.messages.size(), 1);
}

TEST_F(Documents, CancellingTheSaveDialogChangesNothing) {
    Type(QStringLiteral("z"));
    const QString title = Title();
    EXPECT_FALSE(form_->FileSaveAs());
    EXPECT_EQ(Title(), title);
    EXPECT_EQ(form_->CurrentFileName(), QStringLiteral("(無題)"));
    EXPECT_FALSE(form_->FileOpenAs());
    EXPECT_EQ(answers_.dialogs.back().kind, FileDialogRequest::Kind::Open);
}

TEST_F(Documents, AFailedSaveSaysSoAndKeepsTheMarker) {
    std::filesystem::create_directory(File("dir.htm"));
    answers_.fileAnswers.push_back(FromPath(File("dir.htm")));
    Type(QStringLiteral("q"));
    EXPECT_FALSE(form_->FileSaveAs());
    ASSERT_EQ(answers_.messages.size(), 1);
    EXPECT_TRUE(answers_.messages.front().contains(QStringLiteral("保存できませんでした")));
    EXPECT_TRUE(answers_.messages.front().contains(QStringLiteral("フォルダー")));
    EXPECT_TRUE(Title().endsWith(QStringLiteral(" *")));
    EXPECT_EQ(form_->CurrentFileName(), QStringLiteral("(無題)"));
    // A save under the current name into a folder that went away.
    std::filesystem::create_directory(File("gone"));
    answers_.fileAnswers.push_back(FromPath(File("gone") / "p.htm"));
    ASSERT_TRUE(form_->FileSaveAs());
    std::filesystem::remove_all(File("gone"));
    Type(QStringLiteral("r"));
    EXPECT_FALSE(form_->FileSave());
    EXPECT_TRUE(Title().endsWith(QStringLiteral(" *")));
}

TEST_F(Documents, ReplacingAChangedDocumentAsksFirst) {
    testing_fs::WriteAll(File("other.htm"), "other");
    Type(QStringLiteral("draft"));
    const QString draft = C().Text();
    // Cancel keeps everything.
    answers_.boxAnswers.push_back(MsgResult::Cancel);
    EXPECT_FALSE(form_->FileOpen(FromPath(File("other.htm"))));
    EXPECT_EQ(C().Text(), draft);
    ASSERT_EQ(answers_.messages.size(), 1);
    EXPECT_EQ(answers_.messages[0], QStringLiteral("ファイル (無題) の内容は変更されています。\r\n\r\n変更を保存しますか?"));
    answers_.boxAnswers.push_back(MsgResult::Cancel);
    EXPECT_FALSE(form_->CreateStandardFile(QString()));
    EXPECT_EQ(C().Text(), draft);
    // Yes saves first; a cancelled save keeps the draft.
    answers_.boxAnswers.push_back(MsgResult::Yes);
    EXPECT_FALSE(form_->FileOpen(FromPath(File("other.htm"))));
    EXPECT_EQ(C().Text(), draft);
    answers_.boxAnswers.push_back(MsgResult::Yes);
    answers_.fileAnswers.push_back(FromPath(File("draft.htm")));
    EXPECT_TRUE(form_->FileOpen(FromPath(File("other.htm"))));
    EXPECT_EQ(C().Text(), QStringLiteral("other"));
    EXPECT_EQ(testing_fs::ReadAll(File("draft.htm")), platform::codepage::ToBytes(draft.toStdU16String()));
    // No replaces without saving.
    Type(QStringLiteral("!"));
    answers_.boxAnswers.push_back(MsgResult::No);
    EXPECT_TRUE(form_->CreateStandardFile(QString()));
    EXPECT_EQ(testing_fs::ReadAll(File("other.htm")), "other");
    EXPECT_EQ(form_->CurrentFileName(), QStringLiteral("(無題)"));
}

TEST_F(Documents, ClosingWritesTheGeometryBeforeTheQuestion) {
    Type(QStringLiteral("unsaved"));
    answers_.boxAnswers.push_back(MsgResult::Cancel);
    EXPECT_FALSE(form_->close());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_FALSE(GetINIValue(kSectionQuenby, QStringLiteral("Width"), Ini()).isEmpty());
    // No closes and removes the preview's file.
    const std::filesystem::path temp = ToPath(form_->TempFileName());
    EXPECT_TRUE(std::filesystem::exists(temp));
    answers_.boxAnswers.push_back(MsgResult::No);
    EXPECT_TRUE(form_->close());
    EXPECT_FALSE(std::filesystem::exists(temp));
}

}  // namespace
}  // namespace quenby::shell

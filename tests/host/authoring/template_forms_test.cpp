// The new-document dialog and the save-as-template command, over a real
// control in a window of the test's own.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <fstream>
#include <memory>

#include "host/authoring/editor_port.h"
#include "host/authoring/template_file.h"
#include "host/authoring/template_property_form.h"
#include "host/authoring/template_save_as.h"
#include "host/authoring/template_select_form.h"
#include "host/common/control_host.h"
#include "host/common/text_file.h"
#include "tests/host/shell/shell_test_support.h"

namespace quenby::authoring {
namespace {

namespace fs = std::filesystem;

class FakeEditor : public EditorPort {
public:
    FakeEditor() {
        QString error;
        control_ = ControlHost::Create(&window_, std::string(), &error);
        if (!control_) ADD_FAILURE() << error.toStdString();
    }
    ~FakeEditor() override { control_.reset(); }

    QWidget* OwnerWindow() override { return &window_; }
    ControlHost& EditorControl() override { return *control_; }
    void RefreshPreview() override {}
    void NewDocument(const QString& templateFile) override { newDocuments << templateFile; }
    void ShowFileInCaption(const QString& fileName) override { captions << fileName; }

    bool Ready() const { return control_ != nullptr; }

    QStringList newDocuments;
    QStringList captions;

private:
    QWidget window_;
    std::unique_ptr<ControlHost> control_;
};

void WriteBytes(const fs::path& path, const QByteArray& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.constData(), bytes.size());
}

class TemplateFormsTest : public test::ProgramFolderFixture {
protected:
    void SetUp() override {
        ProgramFolderFixture::SetUp();
        editor_ = std::make_unique<FakeEditor>();
        ASSERT_TRUE(editor_->Ready());
        fs::create_directory(TemplateFolder());
    }
    void TearDown() override { editor_.reset(); }

    fs::path TemplateFolder() const { return Folder() / "template"; }
    QString TemplateFolderText() const { return PathToQString(TemplateFolder()); }

    std::unique_ptr<TemplateSelectForm> Select(const QString& picture = {}) {
        return std::make_unique<TemplateSelectForm>(*editor_, TemplateFolder(), builtIn_, picture,
                                                    editor_->OwnerWindow());
    }

    TemplateFields builtIn_{QStringLiteral("<HTML>standard</HTML>"), QStringLiteral("シンプル"), QStringLiteral("Maker"),
                            QStringLiteral("シンプルなHTMLファイルです。")};
    std::unique_ptr<FakeEditor> editor_;
};

// ---- Choosing a template -------------------------------------------------

TEST_F(TemplateFormsTest, OpensWithTheBuiltInPageFirstAndShown) {
    WriteBytes(TemplateFolder() / "b.htp", TemplateFileBytes("<B>", "ビー", "", ""));
    WriteBytes(TemplateFolder() / "a.htp", TemplateFileBytes("<A>", "エー", "", ""));
    auto form = Select();
    EXPECT_EQ(form->windowTitle(), "新規作成");
    EXPECT_EQ(form->Keys(), (QStringList{"Simple", "a.htp", "b.htp"}));
    EXPECT_EQ(form->ListView1()->item(0)->text(), "シンプル");
    EXPECT_EQ(form->ListView1()->iconSize(), QSize(32, 32));
    EXPECT_FALSE(form->ListView1()->item(1)->icon().isNull());
    EXPECT_EQ(form->ListView1()->currentRow(), 0);
    EXPECT_EQ(form->TabStrip1()->tabText(0), "プレビュー");
    EXPECT_EQ(form->PreviewText()->toPlainText(), "<HTML>standard</HTML>");
    EXPECT_TRUE(form->PreviewText()->isReadOnly());
    EXPECT_EQ(form->TemplateNameText()->text(), "シンプル");
    EXPECT_EQ(form->TemplateMakerText()->text(), "Maker");
    EXPECT_EQ(form->TemplateExplanationText()->toPlainText(), "シンプルなHTMLファイルです。");
    EXPECT_FALSE(form->WelcomePicture()->isVisibleTo(form.get()));
}

TEST_F(TemplateFormsTest, ShowingATemplateFillsThePreviewAndTheBoxes) {
    WriteBytes(TemplateFolder() / "full.htp", TemplateFileBytes("<HTML>\r\nfull\r\n</HTML>", "全部", "作者", "説明"));
    WriteBytes(TemplateFolder() / "short.htp", QByteArray("<P>short\0name only", 18));
    auto form = Select();

    form->SelectItem(1);
    EXPECT_EQ(form->PreviewText()->toPlainText(), "<HTML>\nfull\n</HTML>");
    EXPECT_EQ(form->TemplateNameText()->text(), "全部");
    EXPECT_EQ(form->TemplateMakerText()->text(), "作者");
    EXPECT_EQ(form->TemplateExplanationText()->toPlainText().trimmed(), "説明");

    // The previous template's author and description do not linger.
    form->SelectItem(2);
    EXPECT_EQ(form->PreviewText()->toPlainText(), "<P>short");
    EXPECT_EQ(form->TemplateNameText()->text(), "name only");
    EXPECT_TRUE(form->TemplateMakerText()->text().isEmpty());
    EXPECT_TRUE(form->TemplateExplanationText()->toPlainText().isEmpty());

    // Moving through the list with the keyboard shows each one too.
    form->ListView1()->setCurrentRow(0);
    EXPECT_EQ(form->PreviewText()->toPlainText(), "<HTML>standard</HTML>");
}

TEST_F(TemplateFormsTest, OkOnTheBuiltInPageStartsTheStandardPage) {
    WriteBytes(TemplateFolder() / "a.htp", TemplateFileBytes("<A>", "エー", "", ""));
    auto form = Select();
    form->SelectItem(0);
    form->OkButton_Click();
    EXPECT_EQ(editor_->newDocuments, QStringList{QString()});
    EXPECT_EQ(form->result(), QDialog::Accepted);
    // A second OK on the closing dialog starts nothing more.
    form->OkButton_Click();
    EXPECT_EQ(editor_->newDocuments.size(), 1);
}

TEST_F(TemplateFormsTest, OkOnATemplatePassesItsFullPath) {
    WriteBytes(TemplateFolder() / "a.htp", TemplateFileBytes("<A>", "エー", "", ""));
    WriteBytes(TemplateFolder() / "ページ.htp", "<P>no fields");
    auto form = Select();
    form->SelectItem(2);
    form->OKButton()->click();
    EXPECT_EQ(editor_->newDocuments, QStringList{TemplateFolderText() + "/ページ.htp"});
}

TEST_F(TemplateFormsTest, DoubleClickChoosesTheItem) {
    WriteBytes(TemplateFolder() / "a.htp", TemplateFileBytes("<A>", "エー", "", ""));
    auto form = Select();
    QListWidget* list = form->ListView1();
    Q_EMIT list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(editor_->newDocuments, QStringList{TemplateFolderText() + "/a.htp"});
}

TEST_F(TemplateFormsTest, CancelStartsNothing) {
    WriteBytes(TemplateFolder() / "a.htp", TemplateFileBytes("<A>", "エー", "", ""));
    auto form = Select();
    form->SelectItem(1);
    form->CancelButton()->click();
    EXPECT_TRUE(editor_->newDocuments.isEmpty());
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_F(TemplateFormsTest, AMissingFolderStillOffersTheBuiltInPage) {
    fs::remove(TemplateFolder());
    auto form = Select();
    EXPECT_EQ(form->Keys(), QStringList{"Simple"});
}

TEST_F(TemplateFormsTest, AWelcomePictureIsShownWhenItLoads) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QString picture = PathToQString(Folder() / "welcome.jpg");
    ASSERT_TRUE(image.save(picture, "JPEG"));
    auto form = Select(picture);
    EXPECT_TRUE(form->WelcomePicture()->isVisibleTo(form.get()));
    EXPECT_EQ(form->WelcomePicture()->pixmap().size(), QSize(40, 20));

    auto without = Select(PathToQString(Folder() / "missing.jpg"));
    EXPECT_FALSE(without->WelcomePicture()->isVisibleTo(without.get()));
}

// ---- Saving the page as a template -----------------------------------------

std::function<bool(TemplatePropertyForm&)> Fill(QString name, QString author, QString description) {
    return [=](TemplatePropertyForm& form) {
        form.Text1()->setText(name);
        form.Text2()->setText(author);
        form.Text3()->setPlainText(description);
        return true;
    };
}

TEST_F(TemplateFormsTest, CancellingTheSaveDialogWritesNothing) {
    bool asked = false;
    answers_.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(TemplateSaveAs(*editor_, Folder(), [&](TemplatePropertyForm&) { return asked = true; }));
    EXPECT_FALSE(asked);
    EXPECT_TRUE(fs::is_empty(TemplateFolder()));
    EXPECT_TRUE(editor_->captions.isEmpty());

    ASSERT_EQ(answers_.dialogs.size(), 1u);
    const FileDialogRequest& r = answers_.dialogs[0];
    EXPECT_EQ(r.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(r.filter, "HTML ファイル (*.htp)|*.htp|テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*");
    EXPECT_EQ(r.fileName, PathToQString(Folder()) + "/template/テンプレート");
    EXPECT_EQ(r.owner, editor_->OwnerWindow());
}

TEST_F(TemplateFormsTest, ASavedTemplateReadsBackWithThePageAndTheFields) {
    const QString page = "<HTML>\r\n<BODY>ページ&#63879;</BODY>\r\n</HTML>\r\n";
    editor_->EditorControl().SetText(page);
    const QString pageInControl = editor_->EditorControl().Text();
    const QString path = TemplateFolderText() + "/mine.htp";
    answers_.fileAnswers.push_back(path);

    ASSERT_TRUE(TemplateSaveAs(*editor_, Folder(), Fill("私の", "わたし", "一行目\n二行目")));
    EXPECT_EQ(editor_->captions, QStringList{path});
    EXPECT_TRUE(answers_.messages.isEmpty());

    const TemplateFields t = ReadTemplate(QStringToPath(path));
    EXPECT_EQ(t.page, pageInControl);
    EXPECT_TRUE(t.page.contains("ページ&#63879;"));
    EXPECT_EQ(t.name, "私の");
    EXPECT_EQ(t.author, "わたし");
    EXPECT_EQ(t.description, "一行目\r\n二行目\r\n");

    // And it is offered the next time a document is started.
    EXPECT_EQ(ListTemplates(TemplateFolder()).back().text, "私の");
}

TEST_F(TemplateFormsTest, ANameWithoutExtensionIsWrittenAsTyped) {
    const QString path = TemplateFolderText() + "/テンプレート";
    answers_.fileAnswers.push_back(path);
    ASSERT_TRUE(TemplateSaveAs(*editor_, Folder(), Fill("n", "a", "d")));
    EXPECT_TRUE(fs::exists(QStringToPath(path)));
    EXPECT_FALSE(fs::exists(QStringToPath(path + ".htp")));
    EXPECT_EQ(editor_->captions, QStringList{path});
}

TEST_F(TemplateFormsTest, AnExistingFileIsReplaced) {
    const QString path = TemplateFolderText() + "/old.htp";
    WriteBytes(QStringToPath(path), QByteArray(4096, 'x'));
    answers_.fileAnswers.push_back(path);
    ASSERT_TRUE(TemplateSaveAs(*editor_, Folder(), Fill("new", "", "")));
    EXPECT_EQ(ReadTemplate(QStringToPath(path)).name, "new");
    EXPECT_LT(fs::file_size(QStringToPath(path)), 4096u);
}

TEST_F(TemplateFormsTest, AFailedWriteIsReportedAndNotShownAsSaved) {
    const QString path = TemplateFolderText() + "/no-such-folder/t.htp";
    answers_.fileAnswers.push_back(path);
    EXPECT_FALSE(TemplateSaveAs(*editor_, Folder(), Fill("n", "a", "d")));
    ASSERT_EQ(answers_.messages.size(), 1);
    EXPECT_TRUE(answers_.messages[0].contains(path));
    EXPECT_TRUE(editor_->captions.isEmpty());
    EXPECT_FALSE(fs::exists(QStringToPath(path)));
}

TEST_F(TemplateFormsTest, ThePropertyDialogAsksForNameAuthorAndDescription) {
    TemplatePropertyForm form(editor_->OwnerWindow());
    EXPECT_FALSE(form.windowTitle().isEmpty());
    EXPECT_TRUE(form.Text1()->text().isEmpty());
    EXPECT_TRUE(form.Text2()->text().isEmpty());
    EXPECT_TRUE(form.Text3()->toPlainText().isEmpty());
    form.OKButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace quenby::authoring

// The editor window's document commands: new from the built-in page or a
// template, open, save and save as.
#include <QFileInfo>

#include "host/common/message_box.h"
#include "host/common/program_folder.h"
#include "host/common/text_file.h"
#include "host/shell/edit_form.h"
#include "host/shell/file_access.h"

namespace quenby::shell {
namespace {

const QString kHtmlFilter = QStringLiteral(
    "HTML ファイル (*.html;*.htm)|*.html;*.htm|テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*");

// Why a save could not happen, in the user's words.
QString SaveFailureReason(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return QStringLiteral("同じ名前のフォルダーがあります。");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists()) return QStringLiteral("保存先のフォルダーがありません。");
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        return QStringLiteral("書き込む権限がありません。");
    return QStringLiteral("ディスクがいっぱいか、書き込みに失敗しました。");
}

}  // namespace

bool EditForm::CreateStandardFile(const QString& path) {
    if (!control_ || !ConfirmDiscard()) return false;
    currentFileName_ = Untitled();
    SetCaption(currentFileName_);
    control_->Clear();
    const QString s = path.isEmpty() ? StandardHTMLText() : QString::fromStdU16String(ReadTextFile(ToPath(path)));
    // The page is the text before the first NUL; what follows are the
    // template's fields. An empty or unreadable template starts an empty
    // page.
    control_->SetText(s.section(QChar(u'\0'), 0, 0));
    control_->ClearUndoRecord();
    SetUndoRedoEnabled(false, false);
    RefreshTempFile();
    return true;
}

bool EditForm::FileOpen(const QString& path) {
    if (!control_) return false;
    const TextFile file = ReadTextFileChecked(ToPath(path));
    // A file that is there but cannot be read must not turn into an empty
    // document that a later save writes over it.
    if (file.status == ReadStatus::Unreadable) {
        MsgBox(QStringLiteral("ファイル ") + path + QStringLiteral(" を開けません。") +
                   (file.error.empty() ? QString() : QStringLiteral("\r\n\r\n") + QString::fromStdString(file.error)),
               MsgButtons::Ok, MsgIcon::Critical, this);
        return false;
    }
    if (!ConfirmDiscard()) return false;
    control_->Clear();
    control_->SetText(QString::fromStdU16String(file.text));
    currentFileName_ = path;
    SetCaption(path);
    // Opening does not refresh the preview, but the findings must not go
    // on describing the page that was replaced.
    SavePageAndCheck();
    if (file.lost > 0) {
        MsgBox(QStringLiteral("このファイルには Shift_JIS で表せない文字が %1 個あり、「?」に置き換えました。\r\n"
                              "上書き保存すると、元のファイルのそれらの文字は失われます。")
                   .arg(file.lost),
               MsgButtons::Ok, MsgIcon::Warning, this);
    }
    return true;
}

bool EditForm::FileOpenAs() {
    CommonDialog1.Filter = kHtmlFilter;
    if (!CommonDialog1.ShowOpen(this)) return false;
    return FileOpen(CommonDialog1.FileName);
}

bool EditForm::SaveTo(const QString& path) {
    if (!control_) return false;
    if (!control_->SaveToFile(path)) {
        // The caption keeps its marker: nothing was saved.
        MsgBox(QStringLiteral("ファイル ") + path + QStringLiteral(" を保存できませんでした。\r\n\r\n") +
                   SaveFailureReason(path),
               MsgButtons::Ok, MsgIcon::Critical, this);
        return false;
    }
    // The document now matches its file: the next edit has to bring the
    // marker back, and the control reports that only for an unmodified
    // document.
    control_->Put(tarnedit::dispid::Modified, false);
    return true;
}

bool EditForm::FileSave() {
    if (currentFileName_ != Untitled()) {
        if (!SaveTo(currentFileName_)) return false;
        SetCaption(currentFileName_);
        return true;
    }
    CommonDialog1.FileName = QStringLiteral("無題.htm");
    return FileSaveAs();
}

bool EditForm::FileSaveAs() {
    CommonDialog1.Filter = kHtmlFilter;
    if (!CommonDialog1.ShowSave(this)) return false;
    const QString chosen = CommonDialog1.FileName;
    if (!SaveTo(chosen)) return false;
    currentFileName_ = chosen;
    SetCaption(chosen);
    return true;
}

}  // namespace quenby::shell

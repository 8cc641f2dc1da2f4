#include "host/common/file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>
#include <utility>

namespace quenby {
namespace {

FileDialogHandler& Handler() {
    static FileDialogHandler handler;
    return handler;
}

std::optional<QString> ShowReal(const FileDialogRequest& r) {
    QFileDialog dialog(r.owner);
    dialog.setNameFilters(QtNameFilters(r.filter).split(QStringLiteral(";;")));
    // The name is used as typed: no extension is added, and an existing
    // file is replaced without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (r.kind == FileDialogRequest::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!r.fileName.isEmpty()) dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) { return std::exchange(Handler(), std::move(handler)); }

QString QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // The description already names its patterns in parentheses; Qt
        // reads the patterns from there.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0) description = description.left(open).trimmed();
        out << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return out.join(QStringLiteral(";;"));
}

bool CommonDialog::ShowOpen(QWidget* owner) { return Show(FileDialogRequest::Kind::Open, owner); }
bool CommonDialog::ShowSave(QWidget* owner) { return Show(FileDialogRequest::Kind::Save, owner); }

bool CommonDialog::Show(FileDialogRequest::Kind kind, QWidget* owner) {
    const FileDialogRequest r{kind, Filter, FileName, owner};
    std::optional<QString> chosen;
    if (Handler()) chosen = Handler()(r);
    else if (qobject_cast<QApplication*>(QCoreApplication::instance())) chosen = ShowReal(r);
    if (!chosen || chosen->isEmpty()) return false;
    FileName = *chosen;
    return true;
}

}  // namespace quenby

// The program's file dialogs. A dialog object keeps its file name and
// filter between uses, as a form's dialog does; what shows it can be
// replaced, so that tests answer instead of a person.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace quenby {

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString filter;    // "description|patterns|description|patterns..."
    QString fileName;  // suggested
    QWidget* owner = nullptr;
};

// The chosen path, or nothing when the user cancelled.
using FileDialogHandler = std::function<std::optional<QString>(const FileDialogRequest&)>;

// Replaces what shows file dialogs; an empty handler puts the real one
// back. Returns the previous handler.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// "HTML (*.html;*.htm)|*.html;*.htm|..." as Qt's "HTML (*.html *.htm);;...".
QString QtNameFilters(const QString& filter);

class CommonDialog {
public:
    QString Filter;
    QString FileName;  // suggested before, chosen after

    // False when the user cancelled; FileName is then unchanged.
    bool ShowOpen(QWidget* owner);
    bool ShowSave(QWidget* owner);

private:
    bool Show(FileDialogRequest::Kind kind, QWidget* owner);
};

}  // namespace quenby

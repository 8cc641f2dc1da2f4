// What the authoring dialogs ask of the editor window that owns them: its
// control (selection, insertion, text), the preview refresh and the new
// document. The editor window answers it; tests answer it with a control of
// their own.
#pragma once

#include <QString>

class QWidget;

namespace quenby {
class ControlHost;
}

namespace quenby::authoring {

class EditorPort {
public:
    virtual ~EditorPort() = default;
    // The window that owns the modal dialogs.
    virtual QWidget* OwnerWindow() = 0;
    // The editor's control; always there while a dialog can be opened.
    virtual ControlHost& EditorControl() = 0;
    // Writes the page and shows it in the preview (the editor's refresh).
    virtual void RefreshPreview() = 0;
    // A new untitled document from a template file ("" is the built-in page).
    virtual void NewDocument(const QString& templateFile) = 0;
    // The caption shows this file name as the document's.
    virtual void ShowFileInCaption(const QString& fileName) = 0;
};

}  // namespace quenby::authoring

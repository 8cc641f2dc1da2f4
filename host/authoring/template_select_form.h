// The new-document dialog: the templates of the template folder and the
// built-in page, with the chosen one's page text and description.
#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <vector>

#include "host/authoring/template_file.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace quenby::authoring {

class EditorPort;

class TemplateSelectForm : public QDialog {
    Q_OBJECT

public:
    // welcomePicture: a picture shown above the list; "" or a file that
    // does not load shows none.
    TemplateSelectForm(EditorPort& editor, std::filesystem::path templateFolder, TemplateFields builtIn,
                       const QString& welcomePicture, QWidget* parent = nullptr);

    QListWidget* ListView1() const { return list_; }
    QTabWidget* TabStrip1() const { return tabs_; }
    QPlainTextEdit* PreviewText() const { return preview_; }
    QLineEdit* TemplateNameText() const { return name_; }
    QLineEdit* TemplateMakerText() const { return maker_; }
    QPlainTextEdit* TemplateExplanationText() const { return explanation_; }
    QLabel* WelcomePicture() const { return picture_; }
    QPushButton* OKButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The key of every list row, in order ("Simple" first).
    QStringList Keys() const;

public Q_SLOTS:
    // Makes row the selected item and shows its template.
    void SelectItem(int row);
    // Starts the new document from the selected item and closes.
    void OkButton_Click();
    void CancelButton_Click();

private:
    void FillList();
    void ShowTemplate(int row);

    EditorPort& editor_;
    std::filesystem::path folder_;
    TemplateFields builtIn_;
    bool chosen_ = false;

    QListWidget* list_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QPlainTextEdit* preview_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* maker_ = nullptr;
    QPlainTextEdit* explanation_ = nullptr;
    QLabel* picture_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// The editor's new-document command: the dialog, modal over the editor.
void ShowTemplateSelect(EditorPort& editor, const std::filesystem::path& templateFolder,
                        const TemplateFields& builtIn, const QString& welcomePicture);

}  // namespace quenby::authoring

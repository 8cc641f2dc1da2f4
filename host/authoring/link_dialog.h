// The link dialog: wraps the editor's selection in an anchor with a target
// and a handset access key. The target box and the three kinds of target
// are kept in step both ways: typing a known prefix picks its kind, and
// picking a kind rewrites the prefix.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "host/authoring/tag_markup.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quenby {
class ControlHost;
}

namespace quenby::authoring {

class EditorPort;

class InsForm_Link final : public QDialog {
    Q_OBJECT

public:
    // Owned by the editor window, working on its control.
    explicit InsForm_Link(EditorPort& editor);

    QLineEdit* Text1() const { return text1_; }
    QRadioButton* URLOption(int index) const { return urlOptions_.at(index); }
    QRadioButton* AccessKeyOption(int index) const { return accessKeys_.at(index); }
    QPushButton* Command1() const { return browse_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QString AccessKey() const { return accessKey_; }

    // What a click on each control does.
    void URLOption_Click(int index);
    void AccessKeyOption_Click(int index);
    void Command1_Click();
    void OkButton_Click();
    void CancelButton_Click();

private:
    void Text1_Change();

    ControlHost& control_;
    QLineEdit* text1_;
    std::vector<QRadioButton*> urlOptions_;
    std::vector<QRadioButton*> accessKeys_;
    QPushButton* browse_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QString accessKey_;
};

// Opens the dialog modally over the editor window.
void ShowLinkDialog(EditorPort& editor);

}  // namespace quenby::authoring

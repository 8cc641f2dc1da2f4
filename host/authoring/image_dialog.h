// The image dialog: puts an image element in front of the editor's
// selection, and shows the picture the source names while it exists.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quenby {
class ControlHost;
}

namespace quenby::authoring {

class EditorPort;

class InsForm_Image final : public QDialog {
    Q_OBJECT

public:
    // Owned by the editor window, working on its control.
    explicit InsForm_Image(EditorPort& editor);

    QLineEdit* Text1() const { return text1_; }
    QLineEdit* Text2() const { return text2_; }
    QLabel* Picture1() const { return picture_; }
    QPushButton* Command1() const { return browse_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void Command1_Click();
    void OkButton_Click();
    void CancelButton_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Text1_Change();

    ControlHost& control_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QLabel* picture_;
    QPushButton* browse_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

void ShowImageDialog(EditorPort& editor);

}  // namespace quenby::authoring

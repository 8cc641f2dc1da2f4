// The marquee dialog: scrolls a text, which starts as the editor's
// selection. Unlike the other tag dialogs it always inserts, even with no
// text.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quenby {
class ControlHost;
}

namespace quenby::authoring {

class EditorPort;

class InsForm_Marquee final : public QDialog {
    Q_OBJECT

public:
    // Owned by the editor window, working on its control.
    explicit InsForm_Marquee(EditorPort& editor);

    QLineEdit* Text1() const { return text1_; }
    QComboBox* Combo1() const { return combo1_; }
    QComboBox* Combo2() const { return combo2_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void OkButton_Click();
    void CancelButton_Click();

private:
    ControlHost& control_;
    QLineEdit* text1_;
    QComboBox* combo1_;
    QComboBox* combo2_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

void ShowMarqueeDialog(EditorPort& editor);

}  // namespace quenby::authoring

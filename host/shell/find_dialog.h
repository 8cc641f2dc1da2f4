// The find dialog: modeless, owned by the editor window. It hands the text
// to the control's search, up or down; the editor window answers the
// control's find events. Cancel only hides it, so its text and direction
// are there for the next search.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quenby {
class ControlHost;
}

namespace quenby::shell {

class FindDialog final : public QDialog {
    Q_OBJECT

public:
    FindDialog(ControlHost& control, QWidget* owner);

    QLineEdit* Text1() const { return text_; }
    QRadioButton* Up() const { return up_; }
    QRadioButton* Down() const { return down_; }
    QPushButton* FindButton() const { return find_; }
    QPushButton* CancelButton() const { return cancel_; }

    void FindButton_Click();

private:
    ControlHost& control_;
    QLineEdit* text_;
    QRadioButton* up_;
    QRadioButton* down_;
    QCheckBox* matchCase_;
    QPushButton* find_;
    QPushButton* cancel_;
    struct Hit {
        int x = 0, y = 0, len = 0;
    };
    Hit lastHit_;  // where the control last found the text
};

}  // namespace quenby::shell

// Asks for the name, author and description a saved template carries.
// There is no cancel: the file name has already been chosen.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quenby::authoring {

class TemplatePropertyForm : public QDialog {
    Q_OBJECT

public:
    explicit TemplatePropertyForm(QWidget* parent = nullptr);

    QLineEdit* Text1() const { return text1_; }       // name
    QLineEdit* Text2() const { return text2_; }       // author
    QPlainTextEdit* Text3() const { return text3_; }  // description
    QPushButton* OKButton() const { return ok_; }

    // The description as the file carries it: lines end in CR LF.
    QString Description() const;

private:
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QPlainTextEdit* text3_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace quenby::authoring

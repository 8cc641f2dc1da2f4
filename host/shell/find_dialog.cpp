#include "host/shell/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "host/common/control_host.h"

namespace quenby::shell {

FindDialog::FindDialog(ControlHost& control, QWidget* owner) : QDialog(owner), control_(control) {
    setWindowTitle(QStringLiteral("検索"));
    setModal(false);
    auto* label = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    text_ = new QLineEdit(this);
    label->setBuddy(text_);
    auto* direction = new QGroupBox(QStringLiteral("検索する方向"), this);
    up_ = new QRadioButton(QStringLiteral("上へ(&U)"), direction);
    down_ = new QRadioButton(QStringLiteral("下へ(&D)"), direction);
    down_->setChecked(true);
    auto* dirLayout = new QHBoxLayout(direction);
    dirLayout->addWidget(up_);
    dirLayout->addWidget(down_);
    // Searching is exact whatever this box says.
    matchCase_ = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this);
    find_ = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    find_->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(text_, 0, 1, 1, 2);
    grid->addWidget(find_, 0, 3);
    grid->addWidget(matchCase_, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2);
    grid->addWidget(cancel_, 1, 3, Qt::AlignTop);

    auto enable = [this] { find_->setEnabled(!text_->text().isEmpty()); };
    connect(text_, &QLineEdit::textChanged, this, enable);
    enable();
    connect(find_, &QPushButton::clicked, this, &FindDialog::FindButton_Click);
    connect(&control_, &ControlHost::findHit, this, [this](const QString&, int x, int y, int len, int) {
        lastHit_ = {x, y, len};
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::hide);
}

void FindDialog::FindButton_Click() {
    if (text_->text().isEmpty()) return;
    control_.Call(tarnedit::dispid::FindInit, text_->text());
    // A new search starts at the caret, and a hit leaves the caret at its
    // start: searching down again from there would find that same hit
    // for ever. Standing on the last hit, the search starts after it.
    const int x = control_.Get<int>(tarnedit::dispid::CurposX), y = control_.Get<int>(tarnedit::dispid::CurposY);
    if (down_->isChecked() && lastHit_.len > 0 && x == lastHit_.x && y == lastHit_.y)
        control_.Function<bool>(tarnedit::dispid::CurSet, lastHit_.x + lastHit_.len, lastHit_.y, 0);
    control_.Call(up_->isChecked() ? tarnedit::dispid::FindUP : tarnedit::dispid::FindDown);
}

}  // namespace quenby::shell

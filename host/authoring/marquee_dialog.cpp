#include "host/authoring/marquee_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/authoring/editor_port.h"
#include "host/authoring/selection_markup.h"
#include "host/authoring/tag_markup.h"
#include "host/common/control_host.h"

namespace quenby::authoring {

InsForm_Marquee::InsForm_Marquee(EditorPort& editor)
    : QDialog(editor.OwnerWindow()), control_(editor.EditorControl()) {
    setObjectName(QStringLiteral("InsForm_Marquee"));
    setWindowTitle(QStringLiteral("マーキー"));
    setFixedSize(5400 / 15, 2700 / 15);

    auto* textLabel = new QLabel(QStringLiteral("テキスト(&T):"), this);
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    textLabel->setBuddy(text1_);
    auto* behaviourLabel = new QLabel(QStringLiteral("動作(&M):"), this);
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->addItems(MarqueeBehaviours());
    behaviourLabel->setBuddy(combo1_);
    auto* directionLabel = new QLabel(QStringLiteral("方向(&D):"), this);
    combo2_ = new QComboBox(this);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    combo2_->addItems(MarqueeDirections());
    directionLabel->setBuddy(combo2_);

    const OkCancelRow buttons = MakeOkCancelRow(this);
    ok_ = buttons.ok;
    cancel_ = buttons.cancel;

    auto* fields = new QGridLayout;
    fields->addWidget(textLabel, 0, 0);
    fields->addWidget(text1_, 0, 1);
    fields->addWidget(behaviourLabel, 1, 0);
    fields->addWidget(combo1_, 1, 1, Qt::AlignLeft);
    fields->addWidget(directionLabel, 2, 0);
    fields->addWidget(combo2_, 2, 1, Qt::AlignLeft);
    fields->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons.row);

    // The text is taken when the dialog opens, not when OK is pressed.
    text1_->setText(control_.Get<QString>(tarnedit::dispid::SelText));
    combo1_->setCurrentIndex(0);
    combo2_->setCurrentIndex(0);

    connect(ok_, &QPushButton::clicked, this, &InsForm_Marquee::OkButton_Click);
    connect(cancel_, &QPushButton::clicked, this, &InsForm_Marquee::CancelButton_Click);
}

void InsForm_Marquee::OkButton_Click() {
    const QString markup = MarqueeMarkup(text1_->text(), combo1_->currentIndex(), combo2_->currentIndex());
    text1_->setText(markup);
    control_.TextPaste(markup);
    accept();
}

void InsForm_Marquee::CancelButton_Click() { reject(); }

void ShowMarqueeDialog(EditorPort& editor) { RunDialog<InsForm_Marquee>(editor); }

}  // namespace quenby::authoring

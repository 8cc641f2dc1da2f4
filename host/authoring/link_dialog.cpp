#include "host/authoring/link_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "host/authoring/editor_port.h"
#include "host/authoring/selection_markup.h"
#include "host/common/control_host.h"
#include "host/common/file_dialogs.h"

namespace quenby::authoring {

InsForm_Link::InsForm_Link(EditorPort& editor)
    : QDialog(editor.OwnerWindow()), control_(editor.EditorControl()) {
    setObjectName(QStringLiteral("InsForm_Link"));
    setWindowTitle(QStringLiteral("リンク"));
    setFixedSize(6600 / 15, 5500 / 15);

    auto* targetLabel = new QLabel(QStringLiteral("リンク先(&L):"), this);
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    targetLabel->setBuddy(text1_);
    browse_ = new QPushButton(QStringLiteral("参照(&B)..."), this);
    browse_->setObjectName(QStringLiteral("Command1"));

    auto* kind = new QGroupBox(QStringLiteral("リンクの種類"), this);
    auto* kindLayout = new QHBoxLayout(kind);
    auto* kindGroup = new QButtonGroup(this);
    const QString kindCaptions[] = {QStringLiteral("http"), QStringLiteral("メールアドレス"),
                                    QStringLiteral("その他")};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(kindCaptions[i], kind);
        // A control array: one name, told apart by index.
        b->setObjectName(QStringLiteral("URLOption"));
        b->setProperty("index", i);
        kindGroup->addButton(b, i);
        kindLayout->addWidget(b);
        urlOptions_.push_back(b);
        connect(b, &QRadioButton::clicked, this, [this, i] { URLOption_Click(i); });
    }
    // An empty target is neither kind of address.
    urlOptions_[static_cast<int>(UrlOption::Other)]->setChecked(true);

    auto* keys = new QGroupBox(QStringLiteral("アクセスキー"), this);
    auto* keyLayout = new QGridLayout(keys);
    auto* keyGroup = new QButtonGroup(this);
    const QStringList captions = AccessKeyCaptions();
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QRadioButton(captions[i], keys);
        b->setObjectName(QStringLiteral("AccessKeyOption"));
        b->setProperty("index", i);
        keyGroup->addButton(b, i);
        accessKeys_.push_back(b);
        connect(b, &QRadioButton::clicked, this, [this, i] { AccessKeyOption_Click(i); });
        // "Do not set" on a row of its own, the keys below it as a handset
        // keypad: three to a row.
        if (i == 0) keyLayout->addWidget(b, 0, 0, 1, 3);
        else keyLayout->addWidget(b, 1 + (i - 1) / 3, (i - 1) % 3);
    }
    accessKeys_[0]->setChecked(true);

    const OkCancelRow buttons = MakeOkCancelRow(this);
    ok_ = buttons.ok;
    cancel_ = buttons.cancel;

    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(text1_, 1);
    targetRow->addWidget(browse_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(targetLabel);
    layout->addLayout(targetRow);
    layout->addWidget(kind);
    layout->addWidget(keys, 1);
    layout->addLayout(buttons.row);

    connect(text1_, &QLineEdit::textChanged, this, &InsForm_Link::Text1_Change);
    connect(browse_, &QPushButton::clicked, this, &InsForm_Link::Command1_Click);
    connect(ok_, &QPushButton::clicked, this, &InsForm_Link::OkButton_Click);
    connect(cancel_, &QPushButton::clicked, this, &InsForm_Link::CancelButton_Click);
}

void InsForm_Link::Text1_Change() {
    const int index = static_cast<int>(UrlOptionFor(text1_->text()));
    // Picking the kind from the text counts as a click on it (its tool tip
    // follows); the rewrite that goes with the click leaves a target that
    // already has the right prefix as it is.
    if (!urlOptions_[index]->isChecked()) URLOption_Click(index);
}

void InsForm_Link::URLOption_Click(int index) {
    const auto option = static_cast<UrlOption>(index);
    urlOptions_[index]->setChecked(true);
    const QString target = TargetForOption(text1_->text(), option);
    // Rewriting an unchanged text would only move the caret away.
    if (target != text1_->text()) text1_->setText(target);
    text1_->setToolTip(TargetToolTip(option));
}

void InsForm_Link::AccessKeyOption_Click(int index) {
    accessKeys_[index]->setChecked(true);
    accessKey_ = accessKeys_[index]->text();
}

void InsForm_Link::Command1_Click() {
    CommonDialog dialog;
    dialog.Filter = QStringLiteral("HTMLファイル(*.htm;*.html)|*.htm;*.html");
    if (dialog.ShowOpen(this)) text1_->setText(dialog.FileName);
}

void InsForm_Link::OkButton_Click() {
    ReplaceSelection(control_, [&](const QString& s) { return LinkMarkup(s, text1_->text(), accessKey_); });
    accept();
}

void InsForm_Link::CancelButton_Click() { reject(); }

void ShowLinkDialog(EditorPort& editor) { RunDialog<InsForm_Link>(editor); }

}  // namespace quenby::authoring

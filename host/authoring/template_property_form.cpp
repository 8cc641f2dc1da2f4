#include "host/authoring/template_property_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenby::authoring {

TemplatePropertyForm::TemplatePropertyForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("テンプレートのプロパティ"));

    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text2_ = new QLineEdit(this);
    text2_->setObjectName(QStringLiteral("Text2"));
    text3_ = new QPlainTextEdit(this);
    text3_->setObjectName(QStringLiteral("Text3"));
    text3_->setTabChangesFocus(true);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    ok_->setDefault(true);

    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->addRow(QStringLiteral("テンプレート名"), text1_);
    form->addRow(QStringLiteral("作者名"), text2_);
    form->addRow(QStringLiteral("説明文"), text3_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);
    resize(360, 300);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

QString TemplatePropertyForm::Description() const {
    return text3_->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

}  // namespace quenby::authoring

#include "host/authoring/image_dialog.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/authoring/editor_port.h"
#include "host/authoring/selection_markup.h"
#include "host/authoring/tag_markup.h"
#include "host/common/control_host.h"
#include "host/common/file_dialogs.h"

namespace quenby::authoring {

InsForm_Image::InsForm_Image(EditorPort& editor)
    : QDialog(editor.OwnerWindow()), control_(editor.EditorControl()) {
    setObjectName(QStringLiteral("InsForm_Image"));
    setWindowTitle(QStringLiteral("画像ファイル"));
    setFixedSize(6600 / 15, 5500 / 15);

    auto* sourceLabel = new QLabel(QStringLiteral("画像ファイル(&F):"), this);
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    sourceLabel->setBuddy(text1_);
    browse_ = new QPushButton(QStringLiteral("参照(&B)..."), this);
    browse_->setObjectName(QStringLiteral("Command1"));
    auto* altLabel = new QLabel(QStringLiteral("代替テキスト(&A):"), this);
    text2_ = new QLineEdit(this);
    text2_->setObjectName(QStringLiteral("Text2"));
    altLabel->setBuddy(text2_);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    picture_->setFrameShape(QFrame::StyledPanel);
    picture_->setFrameShadow(QFrame::Sunken);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setMinimumSize(1, 1);
    // The picture follows the box; it must not make the box grow.
    picture_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    const OkCancelRow buttons = MakeOkCancelRow(this);
    ok_ = buttons.ok;
    cancel_ = buttons.cancel;

    auto* fields = new QGridLayout;
    fields->addWidget(sourceLabel, 0, 0);
    fields->addWidget(text1_, 0, 1);
    fields->addWidget(browse_, 0, 2);
    fields->addWidget(altLabel, 1, 0);
    fields->addWidget(text2_, 1, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(picture_, 1);
    layout->addLayout(buttons.row);

    connect(text1_, &QLineEdit::textChanged, this, &InsForm_Image::Text1_Change);
    connect(browse_, &QPushButton::clicked, this, &InsForm_Image::Command1_Click);
    connect(ok_, &QPushButton::clicked, this, &InsForm_Image::OkButton_Click);
    connect(cancel_, &QPushButton::clicked, this, &InsForm_Image::CancelButton_Click);
}

void InsForm_Image::Text1_Change() {
    const QString path = text1_->text();
    QPixmap picture;
    if (!path.isEmpty() && QFileInfo(path).isFile()) picture.load(path);
    if (picture.isNull()) {
        picture_->clear();
        return;
    }
    const QSize box = picture_->contentsRect().size();
    // A small picture keeps its size; a large one shrinks to fit.
    if (picture.width() > box.width() || picture.height() > box.height())
        picture = picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picture_->setPixmap(picture);
}

void InsForm_Image::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The box only has its size once laid out.
    Text1_Change();
}

void InsForm_Image::Command1_Click() {
    CommonDialog dialog;
    dialog.Filter = QStringLiteral("イメージファイル(*.gif)|*.gif");
    if (dialog.ShowOpen(this)) text1_->setText(dialog.FileName);
}

void InsForm_Image::OkButton_Click() {
    ReplaceSelection(control_, [&](const QString& s) { return ImageMarkup(s, text1_->text(), text2_->text()); });
    accept();
}

void InsForm_Image::CancelButton_Click() { reject(); }

void ShowImageDialog(EditorPort& editor) { RunDialog<InsForm_Image>(editor); }

}  // namespace quenby::authoring

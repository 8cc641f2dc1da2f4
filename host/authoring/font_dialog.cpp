#include "host/authoring/font_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/authoring/editor_port.h"
#include "host/authoring/selection_markup.h"
#include "host/authoring/tag_markup.h"
#include "host/common/control_host.h"

namespace quenby::authoring {

namespace {

constexpr QSize kSwatch(40, 16);

ColourQuestion& Question() {
    static ColourQuestion question;
    return question;
}

std::optional<std::uint32_t> AskSystem(QWidget* owner, std::uint32_t initial) {
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, owner);
    if (!chosen.isValid()) return std::nullopt;
    return RGB(chosen.red(), chosen.green(), chosen.blue());
}

}  // namespace

ColourQuestion SetColourQuestion(ColourQuestion question) {
    ColourQuestion previous = std::move(Question());
    Question() = std::move(question);
    return previous;
}

InsForm_Font::InsForm_Font(EditorPort& editor)
    : QDialog(editor.OwnerWindow()), control_(editor.EditorControl()) {
    setObjectName(QStringLiteral("InsForm_Font"));
    setWindowTitle(QStringLiteral("フォント"));
    setFixedSize(320, 150);

    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(&S):"), this);
    sizes_ = new QComboBox(this);
    sizes_->setObjectName(QStringLiteral("FontSizeList"));
    sizes_->setEditable(true);
    sizes_->setInsertPolicy(QComboBox::NoInsert);
    sizes_->addItems(FontSizes());
    sizes_->setCurrentIndex(-1);
    sizes_->setEditText(QString());
    sizeLabel->setBuddy(sizes_);

    auto* colourLabel = new QLabel(QStringLiteral("色(&C):"), this);
    colours_ = new QComboBox(this);
    colours_->setObjectName(QStringLiteral("ColorComboList"));
    colours_->setIconSize(kSwatch);
    for (const ColourEntry& e : ColourTable()) colours_->addItem(e.name, e.key);
    for (int i = 0; i < colours_->count(); ++i) PaintSwatch(i, ColourTable()[static_cast<std::size_t>(i)].swatch);
    colours_->setCurrentIndex(0);
    colourLabel->setBuddy(colours_);
    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("ColorCode"));

    const OkCancelRow buttons = MakeOkCancelRow(this);
    ok_ = buttons.ok;
    cancel_ = buttons.cancel;

    auto* fields = new QGridLayout;
    fields->addWidget(sizeLabel, 0, 0);
    fields->addWidget(sizes_, 0, 1);
    fields->addWidget(colourLabel, 1, 0);
    fields->addWidget(colours_, 1, 1);
    fields->addWidget(code_, 1, 2);
    fields->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons.row);

    connect(colours_, &QComboBox::activated, this, &InsForm_Font::ColorComboList_Click);
    connect(ok_, &QPushButton::clicked, this, &InsForm_Font::OkButton_Click);
    connect(cancel_, &QPushButton::clicked, this, &InsForm_Font::CancelButton_Click);
}

void InsForm_Font::PaintSwatch(int index, const QColor& colour) {
    QPixmap swatch(kSwatch);
    swatch.fill(colour);
    QPainter p(&swatch);
    p.setPen(Qt::black);
    p.drawRect(0, 0, kSwatch.width() - 1, kSwatch.height() - 1);
    p.end();
    colours_->setItemIcon(index, QIcon(swatch));
}

void InsForm_Font::ColorComboList_Click(int index) {
    if (index < 0 || index >= colours_->count()) return;
    colours_->setCurrentIndex(index);
    const QString key = colours_->itemData(index).toString();
    if (key != QLatin1String(kOtherColourKey)) {
        code_->setText(key);
        return;
    }
    const ColourQuestion& ask = Question();
    const std::optional<std::uint32_t> chosen = ask ? ask(this, lastCustom_) : AskSystem(this, lastCustom_);
    // A cancelled question leaves the colour box as it was: "other" is no
    // colour a page could use.
    if (!chosen) return;
    lastCustom_ = *chosen & 0xFFFFFFu;
    code_->setText(ColourCodeFromSystem(lastCustom_));
    PaintSwatch(index, QColor(lastCustom_ & 0xFF, (lastCustom_ >> 8) & 0xFF, (lastCustom_ >> 16) & 0xFF));
}

void InsForm_Font::OkButton_Click() {
    ReplaceSelection(control_, [&](const QString& s) { return FontMarkup(s, sizes_->currentText(), code_->text()); });
    accept();
}

void InsForm_Font::CancelButton_Click() { reject(); }

void ShowFontDialog(EditorPort& editor) { RunDialog<InsForm_Font>(editor); }

}  // namespace quenby::authoring

#include "host/authoring/template_select_form.h"

#include <QFile>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "host/authoring/editor_port.h"

namespace quenby::authoring {

namespace {

constexpr int kIconSize = 32;
constexpr int kKeyRole = Qt::UserRole;

// Every item shows the same page picture; drawn here so the dialog needs
// none of the editor window's resources.
QIcon PageIcon() {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF sheet({{6.5, 2.5}, {20.5, 2.5}, {26.5, 8.5}, {26.5, 29.5}, {6.5, 29.5}});
    p.setPen(QPen(QColor(0x55, 0x57, 0x53), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.setBrush(QColor(0xd3, 0xd7, 0xcf));
    p.drawPolygon(QPolygonF({{20.5, 2.5}, {20.5, 8.5}, {26.5, 8.5}}));
    p.setPen(QPen(QColor(0x34, 0x65, 0xa4), 1.5));
    for (int y = 13; y <= 25; y += 4) p.drawLine(QPointF(10, y), QPointF(y == 25 ? 18 : 23, y));
    p.end();
    return QIcon(pixmap);
}

// Text boxes want line feeds; the files carry CR LF.
QString ForDisplay(QString s) { return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

TemplateSelectForm::TemplateSelectForm(EditorPort& editor, std::filesystem::path templateFolder,
                                       TemplateFields builtIn, const QString& welcomePicture, QWidget* parent)
    : QDialog(parent), editor_(editor), folder_(std::move(templateFolder)), builtIn_(std::move(builtIn)) {
    setWindowTitle(QStringLiteral("新規作成"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListView1"));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kIconSize, kIconSize));
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setWordWrap(true);
    list_->setGridSize(QSize(96, 72));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumWidth(240);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("WelcomePicture"));
    QPixmap welcome;
    if (!welcomePicture.isEmpty() && welcome.load(welcomePicture)) {
        picture_->setPixmap(welcome);
    } else {
        picture_->hide();
    }

    preview_ = new QPlainTextEdit(this);
    preview_->setObjectName(QStringLiteral("PreviewText"));
    preview_->setReadOnly(true);
    preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
    preview_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* description = new QWidget(this);
    description->setObjectName(QStringLiteral("Frame2"));
    name_ = new QLineEdit(description);
    name_->setObjectName(QStringLiteral("TemplateNameText"));
    maker_ = new QLineEdit(description);
    maker_->setObjectName(QStringLiteral("TemplateMakerText"));
    explanation_ = new QPlainTextEdit(description);
    explanation_->setObjectName(QStringLiteral("TemplateExplanationText"));
    for (QLineEdit* box : {name_, maker_}) box->setReadOnly(true);
    explanation_->setReadOnly(true);
    auto* form = new QFormLayout(description);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->addRow(QStringLiteral("テンプレート名"), name_);
    form->addRow(QStringLiteral("作者名"), maker_);
    form->addRow(QStringLiteral("説明文"), explanation_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("TabStrip1"));
    tabs_->addTab(preview_, QStringLiteral("プレビュー"));
    tabs_->addTab(description, QStringLiteral("説明"));
    tabs_->setMinimumSize(280, 300);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel_->setObjectName(QStringLiteral("CancelButton"));

    auto* left = new QVBoxLayout;
    left->addWidget(picture_);
    left->addWidget(list_, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(tabs_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &TemplateSelectForm::OkButton_Click);
    connect(cancel_, &QPushButton::clicked, this, &TemplateSelectForm::CancelButton_Click);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) ShowTemplate(row);
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        SelectItem(list_->row(item));
        OkButton_Click();
    });

    FillList();
    SelectItem(0);
}

QStringList TemplateSelectForm::Keys() const {
    QStringList keys;
    for (int i = 0; i < list_->count(); ++i) keys << list_->item(i)->data(kKeyRole).toString();
    return keys;
}

void TemplateSelectForm::FillList() {
    list_->clear();
    const QIcon icon = PageIcon();
    for (const TemplateItem& t : ListTemplates(folder_)) {
        auto* item = new QListWidgetItem(icon, t.text, list_);
        item->setData(kKeyRole, t.key);
        item->setToolTip(t.key);
    }
}

void TemplateSelectForm::SelectItem(int row) {
    if (row < 0 || row >= list_->count()) return;
    {
        const QSignalBlocker block(list_);
        list_->setCurrentRow(row);
    }
    ShowTemplate(row);
}

void TemplateSelectForm::ShowTemplate(int row) {
    name_->clear();
    maker_->clear();
    explanation_->clear();
    const QString key = list_->item(row)->data(kKeyRole).toString();
    const TemplateFields t = key == kBuiltInKey ? builtIn_ : ReadTemplate(folder_ / QStringToPath(key));
    preview_->setPlainText(ForDisplay(t.page));
    name_->setText(t.name);
    maker_->setText(t.author);
    explanation_->setPlainText(ForDisplay(t.description));
}

void TemplateSelectForm::OkButton_Click() {
    // A second OK (a double click arriving as two activations) must not
    // start a second document.
    if (chosen_) return;
    QListWidgetItem* item = list_->currentItem();
    if (!item) return;
    chosen_ = true;
    hide();
    const QString key = item->data(kKeyRole).toString();
    editor_.NewDocument(key == kBuiltInKey ? QString() : PathToQString(folder_) + u'/' + key);
    accept();
}

void TemplateSelectForm::CancelButton_Click() { reject(); }

void ShowTemplateSelect(EditorPort& editor, const std::filesystem::path& templateFolder,
                        const TemplateFields& builtIn, const QString& welcomePicture) {
    TemplateSelectForm form(editor, templateFolder, builtIn, welcomePicture, editor.OwnerWindow());
    form.exec();
}

}  // namespace quenby::authoring

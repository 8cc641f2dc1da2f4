#include "host/shell/options/option_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "control/activex/persist/host_property_sets.h"
#include "control/activex/persist/stream_writer.h"
#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/common/handset_profile.h"
#include "host/preview/skin_layout.h"
#include "host/shell/display_flags.h"
#include "host/shell/edit_form.h"

namespace quenby::shell {

namespace tx = tarnedit;

namespace {

ColourQuestion& Question() {
    static ColourQuestion q;
    return q;
}

std::optional<QColor> AskColour(QWidget* parent, const QColor& current) {
    if (Question()) return Question()(parent, current);
    const QColor c = QColorDialog::getColor(current, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

QColor ToQColor(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
std::uint32_t FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// The mark check boxes, in the dialog's order.
struct Mark {
    const char* caption;
    com::DISPID property;
};
constexpr Mark kMarks[] = {
    {"半角スペース", tx::dispid::ShowSglSpace}, {"全角スペース", tx::dispid::ShowDblSpace},
    {"タブ", tx::dispid::ShowTAB},              {"改行コード", tx::dispid::ShowCR},
    {"EOF", tx::dispid::ShowEOF},               {"行番号", tx::dispid::ShowLineNumber},
    {"ルーラー", tx::dispid::ShowRuler},        {"ルーラーカーソル", tx::dispid::ShowRulerCur},
    {"UnderLine", tx::dispid::ShowUnderLine},
};
constexpr int kRulerMark = 6;

// The order the display flags are written in.
constexpr com::DISPID kSaveOrder[] = {
    tx::dispid::ShowCR,        tx::dispid::ShowEOF,        tx::dispid::ShowTAB,
    tx::dispid::ShowRuler,     tx::dispid::ShowRulerCur,   tx::dispid::ShowUnderLine,
    tx::dispid::ShowLineNumber, tx::dispid::ShowSglSpace,  tx::dispid::ShowDblSpace,
};

const char* const kSwatchCaptions[] = {"文字色:", "背景色:", "HTMLタグ:", "HTMLタグ2:", "コメント色:"};

QString U(const char* s) { return QString::fromUtf8(s); }

std::string SampleProperties() {
    const tarn::persist::WriteResult w = tarn::persist::WriteStream(tarn::persist::SampleEditProperties());
    return w.ok() ? w.bytes : std::string();
}

std::filesystem::path SkinDir() { return preview::SkinFolder(ProgramFolder()); }

QString SkinKey(const QString& file, const char* key) {
    if (file.isEmpty()) return {};
    return GetINIValue(QStringLiteral("QuenbySkin"), QString::fromLatin1(key), SkinDir() / ToPath(file));
}

}  // namespace

ColourQuestion SetColourQuestion(ColourQuestion question) {
    ColourQuestion old = std::move(Question());
    Question() = std::move(question);
    return old;
}

OptionForm::OptionForm(AppSettings& settings, EditForm& editor, std::function<void()> reloadSkin, QWidget* parent)
    : QDialog(parent), settings_(settings), editor_(editor), reloadSkin_(std::move(reloadSkin)) {
    setWindowTitle(U("オプション"));
    resize(6600 / kTwipsPerPixel, 5500 / kTwipsPerPixel);

    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_, 1);
    auto* general = new QWidget;
    auto* editorPage = new QWidget;
    auto* skin = new QWidget;
    tabs_->addTab(general, U("全般"));
    tabs_->addTab(editorPage, U("エディタの設定"));
    tabs_->addTab(skin, U("ブラウザスキン"));
    BuildGeneralPage(general);
    BuildEditorPage(editorPage);
    BuildSkinPage(skin);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(U("キャンセル"), this);
    auto* apply = new QPushButton(U("更新"), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(apply);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &OptionForm::OK_Click);
    connect(cancel, &QPushButton::clicked, this, &OptionForm::Cancel_Click);
    connect(apply, &QPushButton::clicked, this, &OptionForm::Apply_Click);

    if (sample_) {
        sample_->SetText(U("ABC \u3000abc\r\n\t123"));
        sample_->ClearUndoRecord();
    }
    FillSkinList();
    for (const QString& name : settings_.FontNames)
        if (!name.isEmpty() && !name.startsWith(QLatin1Char('@'))) fontList_->addItem(name);
    for (const char* size : {"8", "9", "10", "11", "12", "14", "16", "18", "24"}) fontSizeList_->addItem(U(size));
    LoadSetting();
    if (sample_) sample_->ReDesign();

    // The dialog sees Ctrl+Tab before any of its controls (the sample
    // editor would take it as text).
    qApp->installEventFilter(this);
}

OptionForm::~OptionForm() {
    qApp->removeEventFilter(this);
    // The sample's window goes back to the control before the page holding
    // it is destroyed.
    sample_.reset();
}

void OptionForm::BuildGeneralPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    auto* frame = new QGroupBox(U("アプリケーション全体の設定"), page);
    auto* inner = new QVBoxLayout(frame);
    const char* const captions[] = {"起動画面の表示", "ブラウザの自動更新 （マウス操作時）", "ブラウザの自動更新 （1分）",
                                    "ツールバーに文字を表示する"};
    for (int i = 0; i < 4; ++i) {
        appliOpt_[i] = new QCheckBox(U(captions[i]), frame);
        inner->addWidget(appliOpt_[i]);
    }
    inner->addStretch(1);
    layout->addWidget(frame, 1);
}

void OptionForm::BuildEditorPage(QWidget* page) {
    auto* layout = new QGridLayout(page);
    auto* fonts = new QHBoxLayout;
    fontList_ = new QComboBox(page);
    fontList_->setEditable(true);
    fontList_->setInsertPolicy(QComboBox::NoInsert);
    fontList_->setMinimumWidth(180);
    fontSizeList_ = new QComboBox(page);
    fontSizeList_->setEditable(true);
    fontSizeList_->setInsertPolicy(QComboBox::NoInsert);
    fontSizeList_->setMinimumWidth(60);
    fonts->addWidget(new QLabel(U("フォント名:"), page));
    fonts->addWidget(fontList_, 1);
    fonts->addSpacing(8);
    fonts->addWidget(new QLabel(U("サイズ:"), page));
    fonts->addWidget(fontSizeList_);
    layout->addLayout(fonts, 0, 0, 1, 2);
    connect(fontList_, &QComboBox::activated, this, [this] { FontList_Validate(); });
    connect(fontList_->lineEdit(), &QLineEdit::editingFinished, this, [this] { FontList_Validate(); });
    connect(fontSizeList_, &QComboBox::activated, this, [this] { FontSizeList_Validate(); });
    connect(fontSizeList_->lineEdit(), &QLineEdit::editingFinished, this, [this] { FontSizeList_Validate(); });

    auto* colours = new QFormLayout;
    colours->setVerticalSpacing(4);
    for (int i = 0; i < 5; ++i) {
        swatches_[i] = new QPushButton(page);
        swatches_[i]->setFixedSize(40, 18);
        swatches_[i]->setFlat(true);
        swatches_[i]->setAutoFillBackground(true);
        connect(swatches_[i], &QPushButton::clicked, this, [this, i] { ColorSetting_Click(i); });
        colours->addRow(U(kSwatchCaptions[i]), swatches_[i]);
    }
    layout->addLayout(colours, 1, 0);

    auto* marks = new QGroupBox(U("編集記号の表示"), page);
    auto* markLayout = new QGridLayout(marks);
    markLayout->setVerticalSpacing(2);
    for (int i = 0; i < 9; ++i) {
        editOpt_[i] = new QCheckBox(U(kMarks[i].caption), marks);
        markLayout->addWidget(editOpt_[i], i % 5, i / 5);
        connect(editOpt_[i], &QCheckBox::clicked, this, [this, i] { EditOptCheck_Click(i); });
    }
    layout->addWidget(marks, 1, 1);

    auto* sampleFrame = new QGroupBox(U("サンプル"), page);
    auto* sampleLayout = new QVBoxLayout(sampleFrame);
    sample_ = ControlHost::Create(sampleFrame, SampleProperties(), &sampleError_);
    if (sample_) {
        sample_->Window()->setObjectName(QStringLiteral("SampleEdit"));
        sample_->Window()->setMinimumHeight(70);
        sampleLayout->addWidget(sample_->Window());
    } else {
        sampleLayout->addWidget(new QLabel(sampleError_, sampleFrame));
    }
    layout->addWidget(sampleFrame, 2, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(1, 1);
}

void OptionForm::BuildSkinPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    skinList_ = new QTreeWidget(page);
    skinList_->setRootIsDecorated(false);
    skinList_->setHeaderLabels({U("スキン名"), U("ファイル名")});
    skinList_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(skinList_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { SkinList_Click(skinList_->indexOfTopLevelItem(item)); });
    layout->addWidget(skinList_, 1);
    auto* details = new QFormLayout;
    for (auto*& t : skinText_) {
        t = new QLineEdit(page);
        t->setReadOnly(true);
    }
    skinComment_ = new QPlainTextEdit(page);
    skinComment_->setReadOnly(true);
    skinComment_->setFixedHeight(60);
    details->addRow(U("スキン名:"), skinText_[0]);
    details->addRow(U("バージョン:"), skinText_[1]);
    details->addRow(U("著作権:"), skinText_[2]);
    skinHandset_ = new QLineEdit(page);
    skinHandset_->setReadOnly(true);
    skinHandset_->setObjectName(QStringLiteral("SkinHandset"));
    details->addRow(U("対象端末:"), skinHandset_);
    details->addRow(skinComment_);
    layout->addLayout(details);
}

// ---- Loading and saving ---------------------------------------------------------

void OptionForm::LoadSetting() {
    appliOpt_[0]->setChecked(settings_.ShowSplash);
    appliOpt_[1]->setChecked(settings_.MouseAutoRefresh);
    appliOpt_[2]->setChecked(settings_.TimeAutoRefresh);
    appliOpt_[3]->setChecked(settings_.ToolbarCaption);
    ControlHost* control = editor_.Control();
    if (!control) return;
    fontList_->setEditText(control->FontName());
    // The control reports the size it could draw; the stored size rounds
    // the same way.
    sampleSize_ = control->FontSize();
    fontSizeList_->setEditText(QString::number(sampleSize_));
    SetSwatch(0, control->Get<std::uint32_t>(tx::dispid::AxFontColor));
    SetSwatch(1, control->Get<std::uint32_t>(tx::dispid::Color));
    SetSwatch(2, settings_.HTMLTagColor);
    SetSwatch(3, settings_.HTMLTagColor2);
    SetSwatch(4, settings_.CommentTagColor);
    if (!sample_) return;
    sample_->SetFontName(control->FontName());
    sample_->SetFontSize(sampleSize_);
    sample_->Put(tx::dispid::Color, com::OLE_COLOR(colours_[1]));
    sample_->Put(tx::dispid::AxFontColor, com::OLE_COLOR(colours_[0]));
    for (const com::DISPID p : {tx::dispid::ShowSglSpace, tx::dispid::ShowDblSpace, tx::dispid::ShowTAB,
                                tx::dispid::ShowCR, tx::dispid::ShowEOF, tx::dispid::ShowLineNumber,
                                tx::dispid::ShowRuler, tx::dispid::ShowRulerCur, tx::dispid::ShowUnderLine}) {
        const bool on = control->Get<bool>(p);
        sample_->Put(p, on);
        for (int i = 0; i < 9; ++i)
            if (kMarks[i].property == p) editOpt_[i]->setChecked(on);
    }
    if (!sample_->Get<bool>(tx::dispid::ShowRuler)) sample_->Put(tx::dispid::TopMargin, 0);
}

void OptionForm::SaveSetting() {
    settings_.ShowSplash = appliOpt_[0]->isChecked();
    settings_.MouseAutoRefresh = appliOpt_[1]->isChecked();
    settings_.TimeAutoRefresh = appliOpt_[2]->isChecked();
    settings_.ToolbarCaption = appliOpt_[3]->isChecked();
    const std::filesystem::path ini = INIFilePath();
    auto put = [&ini](const QString& key, const QString& value) { SetINIValue(kSectionQuenby, key, value, ini); };
    put(QStringLiteral("ShowSplash"), WriteOptionFlag(settings_.ShowSplash));
    put(QStringLiteral("TimeAutoRefresh"), WriteOptionFlag(settings_.TimeAutoRefresh));
    put(QStringLiteral("MouseAutoRefresh"), WriteOptionFlag(settings_.MouseAutoRefresh));
    put(QStringLiteral("ToolbarCaption"), WriteOptionFlag(settings_.ToolbarCaption));
    if (sample_) {
        for (const com::DISPID p : kSaveOrder) put(DisplayFlagKey(p), WriteDisplayFlag(sample_->Get<bool>(p)));
        put(QStringLiteral("Font"), sample_->FontName());
        put(QStringLiteral("FontSize"), WriteFontSize(sample_->FontSize()));
    }
    put(QStringLiteral("BackColor"), WriteColour(colours_[1]));
    put(QStringLiteral("FontColor"), WriteColour(colours_[0]));
    put(QStringLiteral("HTMLTagColor"), WriteColour(colours_[2]));
    put(QStringLiteral("HTMLTagColor2"), WriteColour(colours_[3]));
    put(QStringLiteral("CommentTagColor"), WriteColour(colours_[4]));
    // With no skin selected (only possible when the configured one is
    // missing) the stored choice stays as it is.
    if (QTreeWidgetItem* item = skinList_->currentItem(); item && item->isSelected())
        SetINIValue(kSectionPreview, QStringLiteral("Skin"), item->text(1), ini);
}

// ---- Buttons ------------------------------------------------------------------------

void OptionForm::ApplySampleFontTo(ControlHost& control) {
    control.SetFontName(sample_->FontName());
    control.SetFontSize(sample_->FontSize());
}

void OptionForm::Apply_Click() {
    ControlHost* control = editor_.Control();
    if (control && sample_) {
        ApplySampleFontTo(*control);
        for (const com::DISPID p : {tx::dispid::ShowSglSpace, tx::dispid::ShowDblSpace, tx::dispid::ShowTAB,
                                    tx::dispid::ShowCR, tx::dispid::ShowEOF, tx::dispid::ShowLineNumber,
                                    tx::dispid::ShowRuler, tx::dispid::ShowRulerCur, tx::dispid::ShowUnderLine})
            control->Put(p, sample_->Get<bool>(p));
        if (!control->Get<bool>(tx::dispid::ShowRuler)) control->Put(tx::dispid::TopMargin, 0);
        control->ReDesign();
    }
    if (control) {
        control->Put(tx::dispid::Color, com::OLE_COLOR(colours_[1]));
        control->Put(tx::dispid::AxFontColor, com::OLE_COLOR(colours_[0]));
    }
    SaveSetting();
    if (settings_.TimeAutoRefresh) editor_.AutoRefreshTimer().start();
    else editor_.AutoRefreshTimer().stop();
    if (reloadSkin_) reloadSkin_();
    // Another skin may name another handset: the findings and the meter
    // follow at once.
    editor_.CheckPage();
    editor_.StandardToolbar_Refresh();
}

void OptionForm::OK_Click() {
    Apply_Click();
    accept();
}

void OptionForm::Cancel_Click() { reject(); }

// ---- Choices tried on the sample ------------------------------------------------

void OptionForm::EditOptCheck_Click(int index) {
    if (!sample_) return;
    const bool on = editOpt_[index]->isChecked();
    sample_->Put(kMarks[index].property, on);
    if (index == kRulerMark && !on) sample_->Put(tx::dispid::TopMargin, 0);
    sample_->ReDesign();
}

void OptionForm::FontList_Validate() {
    if (!sample_) return;
    // A name that is not installed is kept; the font system draws a
    // stand-in.
    sample_->SetFontName(fontList_->currentText());
    sample_->ReDesign();
}

void OptionForm::FontSizeList_Validate() {
    bool ok = false;
    const int size = fontSizeList_->currentText().trimmed().toInt(&ok);
    if (!ok || size <= 0) {
        fontSizeList_->setEditText(QString::number(sampleSize_));
        return;
    }
    sampleSize_ = size;
    if (!sample_) return;
    sample_->SetFontSize(size);
    sample_->ReDesign();
}

void OptionForm::SetSwatch(int index, std::uint32_t colour) {
    colours_[index] = colour;
    QPalette p = swatches_[index]->palette();
    p.setColor(QPalette::Button, ToQColor(colour));
    p.setColor(QPalette::Window, ToQColor(colour));
    swatches_[index]->setPalette(p);
    swatches_[index]->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                                        .arg(ToQColor(colour).name()));
}

void OptionForm::ColorSetting_Click(int index) {
    if (std::optional<QColor> c = AskColour(this, ToQColor(colours_[index]))) SetSwatch(index, FromQColor(*c));
    const std::uint32_t colour = colours_[index];
    switch (index) {
    case 0:
        if (sample_) sample_->Put(tx::dispid::AxFontColor, com::OLE_COLOR(colour));
        break;
    case 1:
        if (sample_) sample_->Put(tx::dispid::Color, com::OLE_COLOR(colour));
        break;
    default:
        // The tag colours belong to the whole program and hold at once,
        // whatever becomes of the dialog.
        (index == 2 ? settings_.HTMLTagColor : index == 3 ? settings_.HTMLTagColor2 : settings_.CommentTagColor) =
            colour;
        if (ControlHost* control = editor_.Control()) control->ReDesign();
        break;
    }
    if (sample_) sample_->ReDesign();
}

// ---- Skins ----------------------------------------------------------------------------

void OptionForm::FillSkinList() {
    const QString cur = GetINIValue(kSectionPreview, QStringLiteral("Skin"), INIFilePath());
    skinList_->clear();
    skinList_->addTopLevelItem(new QTreeWidgetItem({U("スキンファイルなし"), QString()}));
    int match = -1;
    const QStringList files = QDir(FromPath(SkinDir())).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (int i = 0; i < files.size(); ++i) {
        skinList_->addTopLevelItem(new QTreeWidgetItem({SkinKey(files[i], "Name"), files[i]}));
        if (files[i] == cur) match = i + 1;
    }
    if (match < 0) {
        skinText_[0]->setText(U("未設定"));
        skinText_[1]->clear();
        skinText_[2]->clear();
        // Without a skin the pages are still checked: say against what.
        skinHandset_->setText(HandsetText(QString()));
        skinComment_->clear();
        return;
    }
    skinList_->setCurrentItem(skinList_->topLevelItem(match));
    ShowSkinDetails(files[match - 1]);
}

void OptionForm::SkinList_Click(int row) {
    QTreeWidgetItem* item = skinList_->topLevelItem(row);
    if (!item) return;
    skinList_->setCurrentItem(item);
    ShowSkinDetails(item->text(1));
}

void OptionForm::ShowSkinDetails(const QString& file) {
    skinText_[0]->setText(SkinKey(file, "Name"));
    skinText_[1]->setText(SkinKey(file, "Version"));
    skinText_[2]->setText(SkinKey(file, "Copyright"));
    skinComment_->setPlainText(SkinKey(file, "comment").replace(QStringLiteral("\\n"), QStringLiteral("\n")));
    skinHandset_->setText(HandsetText(file.isEmpty() ? QString() : SkinHandset(SkinDir() / ToPath(file))));
}

// The profile the page checker aims at while this skin is chosen.
QString OptionForm::HandsetText(const QString& named) const {
    const std::vector<HandsetProfile> profiles = ReadHandsetProfiles(HandsetsFile(ProgramFolder()));
    const HandsetProfile* target = TargetProfile(profiles, named);
    if (!target) return U("端末の情報がありません");
    if (target->version == named) return DescribeProfile(*target);
    const QString check = U("HTML %1 で検査").arg(target->version);
    return named.isEmpty() ? U("指定なし (%1)").arg(check) : U("不明な端末 %1 (%2)").arg(named, check);
}

QString OptionForm::SkinHandsetText() const { return skinHandset_->text(); }

QString OptionForm::SkinDetail(int index) const {
    if (index == 3) return skinComment_->toPlainText();
    return skinText_[index]->text();
}

// ---- Keys ---------------------------------------------------------------------------------

bool OptionForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
            tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowOptions(AppSettings& settings, EditForm& editor, std::function<void()> reloadSkin) {
    OptionForm form(settings, editor, std::move(reloadSkin), &editor);
    form.exec();
}

}  // namespace quenby::shell

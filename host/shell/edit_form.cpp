#include "host/shell/edit_form.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "host/checker/page_checker.h"
#include "host/common/byte_helpers.h"
#include "host/common/handset_profile.h"
#include "host/common/image_list.h"
#include "host/common/ini_access.h"
#include "host/common/message_box.h"
#include "host/common/program_folder.h"
#include "host/menus/icon_menu.h"
#include "host/preview/skin_layout.h"
#include "host/shell/file_access.h"
#include "host/shell/keyboard_state.h"
#include "host/shell/page_check_views.h"
#include "host/shell/paste_loss.h"
#include "host/shell/resources.h"
#include "host/shell/tag_colouring.h"

namespace quenby::shell {

namespace tx = tarnedit;

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QIcon Picture(const char* name) {
    if (!*name) return {};
    return QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromUtf8(name)));
}

}  // namespace

EditForm::EditForm(AppSettings& settings, PreviewPort* preview, DialogPort* dialogs, QWidget* parent)
    : QMainWindow(parent), settings_(settings), preview_(preview), dialogs_(dialogs) {
    RegisterShellResources();
    resize(760, 560);
    normal_ = geometry();
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 0, 0);
    layout->setSpacing(0);
    // A decoration above the editor, as the design has it; its tab does
    // nothing.
    tabs_ = new QTabBar(body);
    tabs_->addTab(QStringLiteral("HTML"));
    tabs_->setDrawBase(true);
    tabs_->setExpanding(false);
    layout->addWidget(tabs_);
    control_ = ControlHost::Create(body, std::string(), &controlError_);
    if (control_) {
        control_->Window()->setObjectName(QStringLiteral("TarnEditX1"));
        control_->Window()->installEventFilter(this);
        layout->addWidget(control_->Window(), 1);
        ConnectControl();
    } else {
        layout->addStretch(1);
    }
    setCentralWidget(body);
    BuildMenus();
    BuildToolbars();
    BuildStatusBar();
    BuildFindingsPane();
    SetCaption(currentFileName_);
    SetUndoRedoEnabled(false, false);
    autoRefreshTimer_.setInterval(60000);
    connect(&autoRefreshTimer_, &QTimer::timeout, this, &EditForm::RefreshTempFile);
    // However the preview window closes, its View entry follows.
    if (preview_) preview_->SetClosedHook([this] { Action(Menu::View, 5)->setChecked(false); });
}

EditForm::~EditForm() {
    if (preview_) preview_->SetClosedHook(nullptr);
    if (finder_) delete finder_.data();
    // The control's window goes back to the control before the body that
    // holds it is destroyed.
    control_.reset();
}

// ---- Building the window ------------------------------------------------------

void EditForm::BuildMenus() {
    for (const TopMenu& top : TopMenus()) menus_[top.menu] = menuBar()->addMenu(Text(top.caption));
    for (const MenuItem& item : MenuItems()) {
        QMenu* menu = item.menu == Menu::ViewToolbar ? menus_[Menu::ViewToolbar] : menus_[item.menu];
        if (!menu) continue;
        QAction* action = nullptr;
        if (item.menu == Menu::View && item.index == 1) {
            // The toolbar submenu.
            QMenu* sub = menu->addMenu(Text(item.caption));
            menus_[Menu::ViewToolbar] = sub;
            action = sub->menuAction();
        } else if (item.separator) {
            action = menu->addSeparator();
        } else {
            action = menu->addAction(Picture(item.icon), Text(item.caption));
            if (*item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            action->setCheckable(item.checkable);
            action->setChecked(item.checkable);  // the checkable items start checked
            action->setVisible(!item.hidden);
            const Menu m = item.menu;
            const int index = item.index;
            connect(action, &QAction::triggered, this, [this, m, index, action] {
                // The commands toggle their own checks (also when run by
                // index): Qt's toggle on the click is taken back first.
                if (action->isCheckable()) action->setChecked(!action->isChecked());
                RunMenu(m, index);
            });
        }
        action->setProperty("quenbyId", item.index);
        actions_[{item.menu, item.index}] = action;
    }
    // Commands whose dialogs do not exist yet stay disabled.
    static const std::pair<Command, Dialog> kNeeds[] = {
        {Command::SaveTemplate, Dialog::TemplateProperty}, {Command::FontTag, Dialog::FontTag},
        {Command::LinkTag, Dialog::LinkTag},               {Command::ImageTag, Dialog::ImageTag},
        {Command::Pictograph, Dialog::Pictograph},         {Command::MarqueeTag, Dialog::MarqueeTag},
        {Command::Options, Dialog::Options},               {Command::About, Dialog::About},
    };
    for (const MenuItem& item : MenuItems())
        for (const auto& [command, dialog] : kNeeds)
            if (item.command == command) actions_[{item.menu, item.index}]->setEnabled(dialogs_ && dialogs_->Available(dialog));

    popup_ = new QMenu(this);
    for (const PopupItem& p : PopupItems()) {
        if (p.menuIndex == 0) {
            popup_->addSeparator();
            continue;
        }
        QAction* a = popup_->addAction(Text(p.caption));
        const Menu m = p.menu;
        const int index = p.menuIndex;
        connect(a, &QAction::triggered, this, [this, m, index] { RunMenu(m, index); });
        // The context menu follows the enabled state of the items it runs.
        QAction* source = Action(m, index);
        connect(source, &QAction::enabledChanged, a, &QAction::setEnabled);
        a->setEnabled(source->isEnabled());
    }
}

void EditForm::BuildToolbars() {
    auto build = [this](const char* name, std::span<const ToolButton> buttons, std::map<int, QAction*>& out,
                        bool standard) {
        auto* bar = new QToolBar(QString::fromUtf8(name), this);
        bar->setObjectName(QString::fromUtf8(name));
        bar->setIconSize(QSize(24, 24));
        bar->setMovable(false);
        for (const ToolButton& b : buttons) {
            if (b.separator) {
                out[b.index] = bar->addSeparator();
                continue;
            }
            QAction* a = bar->addAction(Picture(b.icon), Text(b.description));
            a->setToolTip(Text(b.tooltip));
            a->setProperty("description", Text(b.description));
            const int index = b.index;
            if (standard) connect(a, &QAction::triggered, this, [this, index] { RunStandardButton(index); });
            else connect(a, &QAction::triggered, this, [this, index] { RunTagButton(index); });
            // A button without a tooltip shows none (not its text).
            if (!*b.tooltip) bar->widgetForAction(a)->installEventFilter(this);
            out[b.index] = a;
        }
        addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };
    standardToolbar_ = build("StandardToolbar", StandardButtons(), standardButtons_, true);
    tagToolbar_ = build("HTMLTagToolbar", TagButtons(), tagButtons_, false);
    tagToolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    standardToolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The print button has no command: it is not shown.
    standardButtons_[12]->setVisible(false);
    // The undo and redo buttons look as their menu items are.
    for (const auto& [button, item] : {std::pair{9, 1}, std::pair{10, 2}}) {
        QAction* b = standardButtons_[button];
        connect(Action(Menu::Edit, item), &QAction::enabledChanged, b, &QAction::setEnabled);
    }
}

void EditForm::BuildStatusBar() {
    auto panel = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 16);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        return label;
    };
    kanaPanel_ = panel(QStringLiteral("カナ"));
    capsPanel_ = panel(QStringLiteral("CAPS"));
    numPanel_ = panel(QStringLiteral("NUM"));
    insPanel_ = panel(QStringLiteral("INS"));
    // The page's weight, filled in by the first check.
    weightPanel_ = new QLabel(this);
    weightPanel_->setObjectName(QStringLiteral("PageWeight"));
    weightPanel_->setFrameShape(QFrame::StyledPanel);
    weightPanel_->setFrameShadow(QFrame::Sunken);
    statusBar()->insertPermanentWidget(0, weightPanel_);
    keyStateTimer_.setInterval(250);
    connect(&keyStateTimer_, &QTimer::timeout, this, &EditForm::UpdateStatusBar);
    keyStateTimer_.start();
    UpdateStatusBar();
}

void EditForm::BuildFindingsPane() {
    handsets_ = ReadHandsetProfiles(HandsetsFile(ProgramFolder()));
    findings_ = new FindingsPane(this);
    addDockWidget(Qt::BottomDockWidgetArea, findings_);
    // A few findings in view; the page keeps most of the window.
    resizeDocks({findings_}, {120}, Qt::Vertical);
    connect(findings_, &FindingsPane::Activated, this, &EditForm::GoToFinding);
    // Its entry sits under the preview window's, the other window that
    // follows each refresh.
    QAction* toggle = findings_->toggleViewAction();
    toggle->setText(Text("検査結果(&K)"));
    toggle->setIcon(Picture("tango/dialog-information"));
    if (QMenu* view = MenuOf(Menu::View)) view->insertAction(Action(Menu::View, 6), toggle);
    // Without profiles there is nothing to check against: say so once and
    // keep the window.
    if (handsets_.empty()) {
        findings_->setWindowTitle(Text("検査結果 - 端末の情報 (handsets.ini) がありません"));
        weightPanel_->hide();
    }
}

const HandsetProfile* EditForm::TargetHandset() const {
    const QString skin = GetINIValue(kSectionPreview, QStringLiteral("Skin"), INIFilePath());
    const QString named = skin.isEmpty() ? QString() : SkinHandset(preview::SkinFilePath(ProgramFolder(), skin));
    return TargetProfile(handsets_, named);
}

void EditForm::CheckPage() {
    const HandsetProfile* target = TargetHandset();
    if (!target || tempFileName_.isEmpty()) return;
    // Images are where the document is; an untitled page has only the
    // temporary folder its preview copy lives in.
    const std::filesystem::path file = ToPath(tempFileName_);
    const std::filesystem::path images =
        currentFileName_ == Untitled() ? file.parent_path() : ToPath(currentFileName_).parent_path();
    const std::optional<checker::PageReport> report = checker::InspectFile(file, *target, images);
    if (!report) return;
    findings_->Show(report->findings, target->version);
    ShowWeight(*weightPanel_, report->weight, target->limitBytes, target->version);
    weightPanel_->show();
}

bool EditForm::SavePageAndCheck() {
    if (!control_ || tempFileName_.isEmpty() || !control_->SaveToFile(tempFileName_)) return false;
    CheckPage();
    return true;
}

void EditForm::GoToFinding(int row, int column) {
    if (!control_ || row < 1) return;
    // Findings count text lines; the caret moves in wrapped lines.
    std::int32_t x = std::max(column, 1) - 1;
    std::int32_t y = row - 1;
    control_->Call(tx::dispid::NtoWcurpos, com::ByRef(x), com::ByRef(y));
    control_->Function<bool>(tx::dispid::CurSet, x, y, std::int32_t(tx::normal));
    control_->Window()->setFocus();
}

void EditForm::TellLostCharacters(const QMimeData* data) {
    const QString note = LostCharactersNote(UnconvertibleCharacters(data));
    if (!note.isEmpty()) statusBar()->showMessage(note, 10000);
}

void EditForm::UpdateStatusBar() {
    // A panel shows its text greyed while its key is off, and is hidden
    // where the platform cannot tell the key's state.
    const KeyStates keys = ReadKeyStates();
    auto show = [](QLabel* label, std::optional<bool> on) {
        label->setVisible(on.has_value());
        if (on) label->setEnabled(*on);
    };
    show(capsPanel_, keys.caps);
    show(numPanel_, keys.num);
    show(kanaPanel_, keys.kana);
    if (control_) insPanel_->setEnabled(control_->Get<bool>(tx::dispid::InsMode));
}

void EditForm::SetUpIconMenu() {
    // The menus get their pictures: the same as the toolbars', found by
    // each item's caption.
    ImageList images(QSize(16, 16));
    for (const MenuItem& item : MenuItems())
        if (*item.icon) images.Add(Text(item.caption), Picture(item.icon));
    iconMenu_ = std::make_unique<menus::IconMenu>();
    iconMenu_->SetTargetWnd(this);
    iconMenu_->SetMenuDefaultImage(images);
    iconMenu_->SetIconMenu();
    iconMenu_->SetIconWidth(22);
    iconMenu_->SetIconHeight(18);
}

void EditForm::ConnectControl() {
    ControlHost* c = control_.get();
    connect(c, &ControlHost::changeModify, this, &EditForm::OnChangeModify);
    connect(c, &ControlHost::changeRedoMode, this, &EditForm::OnChangeRedoMode);
    connect(c, &ControlHost::find, this, &EditForm::OnFind);
    connect(c, &ControlHost::findHit, this, &EditForm::OnFindHit);
    connect(c, &ControlHost::findNoHit, this, &EditForm::OnFindNoHit);
    connect(c, &ControlHost::mouseUp, this, &EditForm::OnMouseUp);
    connect(c, &ControlHost::keyDown, this, [this](short&, int shift) { lastShift_ = shift; });
    connect(c, &ControlHost::keyUp, this, [this](short&, int shift) { lastShift_ = shift; });
    connect(c, &ControlHost::keyPress, this, &EditForm::OnKeyPress);
    connect(c, &ControlHost::changeInsMode, this, [this](bool ins) { insPanel_->setEnabled(ins); });
    connect(c, &ControlHost::userClientDraw, this, &EditForm::OnUserClientDraw);
}

// ---- Loading, painting, layout ------------------------------------------------------

void EditForm::Form_Load() {
    if (loaded_) return;
    loaded_ = true;
    SetUpIconMenu();
    tempFileName_ = FromPath(GetTempDir() / "temporary.html");
    if (settings_.TimeAutoRefresh) autoRefreshTimer_.start();
    CreateStandardFile(QString());
}

void EditForm::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    UpdateStatusBar();
    StandardToolbar_Refresh();
}

void EditForm::StandardToolbar_Refresh() {
    // The first use of the window loads it.
    Form_Load();
    const bool captioned = standardToolbar_->toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
    if (!captioned && settings_.ToolbarCaption) {
        for (const auto& [index, a] : standardButtons_)
            if (!a->isSeparator()) a->setText(QStringLiteral(" ") + a->property("description").toString() + QStringLiteral(" "));
        standardToolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    } else if (captioned && !settings_.ToolbarCaption) {
        for (const auto& [index, a] : standardButtons_)
            if (!a->isSeparator()) a->setText(a->property("description").toString());
        standardToolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    ArrangeBands();
}

void EditForm::Form_Resize() {
    // The layouts place the cool bar, the tab strip and the editor; the
    // status bar follows its menu item.
    statusBar()->setVisible(Action(Menu::View, 2)->isChecked());
    UpdateStatusBar();
}

bool EditForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && qobject_cast<QToolButton*>(watched)) return true;
    // Pastes by the control's own keys and drops onto it: what they lose is
    // told before the control takes them in.
    if (control_ && watched == control_->Window()) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const auto mods = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
            if ((key->key() == Qt::Key_V && mods == Qt::ControlModifier) ||
                (key->key() == Qt::Key_Insert && mods == Qt::ShiftModifier))
                TellLostCharacters(QGuiApplication::clipboard()->mimeData());
        } else if (event->type() == QEvent::Drop) {
            TellLostCharacters(static_cast<QDropEvent*>(event)->mimeData());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Control events -------------------------------------------------------------------

void EditForm::SetCaption(const QString& name) { setWindowTitle(ProgramTitle() + QStringLiteral(" - ") + name); }

void EditForm::SetUndoRedoEnabled(bool undo, bool redo) {
    Action(Menu::Edit, 1)->setEnabled(undo);
    Action(Menu::Edit, 2)->setEnabled(redo);
    standardButtons_[9]->setEnabled(undo);
    standardButtons_[10]->setEnabled(redo);
}

void EditForm::OnChangeModify(bool modified) {
    QAction* undo = Action(Menu::Edit, 1);
    undo->setEnabled(modified);
    // Nothing here takes the marker away: opening, a new document and a
    // successful save rewrite the caption.
    if (!ModifiedMarker() && undo->isEnabled()) setWindowTitle(windowTitle() + QStringLiteral(" *"));
}

void EditForm::OnChangeRedoMode(bool redo) { Action(Menu::Edit, 2)->setEnabled(redo); }

void EditForm::OnFind(const QString& str, const QString& findchr, int, int& x, int&) {
    x = InStrByte(1, str.toStdU16String(), findchr.toStdU16String(), 0);
}

void EditForm::OnFindHit() { control_->Call(tx::dispid::SetFindHitFocus, RGB(200, 0, 0)); }

void EditForm::OnFindNoHit(const QString& findchr) {
    MsgBox(QStringLiteral("\"") + findchr + QStringLiteral("\" が見つかりません。"), MsgButtons::Ok, MsgIcon::Information,
           this);
}

void EditForm::OnMouseUp(int button, int, int x, int y) {
    if (button != tx::mbRight) return;
    popup_->popup(control_->Window()->mapToGlobal(QPoint(x, y)));
}

void EditForm::OnKeyPress(short& key) {
    // Shift+Enter: the control has already broken the line on key down;
    // that break is taken back and a <BR> with a break put in its place.
    if (key != 13 || lastShift_ != tx::kShiftShift) return;
    control_->Call(tx::dispid::Undo);
    control_->TextPaste(QStringLiteral("<BR>\r\n"));
    control_->RefreshLine();
}

void EditForm::OnUserClientDraw(int l1, int l2, int dx1, int dy1, int dx2, int dy2) {
    ApplyTagColouring(*control_, settings_, l1, l2, dx1, dy1, dx2, dy2);
}

// ---- Preview ----------------------------------------------------------------------------

void EditForm::RefreshTempFile() {
    if (!control_ || tempFileName_.isEmpty()) return;
    SavePageAndCheck();
    if (preview_) {
        preview_->Load();
        preview_->Navigate(tempFileName_, QStringLiteral("User-Agent:DoCoMo/2.0"));
    }
}

// ---- Geometry and closing -------------------------------------------------------------------

int EditForm::WindowStateValue() const {
    if (isMinimized()) return 1;
    if (isMaximized()) return 2;
    return 0;
}

void EditForm::RememberNormalGeometry() {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    normal_ = geometry();
}

void EditForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RememberNormalGeometry();
    ArrangeBands();
}

void EditForm::ArrangeBands() {
    // The two bands share a row while both fit beside each other, and the
    // tag band moves to a row of its own when they do not (as a cool bar
    // wraps its bands).
    if (!standardToolbar_ || !tagToolbar_) return;
    const int needed = (standardToolbar_->isVisible() ? standardToolbar_->sizeHint().width() : 0) +
                       tagToolbar_->sizeHint().width() + 8;
    const bool broken = toolBarBreak(tagToolbar_);
    if (needed > width() && !broken) insertToolBarBreak(tagToolbar_);
    else if (needed <= width() && broken) removeToolBarBreak(tagToolbar_);
}

void EditForm::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    RememberNormalGeometry();
}

void EditForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) RememberNormalGeometry();
}

void EditForm::WriteGeometry() {
    const std::filesystem::path ini = INIFilePath();
    const bool normal = WindowStateValue() == 0;
    const QRect g = normal ? geometry() : normal_;
    SetINIValue(kSectionQuenby, QStringLiteral("Top"), QString::number(g.top() * kTwipsPerPixel), ini);
    SetINIValue(kSectionQuenby, QStringLiteral("Left"), QString::number(g.left() * kTwipsPerPixel), ini);
    SetINIValue(kSectionQuenby, QStringLiteral("Width"), QString::number(NormalWidth()), ini);
    SetINIValue(kSectionQuenby, QStringLiteral("Height"), QString::number(NormalHeight()), ini);
    SetINIValue(kSectionQuenby, QStringLiteral("State"), QString::number(WindowStateValue()), ini);
}

bool EditForm::ConfirmDiscard() {
    if (!ModifiedMarker()) return true;
    Beep();
    const QString question = QStringLiteral("ファイル ") + currentFileName_ + QStringLiteral(" の内容は変更されています。") +
                             QStringLiteral("\r\n\r\n") + QStringLiteral("変更を保存しますか?");
    switch (MsgBox(question, MsgButtons::YesNoCancel, MsgIcon::Warning, this)) {
        case MsgResult::Yes:
            // Only a save that happened lets the document go.
            return FileSave();
        case MsgResult::No: return true;
        default: return false;
    }
}

void EditForm::closeEvent(QCloseEvent* event) {
    // The geometry is written before the question, also when the user then
    // keeps the window open.
    WriteGeometry();
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    CleanUp();
    event->accept();
}

void EditForm::CleanUp() {
    autoRefreshTimer_.stop();
    keyStateTimer_.stop();
    if (!tempFileName_.isEmpty() && QFile::exists(tempFileName_)) {
        QFile::setPermissions(tempFileName_, QFile::permissions(tempFileName_) | QFileDevice::WriteOwner);
        QFile::remove(tempFileName_);
    }
    if (iconMenu_) iconMenu_->UnSetIconMenu();
}

}  // namespace quenby::shell

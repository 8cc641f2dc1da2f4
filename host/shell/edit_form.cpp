#include "host/shell/edit_form.h"

#include <QCloseEvent>
#include <QFile>
#include <QVBoxLayout>

#include "host/common/ini_access.h"
#include "host/common/message_box.h"
#include "host/common/program_folder.h"
#include "host/shell/file_access.h"

namespace quenby::shell {

namespace tx = tarnedit;

EditForm::EditForm(AppSettings& settings, PreviewPort* preview, QWidget* parent)
    : QMainWindow(parent), settings_(settings), preview_(preview) {
    resize(720, 540);
    normal_ = geometry();
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    control_ = ControlHost::Create(body, std::string(), &controlError_);
    if (control_) {
        control_->Window()->setObjectName(QStringLiteral("TarnEditX1"));
        layout->addWidget(control_->Window());
        connect(control_.get(), &ControlHost::changeModify, this, &EditForm::OnChangeModify);
    }
    setCentralWidget(body);
    SetCaption(currentFileName_);
    autoRefreshTimer_.setInterval(60000);
    connect(&autoRefreshTimer_, &QTimer::timeout, this, &EditForm::RefreshTempFile);
}

EditForm::~EditForm() {
    // The control's window goes back to the control before the body that
    // holds it is destroyed.
    control_.reset();
}

void EditForm::Form_Load() {
    if (loaded_) return;
    loaded_ = true;
    tempFileName_ = FromPath(GetTempDir() / "temporary.html");
    if (settings_.TimeAutoRefresh) autoRefreshTimer_.start();
    CreateStandardFile(QString());
}

void EditForm::StandardToolbar_Refresh() {
    // The first use of the window loads it; the toolbars come with the
    // window's menus.
    Form_Load();
}

void EditForm::SetCaption(const QString& name) { setWindowTitle(ProgramTitle() + QStringLiteral(" - ") + name); }

void EditForm::OnChangeModify(bool modified) {
    // Nothing here takes the marker away: opening, a new document and a
    // successful save rewrite the caption.
    if (modified && !ModifiedMarker()) setWindowTitle(windowTitle() + QStringLiteral(" *"));
}

void EditForm::RefreshTempFile() {
    if (!control_ || tempFileName_.isEmpty()) return;
    control_->SaveToFile(tempFileName_);
    if (preview_) {
        preview_->Load();
        preview_->Navigate(tempFileName_, QStringLiteral("User-Agent:DoCoMo/2.0"));
    }
}

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
    if (!tempFileName_.isEmpty() && QFile::exists(tempFileName_)) {
        QFile::setPermissions(tempFileName_, QFile::permissions(tempFileName_) | QFileDevice::WriteOwner);
        QFile::remove(tempFileName_);
    }
}

}  // namespace quenby::shell

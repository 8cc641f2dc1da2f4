#include "host/shell/program_windows.h"

#include "host/common/program_folder.h"
#include "host/preview/mobile_browser.h"
#include "host/shell/file_access.h"

#include <QTimer>

namespace quenby::shell {

ProgramWindows::ProgramWindows() = default;

ProgramWindows::~ProgramWindows() {
    // A window without an owner is still ours at the program's end.
    if (browser_) delete browser_.data();
}

void ProgramWindows::LoadSplash(std::function<void()> tick) {
    // The heavy start-up runs from the splash's first tick, once the event
    // loop runs, so that the splash (when shown) is painted first.
    QTimer::singleShot(100, std::move(tick));
}

void ProgramWindows::Show(Dialog d, EditForm& owner) {
    if (d == Dialog::TemplateSelect) owner.CreateStandardFile(QString());
}

void ProgramWindows::Load() {
    if (browser_) return;
    browser_ = new preview::MobileBrowser({ProgramFolder(), GetTempDir(), INIFilePath()});
    browser_->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(browser_, &preview::MobileBrowser::Closed, browser_, [this] {
        if (closedHook_) closedHook_();
    });
}

void ProgramWindows::Navigate(const QString& file, const QString& headers) {
    if (browser_) browser_->Navigate2(file, headers);
}

void ProgramWindows::Show() {
    if (browser_) browser_->show();
}

void ProgramWindows::ShowPreview(QWidget* owner) {
    Load();
    // Owned by the editor window: it stays above it and goes with it.
    if (owner && browser_->parentWidget() != owner) browser_->setParent(owner, Qt::Window);
    browser_->show();
}

void ProgramWindows::Unload() {
    if (browser_) browser_->close();
}

}  // namespace quenby::shell

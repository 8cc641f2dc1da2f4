#include "host/shell/program_windows.h"

#include "host/common/program_folder.h"
#include "host/authoring/font_dialog.h"
#include "host/authoring/image_dialog.h"
#include "host/authoring/link_dialog.h"
#include "host/authoring/marquee_dialog.h"
#include "host/authoring/pictograph_palette.h"
#include "host/authoring/template_save_as.h"
#include "host/authoring/template_select_form.h"
#include "host/preview/mobile_browser.h"
#include "host/shell/about_form.h"
#include "host/shell/file_access.h"
#include "host/shell/options/option_form.h"

#include <QProgressBar>
#include <QTimer>

#include <algorithm>

#include <functional>
#include <map>

namespace quenby::shell {

ProgramWindows::ProgramWindows() = default;

ProgramWindows::~ProgramWindows() {
    // A window without an owner is still ours at the program's end.
    if (browser_) delete browser_.data();
    if (splash_) delete splash_.data();
}

void ProgramWindows::LoadSplash(std::function<void()> tick) {
    // The heavy start-up runs from the splash's first tick, once the event
    // loop runs, so that the splash (when shown) is painted first.
    if (!splash_) splash_ = new SplashForm(std::move(tick));
}

void ProgramWindows::ShowSplash() {
    if (splash_) splash_->ShowCentred();
}

bool ProgramWindows::SplashShown() const { return splash_ && splash_->Shown(); }

void ProgramWindows::SetSplashProgressMax(int max) {
    if (splash_) splash_->ProgressBar1()->setRange(0, std::max(0, max));
}

void ProgramWindows::SetSplashProgress(int value) {
    if (splash_) splash_->ProgressBar1()->setValue(std::clamp(value, 0, splash_->ProgressBar1()->maximum()));
}

void ProgramWindows::UnloadSplash() {
    if (!splash_) return;
    splash_->Timer1()->stop();
    splash_->hide();
    // Called from inside the splash's own tick: it goes once that returns.
    splash_->deleteLater();
    splash_ = nullptr;
}

namespace {

std::filesystem::path TemplateFolder() { return ProgramFolder() / "template"; }

// The standard page carries the built-in template's four fields.
authoring::TemplateFields BuiltIn() { return authoring::SplitTemplate(StandardHTMLText(), QString()); }

// The dialogs the editor window opens, each owned by it. The options reach
// the preview too: reloadSkin lays its skin out again.
using DialogEntry = std::function<void(EditForm&, const std::function<void()>& reloadSkin)>;

const std::map<Dialog, DialogEntry>& DialogTable() {
    static const std::map<Dialog, DialogEntry> table = {
        {Dialog::TemplateSelect,
         [](EditForm& e, auto&) { authoring::ShowTemplateSelect(e, TemplateFolder(), BuiltIn(), QString()); }},
        {Dialog::TemplateProperty, [](EditForm& e, auto&) { authoring::TemplateSaveAs(e, ProgramFolder()); }},
        {Dialog::LinkTag, [](EditForm& e, auto&) { authoring::ShowLinkDialog(e); }},
        {Dialog::ImageTag, [](EditForm& e, auto&) { authoring::ShowImageDialog(e); }},
        {Dialog::FontTag, [](EditForm& e, auto&) { authoring::ShowFontDialog(e); }},
        {Dialog::MarqueeTag, [](EditForm& e, auto&) { authoring::ShowMarqueeDialog(e); }},
        {Dialog::Pictograph, [](EditForm& e, auto&) { authoring::ShowPictographPalette(e); }},
        {Dialog::Options, [](EditForm& e, auto& reloadSkin) { ShowOptions(e.Settings(), e, reloadSkin); }},
        {Dialog::About, [](EditForm& e, auto&) { ShowAbout(&e); }},
    };
    return table;
}

// Where a dialog stood the window is painted afresh, its control (a window
// of its own) too: without a compositing window manager the exposure alone
// has been seen to leave parts of the dialog on screen.
void RepaintAfterDialog(EditForm& owner) {
    owner.update();
    if (owner.HasControl() && owner.Control()->Window()) owner.Control()->Window()->update();
}

}  // namespace

bool ProgramWindows::Available(Dialog d) const { return DialogTable().count(d) != 0; }

void ProgramWindows::Show(Dialog d, EditForm& owner) {
    const auto it = DialogTable().find(d);
    if (it != DialogTable().end() && owner.HasControl())
        it->second(owner, [this] {
            if (browser_) browser_->LoadSkin();
        });
    RepaintAfterDialog(owner);
}

void ProgramWindows::ShowTemplateDialog(EditForm& owner, const QString& welcomePicture) {
    if (owner.HasControl()) authoring::ShowTemplateSelect(owner, TemplateFolder(), BuiltIn(), welcomePicture);
    RepaintAfterDialog(owner);
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

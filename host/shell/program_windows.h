// The program's own answer to what the start-up asks of its windows: the
// preview window, the template dialog and the dialogs the editor opens.
#pragma once

#include "host/preview/mobile_browser.h"
#include "host/shell/splash_form.h"
#include "host/shell/startup.h"

#include <QPointer>

namespace quenby::shell {

class ProgramWindows final : public StartupWindows, private PreviewPort, private DialogPort {
public:
    ProgramWindows();
    ~ProgramWindows() override;

    void LoadSplash(std::function<void()> tick) override;
    void ShowSplash() override;
    bool SplashShown() const override;
    void SetSplashProgressMax(int max) override;
    void SetSplashProgress(int value) override;
    void UnloadSplash() override;
    PreviewPort& Preview() override { return *this; }
    void ShowPreview(QWidget* owner) override;
    void ShowTemplateDialog(EditForm& owner, const QString& welcomePicture) override;
    DialogPort* Dialogs() override { return this; }

    // The loaded preview window, or null.
    preview::MobileBrowser* PreviewWindow() const { return browser_; }
    // The loaded splash window, or null.
    SplashForm* Splash() const { return splash_; }

private:
    void Load() override;
    void Navigate(const QString& file, const QString& headers) override;
    void Show() override;
    void Unload() override;
    void SetClosedHook(std::function<void()> hook) override { closedHook_ = std::move(hook); }

    // A dialog missing from the table keeps its command greyed.
    bool Available(Dialog d) const override;
    void Show(Dialog d, EditForm& owner) override;

    QPointer<preview::MobileBrowser> browser_;
    QPointer<SplashForm> splash_;
    std::function<void()> closedHook_;
};

}  // namespace quenby::shell

// The program's own answer to what the start-up asks of its windows. The
// splash, preview and template windows come later; until then their steps
// keep their timing (the splash's one-shot timer still runs the start-up)
// and do nothing else.
#pragma once

#include "host/shell/startup.h"

namespace quenby::shell {

class ProgramWindows final : public StartupWindows, private PreviewPort, private DialogPort {
public:
    void LoadSplash(std::function<void()> tick) override;
    void ShowSplash() override {}
    bool SplashShown() const override { return false; }
    void SetSplashProgressMax(int) override {}
    void SetSplashProgress(int) override {}
    void UnloadSplash() override {}
    PreviewPort& Preview() override { return *this; }
    void ShowPreview(QWidget*) override {}
    void ShowTemplateDialog(EditForm&, const QString&) override {}
    DialogPort* Dialogs() override { return this; }

private:
    void Load() override {}
    void Navigate(const QString&, const QString&) override {}
    // Until the template dialog exists, a new document is the built-in page.
    bool Available(Dialog d) const override { return d == Dialog::TemplateSelect; }
    void Show(Dialog d, EditForm& owner) override;
};

}  // namespace quenby::shell

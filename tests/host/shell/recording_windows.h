// The start-up's other windows, recorded: what was asked, in order.
#pragma once

#include <string>
#include <vector>

#include "host/shell/startup.h"

namespace quenby::test {

class RecordingWindows final : public shell::StartupWindows, public shell::PreviewPort {
public:
    std::vector<std::string> calls;
    std::vector<QString> navigations;
    std::function<void()> tick;
    bool splashShown = false;
    QString welcomePicture;

    void LoadSplash(std::function<void()> t) override {
        calls.push_back("LoadSplash");
        tick = std::move(t);
    }
    void ShowSplash() override {
        calls.push_back("ShowSplash");
        splashShown = true;
    }
    bool SplashShown() const override { return splashShown; }
    void SetSplashProgressMax(int) override { calls.push_back("SplashProgressMax"); }
    void SetSplashProgress(int) override { calls.push_back("SplashProgress"); }
    void UnloadSplash() override {
        calls.push_back("UnloadSplash");
        splashShown = false;
    }
    PreviewPort& Preview() override { return *this; }
    void ShowPreview(QWidget* owner) override { calls.push_back(owner ? "ShowPreview(owned)" : "ShowPreview"); }
    void ShowTemplateDialog(shell::EditForm&, const QString& picture) override {
        calls.push_back("ShowTemplateDialog");
        welcomePicture = picture;
    }
    void Load() override { calls.push_back("Preview.Load"); }
    void Navigate(const QString& file, const QString& headers) override {
        calls.push_back("Preview.Navigate " + headers.toStdString());
        navigations.push_back(file);
    }
};

}  // namespace quenby::test

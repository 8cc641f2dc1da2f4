// From the program's start to a usable editor window: Main shows the
// splash window, whose first timer tick runs InitApplication (font cache,
// colouring lists, settings read and applied, windows loaded and shown,
// the first document).
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "host/shell/app_settings.h"
#include "host/shell/edit_form.h"
#include "host/shell/font_cache.h"

namespace quenby::shell {

// The windows the start-up drives besides the editor window.
class StartupWindows {
public:
    virtual ~StartupWindows() = default;
    // Loading the splash window starts its 100 ms one-shot timer; its first
    // tick calls tick.
    virtual void LoadSplash(std::function<void()> tick) = 0;
    virtual void ShowSplash() = 0;
    // False when the splash is not on screen (never shown, or closed by a
    // key); progress then goes nowhere.
    virtual bool SplashShown() const = 0;
    virtual void SetSplashProgressMax(int max) = 0;
    virtual void SetSplashProgress(int value) = 0;
    virtual void UnloadSplash() = 0;
    // The preview window.
    virtual PreviewPort& Preview() = 0;
    virtual void ShowPreview(QWidget* owner) = 0;
    // The template dialog of a first start without a document, modal,
    // showing the welcome picture.
    virtual void ShowTemplateDialog(EditForm& owner, const QString& welcomePicture) = 0;
    // The dialogs the editor window opens (null: none yet).
    virtual DialogPort* Dialogs() { return nullptr; }
};

class Startup {
public:
    // commandText: the whole command line after the program's name.
    Startup(AppSettings& settings, StartupWindows& windows, QString commandText);
    ~Startup();

    void Main();
    // Runs once; later calls do nothing.
    void InitApplication();
    bool Initialised() const { return initialised_; }

    // The editor window, created on first use.
    EditForm& Editor();
    bool HasEditor() const { return editor_ != nullptr; }

    // Tests replace the platform's font list.
    std::function<QStringList()> screenFonts;
    // Called once the start-up is over and the editor window usable.
    std::function<void()> onReady;
    // Whether the last start rebuilt the font cache.
    bool FontCacheRebuilt() const { return fontCacheRebuilt_; }

private:
    void LoadTagLists();
    void ApplyStoredSettings();
    void ApplyGeometry();

    AppSettings& settings_;
    StartupWindows& windows_;
    QString commandText_;
    std::unique_ptr<EditForm> editor_;
    bool initialised_ = false;
    bool fontCacheRebuilt_ = false;
    Qt::WindowStates storedState_ = Qt::WindowNoState;
};

}  // namespace quenby::shell

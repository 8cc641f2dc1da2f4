// The editor window: the document in a TarnEditX control, its file
// commands, the caption with the document's name and modified marker, the
// preview refresh and the closing question.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "host/common/control_host.h"
#include "host/common/file_dialogs.h"
#include "host/shell/app_settings.h"

namespace quenby::shell {

// What the editor window asks of the preview window.
class PreviewPort {
public:
    virtual ~PreviewPort() = default;
    // Loads the preview window (nothing when it is loaded already).
    virtual void Load() = 0;
    // Shows file in the preview, with extra request headers.
    virtual void Navigate(const QString& file, const QString& headers) = 0;
};

class EditForm final : public QMainWindow {
    Q_OBJECT

public:
    // settings lives as long as the window; preview may be null.
    EditForm(AppSettings& settings, PreviewPort* preview, QWidget* parent = nullptr);
    ~EditForm() override;

    // False when the control could not be created (the window then holds
    // nothing to edit); the reason is in ControlError().
    bool HasControl() const { return control_ != nullptr; }
    QString ControlError() const { return controlError_; }
    ControlHost* Control() const { return control_.get(); }

    // The first use of the window creates and loads it.
    void Form_Load();
    bool Loaded() const { return loaded_; }

    // ---- Documents ----------------------------------------------------------
    static QString Untitled() { return QStringLiteral("(無題)"); }
    QString CurrentFileName() const { return currentFileName_; }
    QString TempFileName() const { return tempFileName_; }
    // Each returns true when the document was replaced or written.
    bool CreateStandardFile(const QString& path);
    bool FileOpen(const QString& path);
    bool FileOpenAs();
    bool FileSave();
    bool FileSaveAs();
    CommonDialog CommonDialog1;
    CommonDialog CommonDialog2;

    // The caption ends with " *" while the document counts as modified.
    bool ModifiedMarker() const { return windowTitle().endsWith(QLatin1Char('*')); }
    // Asks whether to save a modified document before it is replaced or the
    // window closes: true to go on (saved, or not wanted), false to keep
    // everything as it is.
    bool ConfirmDiscard();

    // ---- Preview --------------------------------------------------------------
    void RefreshTempFile();
    QTimer& AutoRefreshTimer() { return autoRefreshTimer_; }

    // ---- The toolbar captions follow the settings ------------------------------
    void StandardToolbar_Refresh();

    // Geometry in normal state, in twips, as the settings file keeps it.
    int NormalTop() const { return normal_.top() * kTwipsPerPixel; }
    int NormalLeft() const { return normal_.left() * kTwipsPerPixel; }
    int NormalWidth() const { return normal_.width() * kTwipsPerPixel; }
    int NormalHeight() const { return normal_.height() * kTwipsPerPixel; }
    // The window state as the settings file keeps it: 0 normal, 1
    // minimised, 2 maximised.
    int WindowStateValue() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetCaption(const QString& name);
    void OnChangeModify(bool modified);
    bool SaveTo(const QString& path);
    void RememberNormalGeometry();
    void WriteGeometry();
    void CleanUp();

    AppSettings& settings_;
    PreviewPort* preview_;
    std::unique_ptr<ControlHost> control_;
    QString controlError_;
    QString currentFileName_ = Untitled();
    QString tempFileName_;
    QTimer autoRefreshTimer_;
    QRect normal_;
    bool loaded_ = false;
    bool closing_ = false;
};

}  // namespace quenby::shell

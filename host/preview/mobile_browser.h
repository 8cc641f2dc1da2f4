// The preview window: the page being edited, or any web page, as a handset
// shows it, inside a picture of the phone. Its browser never opens a page
// itself: every navigation is caught, the page fetched or read, converted
// into the preview file, and that file shown.
#pragma once

#include "host/preview/skin_layout.h"

#include <QImage>
#include <QMainWindow>
#include <QFrame>
#include <QPixmap>

#include <array>
#include <filesystem>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWebEnginePage;
class QWebEngineView;

namespace quenby::preview {

class PreviewPage;

struct PreviewFolders {
    std::filesystem::path program;   // skins, pictographs
    std::filesystem::path temporary; // temp1.htm, temp2.htm
    std::filesystem::path settings;  // the settings file (section "vUzezozi")
};

class MobileBrowser : public QMainWindow {
    Q_OBJECT
public:
    explicit MobileBrowser(PreviewFolders folders, QWidget* parent = nullptr);
    ~MobileBrowser() override;

    // Lays out the skin named by the "Skin" setting, or the one given.
    void LoadSkin();
    void LoadSkinFile(const std::filesystem::path& skinFile);
    // Converts sourceFile (from pageUrl, empty for a local file) into the
    // preview file and shows it.
    void TempFileNavigate(const QString& sourceFile, const QString& pageUrl);
    // Opens an address or file in the browser, with extra request headers
    // ("Name:value" lines); the navigation is caught like any other.
    void Navigate2(const QString& url, const QString& headers = QString());
    void Stop();

    QString Temp1Path() const;
    QString Temp2Path() const;
    const SkinLayout& Layout() const { return layout_; }
    // The handset profile the skin names ("" for none) and the agent pages
    // are asked for with.
    QString Handset() const { return handset_; }
    QString Agent() const { return agent_; }
    QWebEngineView* SeenBrowser() const { return seen_; }
    // The browser with its 2-pixel border, placed by the skin.
    QWidget* BrowserControl() const { return control_; }
    QWebEnginePage* HiddenBrowser() const { return hidden_; }
    QWidget* BrowseArea() const { return area_; }
    QLineEdit* AddressBar() const { return address_; }
    QString StatusText() const;
    // The width of the vertical scroll bar the browser engine draws.
    static int EngineScrollBarWidth();
    // The normal-state geometry remembered for the settings, in pixels.
    QRect NormalGeometry() const { return normal_; }

Q_SIGNALS:
    // The preview file has been shown (ok false: it failed to load).
    void PageShown(bool ok);
    // The window has been closed (and unloaded) by any way of closing it.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool CatchNavigation(const QUrl& url, bool mainFrame);
    void NavigateWeb(QString url);
    void FormUnload();
    void FormResize();
    void RememberNormalGeometry();
    void ReadGeometry();
    void WriteGeometry();

    PreviewFolders folders_;
    SkinLayout layout_;
    QPixmap background_;
    QWidget* bar_ = nullptr;    // CoolBar1
    QWidget* frame_ = nullptr;  // BrowseFrame
    QWidget* area_ = nullptr;   // BrowseArea
    QFrame* control_ = nullptr;
    QWebEngineView* seen_ = nullptr;
    PreviewPage* seenPage_ = nullptr;
    QWebEnginePage* hidden_ = nullptr;
    std::array<QLabel*, 4> masks_{};
    QLineEdit* address_ = nullptr;
    QPushButton* go_ = nullptr;
    QLabel* status_ = nullptr;
    QRect normal_;
    QString agent_;    // the user agent pages are asked for with
    QString handset_;  // the profile the skin names, "" for none
    bool unloaded_ = false;
    bool sizeStored_ = false;
};

}  // namespace quenby::preview

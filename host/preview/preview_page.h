// The preview's browser page: every navigation is offered to the window
// first (it fetches or reads the page and converts it), scripts and
// plugins never run, and nothing the page does opens a dialog.
#pragma once

#include <QWebEnginePage>

#include <functional>

class QWebEngineProfile;

namespace quenby::preview {

class PreviewPage : public QWebEnginePage {
public:
    // Answers whether the browser may go on; a page the window converts is
    // refused here and shown from its converted file instead.
    using NavigationHook = std::function<bool(const QUrl& url, bool mainFrame)>;

    PreviewPage(QWebEngineProfile* profile, QObject* parent);
    void SetNavigationHook(NavigationHook hook) { hook_ = std::move(hook); }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // Silent: no script messages, dialogs or certificate questions.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override {}
    void javaScriptAlert(const QUrl&, const QString&) override {}
    bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }

private:
    NavigationHook hook_;
};

// The profile every preview page shares: in memory only, the handset's
// agent on every request (images and style sheets too).
QWebEngineProfile* PreviewProfile();

// The page settings of a handset of this generation: no scripts, no
// plugins; a page shown from a local file reaches the web only for its
// images and style sheets (the profile filters the rest).
void ApplyHandsetSettings(QWebEnginePage& page);

}  // namespace quenby::preview

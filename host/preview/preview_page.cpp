#include "host/preview/preview_page.h"

#include "host/preview/navigation_rules.h"

#include <QCoreApplication>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

namespace quenby::preview {

PreviewPage::PreviewPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
    ApplyHandsetSettings(*this);
}

bool PreviewPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (hook_ && !hook_(url, isMainFrame)) return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

namespace {

// What a page shown from a local file may fetch from the web: the pictures
// and style sheets it shows, as a handset would. Scripts, frames, objects,
// media and every request a script could make stay local.
class HandsetRequestFilter : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QString scheme = info.requestUrl().scheme();
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return;
        if (!info.firstPartyUrl().isLocalFile()) return;
        switch (info.resourceType()) {
        case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
        case QWebEngineUrlRequestInfo::ResourceTypeImage:
        case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
        case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
            return;
        default:
            info.block(true);
        }
    }
};

}  // namespace

QWebEngineProfile* PreviewProfile() {
    // Owned by the application object: a profile must outlive its pages,
    // and the application's end is after every window's.
    static QWebEngineProfile* profile = [] {
        auto* p = new QWebEngineProfile(qApp);
        p->setHttpUserAgent(kHandsetAgent);
        p->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        p->setUrlRequestInterceptor(new HandsetRequestFilter(p));
        return p;
    }();
    return profile;
}

void ApplyHandsetSettings(QWebEnginePage& page) {
    QWebEngineSettings* s = page.settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    // The engine's switch for remote access from local pages also stops
    // their images and style sheets, which a previewed web page needs; the
    // profile's request filter keeps every other kind of remote access off.
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
}

}  // namespace quenby::preview

#include "host/preview/navigation_rules.h"

#include <QUrl>

namespace quenby::preview {

Navigation ClassifyNavigation(const QString& url, const QString& previewFile) {
    const bool res = url.contains(QLatin1String("res://"));
    const bool web = (url.contains(QLatin1String("http://")) || url.contains(QLatin1String("https://"))) && !res &&
                     !url.isEmpty() && url != QLatin1String("http:///");
    if (web) return {NavigationKind::Web, {}};
    if (res || !(url.contains(QLatin1String(":\\")) || url.contains(QLatin1String("file://"))))
        return {NavigationKind::Browser, {}};
    // A file address names its path percent-encoded and, here, with the
    // root's slash after "file://"; a drive path stands as it is.
    QString path = url;
    if (url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl parsed(url);
        path = parsed.isLocalFile() ? parsed.toLocalFile() : QString();
        if (path.isEmpty()) {
            path = url;
            path.replace(QLatin1String("file:///"), QLatin1String("/"));
            path.replace(QLatin1String("file://"), QString());
        }
    }
    if (path.compare(previewFile, Qt::CaseInsensitive) == 0) return {NavigationKind::Preview, {}};
    return {NavigationKind::Local, path};
}

bool ConvertsFetchedPage(const QString& url, const QString& tempFolder) {
    return tempFolder.isEmpty() || !url.contains(tempFolder);
}

bool Is3gpAddress(const QString& url) {
    const qsizetype dot = url.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && url.mid(dot + 1).toLower() == QLatin1String("3gp");
}

}  // namespace quenby::preview

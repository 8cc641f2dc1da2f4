// What the preview does with an address its browser is about to open: every
// page is fetched or read and converted first; only the converted file
// itself is let through, so showing it cannot start another conversion.
#pragma once

#include <QString>

namespace quenby::preview {

// The agent of the emulated handset, sent with every fetch and request.
inline const QString kHandsetAgent = QStringLiteral("DoCoMo/2.0 ISIM0505(c100;TB;W30;H20)");

enum class NavigationKind {
    Web,       // fetch with the handset's agent, then convert
    Local,     // a file to convert
    Preview,   // the converted file itself: let through
    Browser,   // anything else: left to the browser
};

struct Navigation {
    NavigationKind kind = NavigationKind::Browser;
    QString path;  // Local: the file's path
};

// url: the address as the browser reports it; previewFile: the path of
// the converted file.
Navigation ClassifyNavigation(const QString& url, const QString& previewFile);

// A web page whose address holds the temporary folder's path is not
// converted (the design's guard against converting its own files twice).
bool ConvertsFetchedPage(const QString& url, const QString& tempFolder);

// True for an address whose extension (the text after its last ".") is
// "3gp" in any case: the hidden page's one rule.
bool Is3gpAddress(const QString& url);

}  // namespace quenby::preview

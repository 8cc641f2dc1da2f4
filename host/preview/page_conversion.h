// The preview file: a page's links made absolute against the address it
// came from, the skin's style sheet in front, the markup rewritten, or the
// error page when there is nothing to show.
#pragma once

#include <QString>

#include <optional>

namespace quenby::preview {

// The link rules, in their order, on the page's text; pageUrl is empty for
// a local file.
QString RewriteLinks(const QString& text, const QString& pageUrl);

// The preview file's first line (without its line break).
QString StyleSheetLine(const QString& sheetPath);

// The page shown when nothing else can be: its lines joined by CR LF.
QString ErrorPage(const QString& pageUrl);

struct PreviewFile {
    QString text;
    bool converted = false;  // false: the error page
};

// source: the page's text, nullopt when it could not be read.
PreviewFile BuildPreviewFile(const std::optional<QString>& source, const QString& pageUrl, const QString& sheetPath,
                             const QString& programFolder);

}  // namespace quenby::preview

// Template files: a page to start a new document from, with a name, an
// author and a description. No window here, so the format and the folder
// listing can be checked on their own.
#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>
#include <vector>

namespace quenby::authoring {

struct TemplateFields {
    QString page;  // the text a new document starts with
    QString name;
    QString author;
    QString description;
};

// One entry of the selection list: key "Simple" is the built-in page, any
// other key is a file name inside the template folder.
struct TemplateItem {
    QString key;
    QString text;
};

inline const QString kBuiltInKey = QStringLiteral("Simple");


// The fields of a template's text. Text without any NUL is a bare page:
// its name is the file name without its last four characters (".htp").
TemplateFields SplitTemplate(const QString& text, const QString& fileName);

// A template file's bytes (Shift_JIS; '?' for what it cannot hold). The CR LF
// after the description is written as a line end and reads back as part of
// the description.
QByteArray TemplateFileBytes(const QString& page, const QString& name, const QString& author,
                             const QString& description);

// The fields of one file of the folder ("" or an unreadable file gives an
// empty page named after the file).
TemplateFields ReadTemplate(const std::filesystem::path& file);

// The built-in item, then the folder's "*.htp" files by name; a missing
// folder lists only the built-in item.
std::vector<TemplateItem> ListTemplates(const std::filesystem::path& folder);

// Paths and QStrings meet here so that file names outside ASCII survive.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& path);

}  // namespace quenby::authoring

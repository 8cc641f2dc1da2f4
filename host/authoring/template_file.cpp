#include "host/authoring/template_file.h"

#include <QFile>
#include <algorithm>
#include <system_error>

#include "host/common/text_file.h"
#include "platform/codepage/codepage.h"

namespace quenby::authoring {

namespace {

const QChar kNul(u'\0');

QString NameFromFileName(const QString& fileName) {
    // Counted from the end, as the design did, whatever the extension is.
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}

bool IsTemplateFile(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    if (!entry.is_regular_file(ec)) return false;
    const QString name = PathToQString(entry.path().filename());
    return name.endsWith(QStringLiteral(".htp"), Qt::CaseInsensitive);
}

}  // namespace

QString PathToQString(const std::filesystem::path& path) { return QFile::decodeName(path.string().c_str()); }

std::filesystem::path QStringToPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

TemplateFields SplitTemplate(const QString& text, const QString& fileName) {
    const QStringList fields = text.split(kNul);
    TemplateFields t;
    t.page = fields.value(0);
    t.name = fields.size() > 1 ? fields[1] : NameFromFileName(fileName);
    t.author = fields.value(2);
    t.description = fields.value(3);
    return t;
}

QByteArray TemplateFileBytes(const QString& page, const QString& name, const QString& author,
                             const QString& description) {
    const QString line = page + kNul + name + kNul + author + kNul + description + QStringLiteral("\r\n");
    const std::string bytes = platform::codepage::ToBytes(line.toStdU16String());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TemplateFields ReadTemplate(const std::filesystem::path& file) {
    const QString text = QString::fromStdU16String(ReadTextFile(file));
    return SplitTemplate(text, PathToQString(file.filename()));
}

std::vector<TemplateItem> ListTemplates(const std::filesystem::path& folder) {
    std::vector<TemplateItem> items{{kBuiltInKey, QStringLiteral("シンプル")}};

    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsTemplateFile(*it)) files.push_back(it->path());
    }
    // Case-blind as the platform's file list was; the exact name breaks ties
    // so the order never depends on the directory's own.
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        const QString x = PathToQString(a.filename()), y = PathToQString(b.filename());
        const int c = x.compare(y, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : x < y;
    });

    for (const auto& file : files) {
        items.push_back({PathToQString(file.filename()), ReadTemplate(file).name});
    }
    return items;
}

}  // namespace quenby::authoring

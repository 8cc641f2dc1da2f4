#include "host/shell/file_access.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cstdlib>
#include <system_error>

#include "host/common/message_box.h"
#include "host/common/program_folder.h"
#include "host/shell/resources.h"

namespace quenby::shell {

QString MakerName() { return QStringLiteral("Quenby Project"); }

QString ProgramVersion() {
    return QStringLiteral("%1.%2.%3").arg(QUENBY_VERSION_MAJOR).arg(QUENBY_VERSION_MINOR).arg(QUENBY_VERSION_PATCH);
}

QString StandardHTMLText() {
    const QString generator = QStringLiteral("<META name=\"GENERATOR\" content=\"%1 %2 Version %3 for Windows\">")
                                  .arg(MakerName(), ProgramTitle(), ProgramVersion());
    const QStringList lines{
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        generator,
        QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"),
        QStringLiteral("<META http-equiv=\"Content-Style-Type\" content=\"text/css\">"),
        QStringLiteral("<TITLE>タイトル</TITLE>"),
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<!-- ここから本文 -->"),
        QString(),
        QStringLiteral("<!-- ここまで本文 -->"),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    };
    const QChar nul(u'\0');
    return lines.join(QStringLiteral("\r\n")) + nul + QStringLiteral("シンプル") + nul + MakerName() + nul +
           QStringLiteral("シンプルなHTMLファイルです。") + nul;
}

std::optional<std::filesystem::path> GetLongPath(const std::filesystem::path& path) {
    // The file system here is case-sensitive and has no short names: the
    // long form is the absolute path of what exists.
    if (path.empty()) return std::nullopt;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) || ec) return std::nullopt;
    std::filesystem::path abs = std::filesystem::absolute(path, ec);
    if (ec) return std::nullopt;
    return abs.lexically_normal();
}

std::filesystem::path GetTempDir() {
    const char* temp = std::getenv("TEMP");
    if (!temp || !*temp) temp = std::getenv("TMP");
    if (temp && *temp) {
        if (std::optional<std::filesystem::path> p = GetLongPath(temp)) return *p;
    }
    // A variable naming a folder that does not exist would put the
    // preview's files at the root of the file system.
    return ToPath(QDir::tempPath());
}

bool ExtractResourceJPEG(int id, const std::filesystem::path& path) {
    quenby::shell::RegisterShellResources();
    QFile picture(QStringLiteral(":/pictures/%1.jpg").arg(id));
    if (!picture.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = picture.readAll();
    // Replaces the whole file: a shorter picture leaves nothing of a longer
    // one behind.
    QSaveFile out(FromPath(path));
    if (!out.open(QIODevice::WriteOnly)) return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

}  // namespace quenby::shell

#include "host/shell/font_cache.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QSaveFile>

#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/common/text_file.h"
#include "host/shell/app_settings.h"
#include "platform/codepage/codepage.h"

namespace quenby::shell {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kCrLfCrLf = QStringLiteral("\r\n\r\n");

// The cache is written as one piece: another copy of the program reading
// it meanwhile sees the old list or the new one, never half of one.
void WriteFontList(const std::filesystem::path& file, const QString& text) {
    QSaveFile out(FromPath(file));
    if (!out.open(QIODevice::WriteOnly)) return;
    const std::string bytes = platform::codepage::ToBytes((text + kCrLf).toStdU16String());
    out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    out.commit();
}

}  // namespace

QStringList ScreenFonts() { return QFontDatabase::families(); }

QStringList LoadFontNames(const std::filesystem::path& programFolder, const std::filesystem::path& iniFile,
                          const FontCacheHooks& hooks, bool* rebuilt) {
    const std::optional<int> stored = ReadInteger(GetINIValue(kSectionQuenby, QStringLiteral("FontCount"), iniFile));
    const QStringList fonts = hooks.screenFonts ? hooks.screenFonts() : ScreenFonts();
    const int n = static_cast<int>(fonts.size());
    if (hooks.progressMaximum) hooks.progressMaximum(n - 1);
    const std::filesystem::path listFile = programFolder / "FontList";
    if (rebuilt) *rebuilt = stored != n;
    if (stored != n) {
        QStringList names;
        names.reserve(n + 1);
        SetINIValue(kSectionQuenby, QStringLiteral("FontCount"), QString::number(n), iniFile);
        for (int i = 0; i < n; ++i) {
            names << fonts[i];
            if (i % 5 == 4 && hooks.splashShown && hooks.splashShown()) {
                if (hooks.progress) hooks.progress(i);
                QCoreApplication::processEvents();
            }
        }
        names << QString();
        QString text = names.join(kCrLf);
        text.replace(kCrLfCrLf, kCrLf);
        WriteFontList(listFile, text);
        return names;
    }
    QString text = QString::fromStdU16String(ReadTextFile(listFile));
    if (hooks.progress) hooks.progress(n - 1);
    // A missing cache gives no names until the font count changes.
    if (text.isEmpty()) return {};
    text.replace(kCrLfCrLf, kCrLf);
    return text.split(kCrLf);
}

}  // namespace quenby::shell

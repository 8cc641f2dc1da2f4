#include "host/common/program_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdlib>
#include <system_error>

namespace quenby {

std::filesystem::path ProgramFolder() {
    if (const char* moved = std::getenv("QUENBY_PROGRAM_DIR"); moved && *moved) return moved;
    if (QCoreApplication::instance()) return ToPath(QCoreApplication::applicationDirPath());
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::filesystem::path INIFilePath() { return ProgramFolder() / "Quenby.ini"; }

std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(QFile::encodeName(path).toStdString()); }

QString FromPath(const std::filesystem::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.string())); }

}  // namespace quenby

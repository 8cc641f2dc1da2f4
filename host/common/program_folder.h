// Where the program keeps what ships beside it and what it writes there
// (settings, the font cache, the welcome picture): the executable's folder.
// The environment variable QUENBY_PROGRAM_DIR moves it, so that tests and
// trial runs never touch a real installation.
#pragma once

#include <QString>
#include <filesystem>

namespace quenby {

std::filesystem::path ProgramFolder();
// The settings file: program folder + "Quenby.ini".
std::filesystem::path INIFilePath();

// Paths cross between Qt and the standard library in the file system's
// own encoding.
std::filesystem::path ToPath(const QString& path);
QString FromPath(const std::filesystem::path& path);

}  // namespace quenby

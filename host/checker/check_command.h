#pragma once

#include <QStringList>
#include <filesystem>

namespace quenby::checker {

// Whether the command line asks for a check; decided before any application
// object exists, so that a check never needs a display.
bool IsCheckCommand(int argc, char** argv);

// "quenby --check PAGE... [--handset VERSION]", where a PAGE may be a
// folder (its .html and .htm files, subfolders included): findings on
// standard output; 1 when one is an error, 2 for a wrong command line, an
// unknown version or a page that cannot be read (the others still checked).
int RunCheckCommand(const QStringList& arguments, const std::filesystem::path& programFolder);

}  // namespace quenby::checker

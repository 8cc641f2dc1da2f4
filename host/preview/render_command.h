// The preview without a window: `quenby --render PAGE -o shot.png
// [--skin FILE] [--url URL]` converts the page as the preview window does
// and writes a picture of the skin with the page in its screen.
#pragma once

#include <QStringList>

#include <filesystem>

namespace quenby::preview {

// True when the command line asks for a render (the program then needs no
// display and opens no editor).
bool IsRenderCommand(const QStringList& arguments);

// Runs the render; arguments as QCoreApplication::arguments(). Returns the
// program's exit code; messages go to standard error.
int RunRenderCommand(const QStringList& arguments, const std::filesystem::path& programFolder,
                     const std::filesystem::path& settingsFile);

}  // namespace quenby::preview

// File routines the windows share: the built-in page, the temporary
// folder, long paths and the program's pictures written out to disk.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

namespace quenby::shell {

// Who made the program, as its generator line and the built-in template
// name it.
QString MakerName();
// "major.minor.revision" of the program.
QString ProgramVersion();

// The built-in page: thirteen lines joined by CR LF, then the template
// fields (name, author, description), each after a NUL, and a final NUL.
QString StandardHTMLText();

// The long form of an existing path; nothing when it does not exist.
std::optional<std::filesystem::path> GetLongPath(const std::filesystem::path& path);
// The folder named by TEMP, else TMP, else the platform's temporary folder
// (also when the named folder does not exist).
std::filesystem::path GetTempDir();

// The program's pictures (101 splash, 102 welcome), JPEG, built into it.
inline constexpr int kSplashPicture = 101;
inline constexpr int kWelcomePicture = 102;
// Writes picture id to path, replacing the whole file; false on any error.
bool ExtractResourceJPEG(int id, const std::filesystem::path& path);

}  // namespace quenby::shell

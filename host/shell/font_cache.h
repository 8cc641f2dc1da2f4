// The font-name cache: asking the platform for every font is slow where
// many are installed, so the names are kept in the file "FontList" beside
// the program and asked for again only when the number of fonts changed
// (the count is kept as "FontCount" in the settings file).
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>

namespace quenby::shell {

struct FontCacheHooks {
    std::function<QStringList()> screenFonts;    // the platform's font families
    std::function<void(int)> progressMaximum;    // the splash's progress bar
    std::function<void(int)> progress;           // every fifth font while the splash shows
    std::function<bool()> splashShown;
};

// The font names (the rebuilt list ends with one empty entry, as the cache
// file ends with an empty line). Writes "FontCount" and "FontList" when
// the count differs from the stored one.
QStringList LoadFontNames(const std::filesystem::path& programFolder, const std::filesystem::path& iniFile,
                          const FontCacheHooks& hooks, bool* rebuilt = nullptr);

// The installed font families.
QStringList ScreenFonts();

}  // namespace quenby::shell

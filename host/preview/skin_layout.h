// Where the preview puts the handset screen: the skin file's picture and
// screen rectangle, the browser placed so that its border and scroll bars
// fall outside the screen, and the four masks that hide them with the
// picture beneath.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <filesystem>
#include <optional>

namespace quenby::preview {

// The keys of a skin file, as read.
struct SkinFile {
    QString background;  // "BGFile", relative to the skin folder
    double left = 0, top = 0, width = 0, height = 0;
    QString styleSheet;  // "css", relative to the skin folder
};

// nullopt when there is no such file (a folder or an empty name is no file
// either); a file without the keys reads as zeros and empty names.
std::optional<SkinFile> ReadSkinFile(const std::filesystem::path& file);

// The skin folder and the skin file named by the "Skin" setting.
std::filesystem::path SkinFolder(const std::filesystem::path& programFolder);
std::filesystem::path SkinFilePath(const std::filesystem::path& programFolder, const QString& skinSetting);

enum Mask { kMaskLeft, kMaskRight, kMaskTop, kMaskBottom };

struct SkinLayout {
    bool skinned = false;
    std::filesystem::path background;  // empty without a skin
    QSize area;                        // the page area: the picture's size, or 240 x 320
    QRect browser;
    QRect screen;                      // where page shows: the skin's screen, or the whole area
    std::array<QRect, 4> masks;        // empty rectangles without a skin
    std::filesystem::path styleSheet;
};

inline constexpr QSize kDefaultScreen{240, 320};

// The layout for a skin (nullopt: none) with the browser's own scroll bar
// width s. The picture's size is asked for only when there is a skin.
SkinLayout LayOutSkin(const std::filesystem::path& programFolder, const std::optional<SkinFile>& skin, int scrollBar,
                      QSize pictureSize);

// The masks over the browser's edges at (left, top) with that size: left and
// top 2 pixels, right and bottom 2 + s.
std::array<QRect, 4> MaskRects(const QRect& browser, int scrollBar);

}  // namespace quenby::preview

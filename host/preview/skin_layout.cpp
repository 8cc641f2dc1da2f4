#include "host/preview/skin_layout.h"

#include "host/common/ini_access.h"
#include "host/common/number_text.h"
#include "host/common/program_folder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <system_error>

namespace quenby::preview {
namespace {

const QString kSection = QStringLiteral("vUzezozi");

// Skin values are pixels; a value no window could use is clamped rather
// than overflowing the rectangle arithmetic.
int Pixels(double v) {
    constexpr double kLimit = 1 << 20;
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, -kLimit, kLimit)));
}

}  // namespace

std::filesystem::path SkinFolder(const std::filesystem::path& programFolder) { return programFolder / "skin"; }

std::filesystem::path SkinFilePath(const std::filesystem::path& programFolder, const QString& skinSetting) {
    return SkinFolder(programFolder) / ToPath(skinSetting);
}

std::optional<SkinFile> ReadSkinFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    auto value = [&](const char* key) { return GetINIValue(kSection, QString::fromLatin1(key), file); };
    SkinFile skin;
    skin.background = value("BGFile");
    skin.left = LeadingNumber(value("BrowserLeft"));
    skin.top = LeadingNumber(value("BrowserTop"));
    skin.width = LeadingNumber(value("BrowserWidth"));
    skin.height = LeadingNumber(value("BrowserHeight"));
    skin.styleSheet = value("css");
    return skin;
}

std::array<QRect, 4> MaskRects(const QRect& b, int s) {
    const int l = b.x(), t = b.y(), w = b.width(), h = b.height();
    std::array<QRect, 4> masks;
    masks[kMaskLeft] = QRect(l, t, 2, h);
    masks[kMaskRight] = QRect(l + w - 2 - s, t, 2 + s, h);
    masks[kMaskTop] = QRect(l, t, w, 2);
    masks[kMaskBottom] = QRect(l, t + h - 2 - s, w, 2 + s);
    return masks;
}

SkinLayout LayOutSkin(const std::filesystem::path& programFolder, const std::optional<SkinFile>& skin, int s,
                      QSize pictureSize) {
    SkinLayout layout;
    if (!skin) {
        // Without a skin the browser's own border sits just outside the
        // area and its scroll bar stays visible.
        layout.area = kDefaultScreen;
        layout.browser = QRect(QPoint(-2, -2), kDefaultScreen);
        layout.screen = QRect(QPoint(0, 0), kDefaultScreen);
        layout.styleSheet = SkinFolder(programFolder) / "css" / "default.css";
        return layout;
    }
    layout.skinned = true;
    if (!skin->background.isEmpty()) layout.background = SkinFolder(programFolder) / ToPath(skin->background);
    layout.browser = QRect(Pixels(skin->left) - 2, Pixels(skin->top) - 2, std::max(0, Pixels(skin->width) + 4 + s),
                           std::max(0, Pixels(skin->height) + 4 + s));
    // A picture that cannot be read still leaves the screen where the skin
    // puts it, on a plain area just large enough to hold it.
    layout.area = !pictureSize.isEmpty()
                      ? pictureSize
                      : QSize(std::max(0, layout.browser.right() + 1), std::max(0, layout.browser.bottom() + 1));
    layout.screen = QRect(layout.browser.x() + 2, layout.browser.y() + 2, std::max(0, layout.browser.width() - 4 - s),
                          std::max(0, layout.browser.height() - 4 - s));
    layout.masks = MaskRects(layout.browser, s);
    layout.styleSheet = SkinFolder(programFolder) / ToPath(skin->styleSheet);
    return layout;
}

}  // namespace quenby::preview

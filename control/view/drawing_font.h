// The font the control draws with, built from the host's font record the
// way the design builds its logical font: the record's name and pixel
// height, fixed pitch, no weight or slant. Faces this machine lacks are
// replaced by an installed fixed-pitch Japanese face; the record keeps the
// stored name. Measures CP932 byte strings.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <string_view>

#include "control/view/view_settings.h"

namespace tarn::view {

// The installed family used for a stored face name.
QString SubstituteFamily(const QString& stored);

QString FromBytes(std::string_view bytes);

class TDrawingFont {
public:
    TDrawingFont();
    explicit TDrawingFont(const TFontSpec& wanted);

    const QFont& Font() const noexcept { return font_; }
    const QFontMetrics& Metrics() const noexcept { return metrics_; }

    int CellHeight() const noexcept { return cellHeight_; }  // Fontheight
    int AverageWidth() const noexcept { return averageWidth_; }  // Fontwidth
    int Ascent() const noexcept { return metrics_.ascent(); }
    // Every single-byte character is one AverageWidth wide and every
    // double-byte character two: widths follow from byte counts.
    bool FixedPitch() const noexcept { return fixedPitch_; }

    // Pixel width of CP932 bytes (no tab handling).
    int Width(std::string_view bytes) const;

private:
    void Measure();

    QFont font_;
    QFontMetrics metrics_;
    int cellHeight_ = 0;
    int averageWidth_ = 0;
    bool fixedPitch_ = false;
};

// The ruler's small font ("Terminal" at 6 points in the design).
QFont RulerFont();

}  // namespace tarn::view

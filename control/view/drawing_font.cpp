#include "control/view/drawing_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

#include "control/engine/pixel_math.h"
#include "platform/codepage/codepage.h"

namespace tarn::view {
namespace {

bool Installed(const QString& family) {
    static const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

QString FirstInstalled(std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (Installed(QString::fromUtf8(n))) return QString::fromUtf8(n);
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

bool Integral(qreal v) { return std::abs(v - std::round(v)) < 1e-6; }

}  // namespace

QString FromBytes(std::string_view bytes) {
    const std::u16string u = platform::codepage::ToUtf16(bytes);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

QString SubstituteFamily(const QString& stored) {
    if (!stored.isEmpty() && Installed(stored)) return stored;
    // The serif Japanese faces have a serif stand-in; everything else,
    // including the bitmap terminal faces, the gothic one.
    if (stored.contains(QString::fromUtf8("明朝")) || stored.contains(QLatin1String("Mincho"), Qt::CaseInsensitive))
        return FirstInstalled({"IPAMincho", "IPAGothic"});
    return FirstInstalled({"IPAGothic", "IPAMincho", "DejaVu Sans Mono"});
}

TDrawingFont::TDrawingFont() : TDrawingFont(TFontSpec{}) {}

TDrawingFont::TDrawingFont(const TFontSpec& wanted) : metrics_(font_) {
    font_.setFamily(SubstituteFamily(FromBytes(wanted.Name)));
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
    font_.setWeight(QFont::Normal);
    font_.setItalic(false);
    font_.setHintingPreference(QFont::PreferFullHinting);
    font_.setKerning(false);
    // A negative height asks for the character height; the drawing font's
    // height is the negative of the record's, which is that pixel height.
    const int want = std::max(1, -wanted.Height());
    int pixels = want;
    for (int tries = 0; tries < 8; ++tries) {
        font_.setPixelSize(pixels);
        QFontMetrics fm(font_);
        if (fm.height() <= want || pixels <= 1) break;
        pixels = std::max(1, pixels - std::max(1, fm.height() - want));
    }
    Measure();
    // Scalable faces often keep their half-width cells exact only at some
    // sizes; one pixel smaller is preferred to losing the fixed pitch.
    if (!fixedPitch_ && pixels > 2) {
        font_.setPixelSize(pixels - 1);
        Measure();
        if (!fixedPitch_) {
            font_.setPixelSize(pixels);
            Measure();
        }
    }
}

void TDrawingFont::Measure() {
    metrics_ = QFontMetrics(font_);
    cellHeight_ = metrics_.height();
    const QFontMetricsF exact(font_);
    const qreal cell = exact.horizontalAdvance(QLatin1Char('0'));
    fixedPitch_ = Integral(cell) && cell > 0;
    // Single-byte characters: ASCII and the half-width katakana.
    for (int c = 0x20; fixedPitch_ && c <= 0x7E; ++c)
        fixedPitch_ = exact.horizontalAdvance(QChar(c)) == cell;
    for (int c = 0xFF61; fixedPitch_ && c <= 0xFF9F; ++c)
        fixedPitch_ = exact.horizontalAdvance(QChar(c)) == cell;
    // Double-byte characters: a sample of every kind the code page holds.
    static const char16_t kWide[] = u"\u3000\u3001\u3042\u30A2\u4E00\u6F22\u5B57\uFF21\uFF10\u2460\u25A0\u2192\u9ED2\u7E4B";
    for (const char16_t* w = kWide; fixedPitch_ && *w; ++w)
        fixedPitch_ = exact.horizontalAdvance(QChar(*w)) == 2 * cell;
    averageWidth_ = fixedPitch_ ? static_cast<int>(cell) : std::max(1, metrics_.averageCharWidth());
}

int TDrawingFont::Width(std::string_view bytes) const {
    if (bytes.empty()) return 0;
    if (fixedPitch_) return PixelsOf(static_cast<std::int64_t>(bytes.size()), averageWidth_);
    return ClampPixels(metrics_.horizontalAdvance(FromBytes(bytes)));
}

QFont RulerFont() {
    QFont f(Installed(QStringLiteral("Terminal")) ? QStringLiteral("Terminal")
                                                  : FirstInstalled({"DejaVu Sans Mono", "DejaVu Sans", "IPAGothic"}));
    f.setPixelSize(8);  // 6 points
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

}  // namespace tarn::view

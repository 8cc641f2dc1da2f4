#include "control/view/pictograph_art.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>

#include "platform/codepage/pictographs.h"

namespace tarn::view {
namespace {

const char* const kEmojiFamily = "Noto Color Emoji";
const char* const kEmojiFile = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";
// The emoji font's bitmaps are this tall; rendering at their own size and
// scaling down once looks far better than asking for a tiny pixel size.
constexpr int kStrike = 109;

QString FindEmojiFamily() {
    const QString wanted = QString::fromLatin1(kEmojiFamily);
    if (QFontDatabase::families().contains(wanted)) return wanted;
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kEmojiFile));
    if (id < 0) return {};
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

// The bounding box of what is not transparent.
QRect Content(const QImage& img) {
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(row[x]) < 8) continue;
            l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), b = std::max(b, y);
        }
    }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

}  // namespace

QImage RenderEmojiSquare(const QString& family, const QString& text) {
    QFont font(family);
    font.setPixelSize(kStrike);
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty()) return {};
    for (const QGlyphRun& run : runs)
        if (run.rawFont().familyName() != family || run.glyphIndexes().isEmpty()) return {};
    QImage big(kStrike * 3 / 2, kStrike * 3 / 2, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setFont(font);
        p.drawText(big.rect(), Qt::AlignCenter, text);
    }
    const QRect box = Content(big);
    if (box.isEmpty()) return {};
    const int side = std::max(box.width(), box.height());
    QImage square(side, side, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter p(&square);
    p.drawImage(QPoint((side - box.width()) / 2, (side - box.height()) / 2), big, box);
    return square;
}


TPictographArt& TPictographArt::Instance() {
    static TPictographArt art;
    return art;
}

TPictographArt::TPictographArt()
    : family_(FindEmojiFamily()), imageFolder_(QCoreApplication::applicationDirPath() + QStringLiteral("/image/")) {}

QImage TPictographArt::Master(std::uint16_t code) {
    if (auto it = masters_.constFind(code); it != masters_.constEnd()) return *it;
    QImage master;
    const std::u16string emoji = platform::codepage::PictographToUnicode(code);
    if (!emoji.empty() && !family_.isEmpty())
        master = RenderEmojiSquare(family_, QString::fromStdU16String(emoji));
    // The program lays its own pictures of the basic set beside itself.
    if (master.isNull())
        if (const int n = platform::codepage::PictographNumber(code); n > 0) {
            const QString file = imageFolder_ + QString::number(n) + QStringLiteral(".gif");
            if (QFile::exists(file)) master = QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
    masters_.insert(code, master);
    return master;
}

QImage TPictographArt::Picture(std::uint16_t code, int side) {
    if (side <= 0) return {};
    const quint32 key = static_cast<quint32>(code) << 16 | static_cast<quint32>(std::min(side, 0xFFFF));
    if (auto it = scaled_.constFind(key); it != scaled_.constEnd()) return *it;
    const QImage master = Master(code);
    QImage picture;
    if (!master.isNull()) {
        // The handsets' own small pictures are pixel drawings: kept sharp
        // when they are enlarged.
        const Qt::TransformationMode mode =
            master.width() < side ? Qt::FastTransformation : Qt::SmoothTransformation;
        picture = master.scaled(side, side, Qt::IgnoreAspectRatio, mode);
    }
    scaled_.insert(key, picture);
    return picture;
}

void TPictographArt::Draw(QPainter& p, std::uint16_t code, const QRect& box, const QColor& colour) {
    const int side = std::min(box.width(), box.height());
    if (side <= 0) return;
    const QRect square(box.x() + (box.width() - side) / 2, box.y() + (box.height() - side) / 2, side, side);
    const QImage picture = Picture(code, side);
    if (!picture.isNull()) {
        p.drawImage(square.topLeft(), picture);
        return;
    }
    // A box with the code in it: at least says which pictograph stands here.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour, 1));
    p.setBrush(Qt::NoBrush);
    const QRectF frame = QRectF(square).adjusted(0.5, 0.5, -0.5, -0.5);
    p.drawRoundedRect(frame, side / 5.0, side / 5.0);
    QFont label(QStringLiteral("DejaVu Sans Mono"));
    label.setPixelSize(std::max(4, (side - 2) * 2 / 5));
    p.setFont(label);
    const QString hex = QString::number(code, 16).toUpper();
    const QRect top(square.x(), square.y() + 1, side, side / 2 - 1);
    const QRect bottom(square.x(), square.y() + side / 2, side, side - side / 2 - 1);
    p.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, hex.left(2));
    p.drawText(bottom, Qt::AlignHCenter | Qt::AlignTop, hex.mid(2));
    p.restore();
}

}  // namespace tarn::view

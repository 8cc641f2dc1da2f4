// Pictures of the handsets' pictographs for the rows: the text fonts have
// nothing for those codes but an empty box. A pictograph Unicode has an
// emoji for is the colour emoji font's picture; the few others are the
// program's own pictures (image/N.gif beside the executable) when they can
// be found, else a small labelled box of our own.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <cstdint>

namespace tarn::view {

// The emoji drawn large from family and cut square around its ink, so that
// it fills its cells the way the handsets' pictographs fill theirs. Null
// when that font does not draw the whole of text itself: Qt would quietly
// take a missing character from another font.
QImage RenderEmojiSquare(const QString& family, const QString& text);

class TPictographArt {
public:
    // The shared pictures (the emoji are rendered large once per code).
    static TPictographArt& Instance();

    // Draws code into box (two cells of a row), keeping the picture square
    // and centred. colour is the text's, for pictographs drawn as a label.
    void Draw(QPainter& p, std::uint16_t code, const QRect& box, const QColor& colour);

    // The picture for code at side x side pixels, or a null image when only
    // the labelled box can stand for it.
    QImage Picture(std::uint16_t code, int side);

    // The family the emoji come from, or empty when it is not installed.
    const QString& EmojiFamily() const noexcept { return family_; }

private:
    TPictographArt();
    QImage Master(std::uint16_t code);

    QString family_;
    QString imageFolder_;
    QHash<std::uint16_t, QImage> masters_;   // large, cut to their content
    QHash<quint32, QImage> scaled_;          // (code, side)
};

}  // namespace tarn::view

// Draws the pictures of the HTML tag toolbar (link, image, horizontal rule,
// the three alignments, line break and space) as 24 x 24 PNGs with
// transparent background, plus 48 x 48 "@2x" variants for high-DPI screens.
// Run it after changing the drawing and commit what it writes:
//   QT_QPA_PLATFORM=offscreen build/bin/quenby-make-tag-icons host/shell/pictures/tags
//
// Every picture is drawn on a 24-unit grid and scaled by 1 or 2, so all
// straight edges stay on whole pixels: filled rectangles use integer corners
// and the 2-unit strokes of the chain run along integer lines. Only curves and
// slanted edges (chain corners, arrow head, sun, hills) are antialiased.
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A small palette that matches the freedesktop-style toolbar pictures next
// to them: dark grey ink, a mid grey for text, and one blue accent.
const QColor kInk(0x2e, 0x34, 0x36);
const QColor kText(0x55, 0x57, 0x53);
const QColor kSoft(0x88, 0x8a, 0x85);
const QColor kBlue(0x34, 0x65, 0xa4);
const QColor kBlueDark(0x20, 0x4a, 0x87);
const QColor kBlueLight(0x72, 0x9f, 0xcf);
const QColor kSky(0xb4, 0xcd, 0xea);

void Bar(QPainter& p, int x, int y, int w, int h, const QColor& c) { p.fillRect(QRectF(x, y, w, h), c); }

// Lines of text, 2 units high on rows 3, 7, 11, 15 and 19 of the
// 18-unit-wide column 3..20, placed at the left, in the centre or at the right.
enum class Align { Left, Center, Right };
void DrawAligned(QPainter& p, Align align) {
    static const int kLengths[5] = {18, 10, 16, 8, 14};
    for (int i = 0; i < 5; ++i) {
        const int w = kLengths[i];
        const int x = align == Align::Left ? 3 : align == Align::Right ? 21 - w : 3 + (18 - w) / 2;
        Bar(p, x, 3 + 4 * i, w, 2, kText);
    }
}

// Horizontal rule: a blue rule across the whole width between soft text lines.
void DrawRule(QPainter& p) {
    Bar(p, 3, 3, 18, 2, kSoft);
    Bar(p, 3, 7, 12, 2, kSoft);
    Bar(p, 2, 11, 20, 1, kBlueDark);
    Bar(p, 2, 12, 20, 1, kBlue);
    Bar(p, 3, 15, 18, 2, kSoft);
    Bar(p, 3, 19, 8, 2, kSoft);
}

// A 4 x 5 pixel letter, one string of '#' and '.' per row.
void Glyph(QPainter& p, int x, int y, const char* const rows[5], const QColor& c) {
    for (int r = 0; r < 5; ++r)
        for (int col = 0; rows[r][col] != '\0'; ++col)
            if (rows[r][col] == '#') Bar(p, x + col, y + r, 1, 1, c);
}

// Line break: the return arrow, coming down on the right and turning left,
// with the tag's letters under it.
void DrawBreak(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    // Stem down the right side and the foot running left.
    Bar(p, 18, 3, 2, 10, kBlue);
    Bar(p, 8, 11, 12, 2, kBlue);
    // Arrow head, tip on the foot's middle line.
    p.drawPolygon(QPolygonF({QPointF(3, 12), QPointF(9, 6), QPointF(9, 18)}));
    static const char* const kB[5] = {"###.", "#..#", "###.", "#..#", "###."};
    static const char* const kR[5] = {"###.", "#..#", "###.", "#.#.", "#..#"};
    Glyph(p, 11, 16, kB, kInk);
    Glyph(p, 16, 16, kR, kInk);
}

// Space: the open box of the visible-space sign, sitting low like a letter
// on its base line.
void DrawSpace(QPainter& p) {
    Bar(p, 3, 9, 2, 8, kBlue);
    Bar(p, 19, 9, 2, 8, kBlue);
    Bar(p, 3, 15, 18, 2, kBlue);
}

// Image: a framed landscape with sky, sun and two hills.
void DrawImage(QPainter& p) {
    const QRectF inner(3, 5, 18, 14);
    QLinearGradient sky(0, inner.top(), 0, inner.bottom());
    sky.setColorAt(0, kBlueLight);
    sky.setColorAt(1, kSky);
    p.fillRect(inner, sky);
    p.save();
    p.setClipRect(inner);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16.5, 8.5), 2, 2);
    p.setBrush(kSoft);
    p.drawPolygon(QPolygonF({QPointF(3, 19), QPointF(3, 14), QPointF(8, 10), QPointF(14, 16), QPointF(14, 19)}));
    p.setBrush(kText);
    p.drawPolygon(QPolygonF({QPointF(7, 19), QPointF(14, 12), QPointF(21, 17), QPointF(21, 19)}));
    p.restore();
    // The frame as four bars, so that its corners come out solid too.
    Bar(p, 2, 4, 20, 1, kInk);
    Bar(p, 2, 19, 20, 1, kInk);
    Bar(p, 2, 5, 1, 14, kInk);
    Bar(p, 21, 5, 1, 14, kInk);
}

// Link: two chain links hooked into each other, rising to the right. They
// cross twice on straight stretches: the grey link passes over the blue one
// at the upper left and under it at the lower right, with a one-unit gap
// beside the upper strand.
void DrawLink(QPainter& p) {
    const QRectF grey(3, 10, 12, 10), blue(9, 5, 12, 10);
    auto link = [&](const QRectF& r, const QColor& c, qreal width) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawRoundedRect(r, 3, 3);
    };
    link(grey, kInk, 2);
    link(blue, kBlue, 2);
    struct Crossing {
        QPointF at;
        bool greyOver;
    };
    const Crossing crossings[] = {{QPointF(9, 10), true}, {QPointF(15, 15), false}};
    for (const Crossing& c : crossings) {
        const QRectF& upper = c.greyOver ? grey : blue;
        p.save();
        p.setClipRect(QRectF(c.at.x() - 2, c.at.y() - 2, 4, 4));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        link(upper, Qt::black, 4);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        link(upper, c.greyOver ? kInk : kBlue, 2);
        p.restore();
    }
}

struct Picture {
    const char* name;
    std::function<void(QPainter&)> draw;
};

QImage Render(const Picture& pic, int scale) {
    QImage img(24 * scale, 24 * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    pic.draw(p);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const std::vector<Picture> pictures = {
        {"link", DrawLink},
        {"image", DrawImage},
        {"hr", DrawRule},
        {"left", [](QPainter& p) { DrawAligned(p, Align::Left); }},
        {"center", [](QPainter& p) { DrawAligned(p, Align::Center); }},
        {"right", [](QPainter& p) { DrawAligned(p, Align::Right); }},
        {"br", DrawBreak},
        {"space", DrawSpace},
    };
    bool ok = true;
    for (const Picture& pic : pictures) {
        for (int scale : {1, 2}) {
            const QString file =
                out.filePath(QString::fromLatin1(pic.name) + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
            if (!Render(pic, scale).save(file, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                ok = false;
            }
        }
    }
    return ok ? 0 : 1;
}

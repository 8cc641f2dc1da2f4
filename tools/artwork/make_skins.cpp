// Draws the phones of the preview's skins and writes their skin files: a
// fold-open handset with a 240 x 320 screen, a bar handset with 240 x 270
// and a small bar handset with a stub antenna and 132 x 126. Run it after
// changing a drawing or a skin and commit what it writes:
//   QT_QPA_PLATFORM=offscreen build/bin/quenby-make-skins data/skin
// It writes <stem>.ini into that folder and art/<stem>.png beside them; the
// style sheets in data/skin/css/ are written by hand.
//
// The screen rectangle of a skin is filled exactly, on whole pixels, in a
// dark neutral colour: the browser covers it, and the preview lays thin
// masks over the browser's edges that copy the picture around the screen,
// so the bezel reaches well past the screen on every side (further on the
// right and at the bottom, where the masks also hide the scroll bars).
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <iconv.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSmallestMargin = 20;  // picture around the screen, every side

enum class Style { Fold, Bar, CompactBar };

struct Skin {
    const char* stem;  // skin file <stem>.ini, picture art/<stem>.png, style sheet css/<stem>.css
    const char* name;
    const char* comment;  // UTF-8; "\\n" is the skin file's line break
    Style style;
    QSize picture;
    QRect screen;
    QColor light, dark;  // the shell's highlight and shadow
    QColor accent;
    const char* handset;  // the handset profile the skin shows
};

const QColor kScreen(34, 37, 41);
const QColor kInk(28, 32, 38);

// Body: a rounded shell lit from the upper left, with a soft sheen along
// the top so it reads as a curved surface rather than a flat plate.
void DrawShell(QPainter& p, const QRectF& r, qreal radius, const QColor& light, const QColor& dark) {
    QLinearGradient across(r.topLeft(), r.topRight());
    across.setColorAt(0.0, dark);
    across.setColorAt(0.18, light);
    across.setColorAt(0.55, light.darker(112));
    across.setColorAt(1.0, dark);
    p.setPen(QPen(dark.darker(160), 1.5));
    p.setBrush(across);
    p.drawRoundedRect(r.adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
    QLinearGradient sheen(r.topLeft(), r.bottomLeft());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 90));
    sheen.setColorAt(0.12, QColor(255, 255, 255, 20));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(r.adjusted(2, 2, -2, -2), radius - 2, radius - 2);
}

// The dark glass around the screen.
void DrawBezel(QPainter& p, const QRectF& r, qreal radius) {
    QLinearGradient glass(r.topLeft(), r.bottomRight());
    glass.setColorAt(0.0, QColor(58, 63, 70));
    glass.setColorAt(0.45, QColor(24, 27, 31));
    glass.setColorAt(1.0, QColor(14, 16, 19));
    p.setPen(QPen(QColor(10, 11, 13), 1));
    p.setBrush(glass);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 45), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
}

void DrawScreen(QPainter& p, const QRect& screen) {
    // fillRect on a whole-pixel rectangle is exact even with antialiasing on.
    p.fillRect(screen, kScreen);
}

void DrawEarpiece(QPainter& p, const QPointF& centre, qreal width) {
    const QRectF slot(centre.x() - width / 2, centre.y() - 3, width, 6);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.setBrush(QColor(12, 13, 15));
    p.drawRoundedRect(slot, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 74, 80));
    for (qreal x = slot.left() + 5; x < slot.right() - 3; x += 5) p.drawEllipse(QPointF(x, centre.y()), 1.1, 1.1);
}

QLinearGradient KeyGradient(const QRectF& r, const QColor& face) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, face.lighter(108));
    g.setColorAt(1.0, face.darker(118));
    return g;
}

void DrawKey(QPainter& p, const QRectF& r, const QColor& face, qreal radius) {
    p.setPen(QPen(face.darker(170), 1));
    p.setBrush(KeyGradient(r, face));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

// A receiver, for the call and end keys.
void DrawReceiver(QPainter& p, const QPointF& c, qreal size, const QColor& colour) {
    QPainterPath path;
    path.moveTo(c.x() - size, c.y() + size * 0.15);
    path.quadTo(c.x(), c.y() - size * 0.75, c.x() + size, c.y() + size * 0.15);
    p.setPen(QPen(colour, size * 0.55, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// Soft keys under the screen, call and end keys below them, and the round
// four-way key between them.
void DrawControlKeys(QPainter& p, const QRectF& band, const QColor& face, const QColor& accent, qreal navRadius) {
    const qreal sideWidth = (band.width() - navRadius * 2) / 2 - band.width() * 0.06;
    const qreal rowHeight = band.height() * 0.42;
    const qreal gap = band.height() - rowHeight * 2;
    const qreal radius = rowHeight / 2;
    const QRectF softLeft(band.left(), band.top(), sideWidth, rowHeight);
    const QRectF softRight(band.right() - sideWidth, band.top(), sideWidth, rowHeight);
    const QRectF callKey = softLeft.translated(0, rowHeight + gap);
    const QRectF endKey = softRight.translated(0, rowHeight + gap);
    for (const QRectF& r : {softLeft, softRight, callKey, endKey}) DrawKey(p, r, face, radius);
    p.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap));
    for (const QRectF& r : {softLeft, softRight})
        p.drawLine(QPointF(r.center().x() - r.width() * 0.18, r.center().y()),
                   QPointF(r.center().x() + r.width() * 0.18, r.center().y()));
    const qreal glyph = rowHeight * 0.33;
    DrawReceiver(p, callKey.center() + QPointF(0, glyph * 0.2), glyph, QColor(40, 150, 70));
    DrawReceiver(p, endKey.center() + QPointF(0, glyph * 0.2), glyph, QColor(200, 50, 50));

    const QPointF c = band.center();
    QRadialGradient ring(c - QPointF(navRadius * 0.3, navRadius * 0.4), navRadius * 1.3);
    ring.setColorAt(0, face.lighter(110));
    ring.setColorAt(1, face.darker(135));
    p.setPen(QPen(face.darker(180), 1));
    p.setBrush(ring);
    p.drawEllipse(c, navRadius, navRadius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 96, 104));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(c);
        p.rotate(90 * i);
        const qreal d = navRadius * 0.72, s = navRadius * 0.14;
        p.drawPolygon(QPolygonF({QPointF(0, -d - s), QPointF(-s * 1.2, -d + s), QPointF(s * 1.2, -d + s)}));
        p.restore();
    }
    QRadialGradient centreKey(c - QPointF(navRadius * 0.1, navRadius * 0.15), navRadius * 0.5);
    centreKey.setColorAt(0, accent.lighter(140));
    centreKey.setColorAt(1, accent.darker(115));
    p.setPen(QPen(accent.darker(170), 1));
    p.setBrush(centreKey);
    p.drawEllipse(c, navRadius * 0.42, navRadius * 0.42);
}

// The twelve keys 1-9, *, 0, # in three columns.
void DrawKeypad(QPainter& p, const QRectF& area, const QColor& face, qreal gapX, qreal gapY) {
    static const char* const kLabels[12] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "0", "#"};
    const qreal kw = (area.width() - 2 * gapX) / 3, kh = (area.height() - 3 * gapY) / 4;
    QFont font(QStringLiteral("DejaVu Sans"), 1, QFont::Bold);
    font.setPixelSize(qRound(kh * 0.68));
    p.setFont(font);
    for (int i = 0; i < 12; ++i) {
        const QRectF key(area.left() + (i % 3) * (kw + gapX), area.top() + (i / 3) * (kh + gapY), kw, kh);
        DrawKey(p, key, face, kh * 0.45);
        p.setPen(kInk);
        p.drawText(key.translated(0, 0.5), Qt::AlignCenter, QString::fromLatin1(kLabels[i]));
    }
}

// The hinge of a fold-open handset: a cylinder across the joint.
void DrawHinge(QPainter& p, const QRectF& r, const QColor& light, const QColor& dark) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, dark.darker(130));
    g.setColorAt(0.35, light.lighter(115));
    g.setColorAt(0.6, light);
    g.setColorAt(1.0, dark.darker(150));
    p.setPen(QPen(dark.darker(200), 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), r.height() / 2, r.height() / 2);
    // The knuckles: the joint shows where the two halves' barrels meet.
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    for (qreal x : {r.left() + r.width() * 0.22, r.right() - r.width() * 0.22})
        p.drawLine(QPointF(x, r.top() + 2), QPointF(x, r.bottom() - 2));
}

void DrawAntenna(QPainter& p, const QRectF& r, const QColor& colour) {
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0.0, colour.darker(140));
    g.setColorAt(0.35, colour.lighter(140));
    g.setColorAt(1.0, colour.darker(170));
    p.setPen(QPen(colour.darker(220), 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), r.width() / 2, r.width() / 2);
}

QImage DrawFold(const Skin& s) {
    QImage img(s.picture, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect& sc = s.screen;
    const qreal w = s.picture.width();
    // The key half runs on past the bottom of the picture.
    const QRectF lower(6, sc.bottom() + 38, w - 12, 80);
    DrawShell(p, lower, 18, s.light.darker(108), s.dark);
    const QRectF upper(2, 2, w - 4, sc.bottom() + 31);
    DrawShell(p, upper, 26, s.light, s.dark);
    const QRectF bezel(sc.left() - 22, sc.top() - 26, sc.width() + 44, sc.height() + 48);
    DrawBezel(p, bezel, 14);
    DrawEarpiece(p, QPointF(w / 2, bezel.top() + 11), 46);
    p.setPen(Qt::NoPen);
    p.setBrush(s.accent);
    p.drawEllipse(QPointF(bezel.left() + 16, bezel.top() + 11), 2.2, 2.2);  // status lamp
    p.setBrush(QColor(8, 9, 11));
    p.drawEllipse(QPointF(bezel.right() - 16, bezel.top() + 11), 3.2, 3.2);  // camera
    DrawHinge(p, QRectF(14, upper.bottom() - 8, w - 28, 22), s.light, s.dark);
    DrawScreen(p, sc);
    return img;
}

QImage DrawBar(const Skin& s, bool antenna) {
    QImage img(s.picture, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect& sc = s.screen;
    const qreal w = s.picture.width(), h = s.picture.height();
    const qreal top = antenna ? 18 : 2;
    const qreal scale = sc.width() / 240.0 < 0.7 ? 0.7 : 1.0;  // controls on the small handset
    if (antenna) DrawAntenna(p, QRectF(w - 48, 0, 14, top + 16), s.dark.darker(130));
    DrawShell(p, QRectF(2, top, w - 4, h - top - 2), antenna ? 26 : 34, s.light, s.dark);
    const QRectF bezel(sc.left() - kSmallestMargin, sc.top() - 22, sc.width() + 2 * kSmallestMargin, sc.height() + 22 + 22);
    DrawBezel(p, bezel, 12 * scale);
    DrawEarpiece(p, QPointF(w / 2, (top + bezel.top()) / 2 + (antenna ? 1 : 6)), 40 * scale);
    const qreal navRadius = 19 * scale;
    const QRectF band(sc.left() - 6 * scale, bezel.bottom() + 8 * scale, sc.width() + 12 * scale, 38 * scale);
    const QColor keyFace(236, 238, 241);
    DrawControlKeys(p, band, keyFace, s.accent, navRadius);
    const qreal keyTop = band.bottom() + 9 * scale;
    const QRectF keypad(sc.left(), keyTop, sc.width(), h - keyTop - 17 * scale);
    DrawKeypad(p, keypad, keyFace, 12 * scale, 5 * scale);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawEllipse(QPointF(w / 2, h - 9 * scale), 1.6, 1.6);  // microphone
    DrawScreen(p, sc);
    return img;
}

// The skin file is Shift_JIS with CR LF line ends, like every INI file the
// program reads; glibc's iconv knows the Windows form of Shift_JIS.
bool WriteSkinFile(const QString& path, const Skin& s) {
    const QRect& r = s.screen;
    const std::string text = std::string("[QuenbySkin]\r\n") + "Name=" + s.name + "\r\n" + "Version=1.0\r\n" +
                             "Copyright=(C) Quenby project\r\n" + "comment=" + s.comment + "\r\n" + "[vUzezozi]\r\n" +
                             "BGFile=art/" + s.stem + ".png\r\n" + "BrowserLeft=" + std::to_string(r.left()) + "\r\n" +
                             "BrowserTop=" + std::to_string(r.top()) + "\r\n" + "BrowserWidth=" +
                             std::to_string(r.width()) + "\r\n" + "BrowserHeight=" + std::to_string(r.height()) +
                             "\r\n" + "css=css/" + s.stem + ".css\r\n" + "[QuenbyHandset]\r\n" +
                             "Profile=" + s.handset + "\r\n";
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string out(text.size() * 2, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* o = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0) return false;
    out.resize(out.size() - outLeft);
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(out.data(), static_cast<qint64>(out.size())) == static_cast<qint64>(out.size());
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const std::vector<Skin> skins = {
        {"fold240x320", "Fold 240x320",
         "折りたたみ型の端末です。\\n画面は 240×320 ドット、1 行に全角 20 文字。", Style::Fold, QSize(316, 420),
         QRect(38, 42, 240, 320), QColor(104, 140, 196), QColor(26, 44, 92), QColor(90, 200, 255), "7.0"},
        {"bar240x270", "Bar 240x270",
         "ストレート型の端末です。\\n画面は 240×270 ドット、1 行に全角 20 文字。", Style::Bar, QSize(300, 506),
         QRect(30, 50, 240, 270), QColor(226, 104, 96), QColor(128, 28, 32), QColor(255, 170, 60), "5.0"},
        {"compact120x130", "Compact 120x130",
         "アンテナ付きの小型ストレート端末です。\\n画面は 120×130 ドット、1 行に全角 10 文字。", Style::CompactBar,
         QSize(176, 356), QRect(28, 62, 120, 130), QColor(132, 200, 172), QColor(36, 100, 82), QColor(250, 220, 90),
         "3.0"},
    };
    bool ok = out.mkpath(QStringLiteral("art"));
    for (const Skin& s : skins) {
        const QRect& r = s.screen;
        if (r.left() < kSmallestMargin || r.top() < kSmallestMargin ||
            s.picture.width() - r.right() - 1 < kSmallestMargin ||
            s.picture.height() - r.bottom() - 1 < kSmallestMargin) {
            std::fprintf(stderr, "%s: the screen is too close to the picture's edge\n", s.stem);
            ok = false;
            continue;
        }
        const QImage picture = s.style == Style::Fold ? DrawFold(s) : DrawBar(s, s.style == Style::CompactBar);
        const QString stem = QString::fromLatin1(s.stem);
        const QString png = out.filePath(QStringLiteral("art/") + stem + QStringLiteral(".png"));
        if (!picture.convertToFormat(QImage::Format_ARGB32).save(png, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
            ok = false;
        }
        const QString ini = out.filePath(stem + QStringLiteral(".ini"));
        if (!WriteSkinFile(ini, s)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(ini));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

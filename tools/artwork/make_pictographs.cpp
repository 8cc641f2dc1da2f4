// Draws the 166 basic pictographs as image/1.gif ... image/166.gif for the
// preview, and the pictograph palette's picture image/palette.png. Run it
// after changing a drawing and commit what it writes:
//   QT_QPA_PLATFORM=offscreen build/bin/quenby-make-pictographs data/image [/tmp/pictographs-sheet.png]
// The optional second file is a contact sheet of all of them, enlarged, on
// white and on black, for looking them over; keep it out of the repository.
//
// Needs Debian's unicode-data (/usr/share/unicode/EmojiSources.txt, which
// ties each handset code to a Unicode emoji) and fonts-noto-color-emoji
// (the emoji are rendered from its 109-pixel bitmaps and scaled down). The
// few pictographs Unicode has no counterpart for are drawn here, pixel by
// pixel, as a letter, mark or their own number in a box; so are the keypad
// keys, "FREE" and "NEW", whose emoji are lettering too fine to survive the
// scaling. The number of each pictograph and its code come from the
// program's own table (PictographCode), so the pictures always match the
// references the editor inserts and the preview replaces.
//
// Each picture is 12 x 12, the handset's character cell, and is written as a
// GIF89a with one transparent palette entry through giflib (Debian's
// libgif-dev; Qt reads GIF but cannot write it). Every file is read back with
// QImage and compared with what was meant to be written.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTextLayout>
#include <QTextStream>

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "control/view/pictograph_art.h"
#include "host/preview/html_conv.h"

namespace {

namespace preview = quenby::preview;

constexpr int kCell = 12;
constexpr int kCount = 166;
const char* const kEmojiSources = "/usr/share/unicode/EmojiSources.txt";
const char* const kEmojiFont = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";

// Handset code -> Unicode code points. Each line of the file is the code
// points, then one Shift_JIS code per network; these handsets' network is
// the first of them, the line's second field.
std::map<int, std::vector<char32_t>> ReadEmojiSources(const QString& path) {
    std::map<int, std::vector<char32_t>> map;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return map;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList fields = line.split(QLatin1Char(';'));
        if (fields.size() < 2 || fields[1].trimmed().isEmpty()) continue;
        bool ok = false;
        const int code = fields[1].trimmed().toInt(&ok, 16);
        if (!ok) continue;
        std::vector<char32_t> points;
        for (const QString& cp : fields[0].split(QLatin1Char(' '), Qt::SkipEmptyParts))
            points.push_back(static_cast<char32_t>(cp.toUInt(nullptr, 16)));
        map[code] = points;
    }
    return map;
}

// Renders the emoji from its large bitmap, then fits it to the cell keeping
// its proportions: the glyph's own padding is cut off first so it fills
// the cell the way the handset's pictographs do.
QImage RenderEmoji(const QString& family, const std::vector<char32_t>& points) {
    // Keycaps stay without the emoji presentation selector: Qt takes the
    // selector from another font, which splits the keycap in two.
    QString text;
    for (char32_t cp : points) text += QString::fromUcs4(&cp, 1);
    const QImage square = tarn::view::RenderEmojiSquare(family, text);
    if (square.isNull()) return {};
    return square.scaled(kCell, kCell, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

// --- Our own drawings --------------------------------------------------

// Letters and digits as pixel patterns, 7 rows (5 for the narrow letters
// that must fit four to a cell); '#' is ink. "f", "e" and "n" are narrow
// forms of F, E and N.
const std::map<char, std::vector<const char*>>& Glyphs() {
    static const std::map<char, std::vector<const char*>> glyphs = {
        {'i', {"##", "..", "##", "##", "##", "##", "##"}},
        {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {'F', {"####", "#...", "#...", "###.", "#...", "#...", "#..."}},
        {'D', {"###.", "#..#", "#..#", "#..#", "#..#", "#..#", "###."}},
        {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
        {'v', {".....", "....#", "...##", "#..#.", "##.#.", ".##..", "..#.."}},  // a check mark
        {'f', {"##", "#.", "##", "#.", "#."}},
        {'e', {"##", "#.", "##", "#.", "##"}},
        {'n', {"##.", "#.#", "#.#", "#.#", "#.#"}},
        {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
        {'W', {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}},
        {'0', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
        {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
        {'#', {".#.#.", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", ".#.#."}},
    };
    return glyphs;
}

void PutGlyph(QImage& img, char c, int x0, int y0, QColor ink) {
    const auto& rows = Glyphs().at(c);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; rows[y][x]; ++x)
            if (rows[y][x] == '#') img.setPixelColor(x0 + x, y0 + y, ink);
}

int GlyphWidth(char c) { return static_cast<int>(std::strlen(Glyphs().at(c)[0])); }

// A 12 x 12 box with its corner pixels cut, filled or only framed.
QImage Box(const QColor& colour, bool filled) {
    QImage img(kCell, kCell, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const bool edgeX = x == 0 || x == kCell - 1, edgeY = y == 0 || y == kCell - 1;
            if (edgeX && edgeY) continue;
            if (filled || edgeX || edgeY) img.setPixelColor(x, y, colour);
        }
    return img;
}

// Letters centred in the cell, one pixel apart.
void PutWord(QImage& img, const char* word, const QColor& ink, int top = 2) {
    int width = -1;
    for (const char* c = word; *c; ++c) width += GlyphWidth(*c) + 1;
    int x = (kCell - width) / 2;
    for (const char* c = word; *c; ++c) {
        PutGlyph(img, *c, x, top, ink);
        x += GlyphWidth(*c) + 1;
    }
}

// A key of the keypad: a raised box, its face one pixel smaller than the
// cell, with the digit in white.
QImage Keycap(char label) {
    const QColor face(88, 118, 140), shadow(52, 72, 88);
    QImage img = Box(shadow, true);
    for (int y = 0; y < kCell - 1; ++y)
        for (int x = 0; x < kCell - 1; ++x)
            if (!((x == 0 || x == kCell - 2) && (y == 0 || y == kCell - 2))) img.setPixelColor(x, y, face);
    PutGlyph(img, label, 3, 2, Qt::white);
    return img;
}

// A pictograph with no emoji and no drawing of its own: its number in
// small white digits on a filled box, so it can at least be told apart and
// looked up. The digits are 3 x 5 ("1" is 2 wide), so three of them fit.
QImage NumberBox(int n) {
    static const char* const digits[10][5] = {
        {"###", "#.#", "#.#", "#.#", "###"}, {".#", "##", ".#", ".#", ".#"}, {"###", "..#", "###", "#..", "###"},
        {"###", "..#", ".##", "..#", "###"}, {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
        {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", ".#.", ".#."}, {"###", "#.#", "###", "#.#", "###"},
        {"###", "#.#", "###", "..#", "###"},
    };
    const std::string text = std::to_string(n);
    int width = -1;
    for (char c : text) width += static_cast<int>(std::strlen(digits[c - '0'][0])) + 1;
    QImage img = Box(QColor(104, 84, 150), true);
    int x0 = (kCell - width + 1) / 2;
    for (char c : text) {
        const auto& rows = digits[c - '0'];
        for (int y = 0; y < 5; ++y)
            for (int x = 0; rows[y][x]; ++x)
                if (rows[y][x] == '#') img.setPixelColor(x0 + x, 4 + y, Qt::white);
        x0 += static_cast<int>(std::strlen(rows[0])) + 1;
    }
    return img;
}

// Pictographs Unicode has no counterpart for, and those whose rendering is
// text too small to read in a cell (the keypad keys, "FREE", "NEW").
QImage DrawOwn(int n) {
    const QColor red(220, 40, 40), blue(30, 90, 200), green(20, 150, 70), gold(230, 170, 20);
    switch (n) {
    case 108: {  // the browser service's mark: a white "i" on a filled box
        QImage img = Box(red, true);
        PutWord(img, "i", Qt::white);
        return img;
    }
    case 109: {  // the same mark in a frame
        QImage img = Box(red, false);
        PutWord(img, "i", red);
        return img;
    }
    case 111: {  // provided by the network: a check mark in a box
        QImage img = Box(blue, true);
        PutWord(img, "v", Qt::white);
        return img;
    }
    case 112: {  // points: a coin with a "P"
        QImage img(kCell, kCell, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(gold.darker(140), 1));
            p.setBrush(gold);
            p.drawEllipse(QRectF(0.5, 0.5, kCell - 1, kCell - 1));
        }
        img = img.convertToFormat(QImage::Format_ARGB32);
        PutWord(img, "P", Qt::white);
        return img;
    }
    case 114: {  // free of charge: the word fills the cell, so dark ink on a pale box
        QImage img = Box(QColor(206, 240, 196), true);
        PutWord(img, "fRee", QColor(0, 110, 40), 4);
        return img;
    }
    case 120: {  // new
        QImage img = Box(QColor(255, 226, 90), true);
        PutWord(img, "neW", QColor(210, 30, 30), 4);
        return img;
    }
    case 122: {  // toll-free number
        QImage img = Box(green, true);
        PutWord(img, "FD", Qt::white);
        return img;
    }
    case 123:
        return Keycap('#');
    case 124: {  // the network's question service
        QImage img = Box(blue, true);
        PutWord(img, "Q", Qt::white);
        return img;
    }
    default:
        if (n >= 125 && n <= 133) return Keycap(static_cast<char>('1' + (n - 125)));
        if (n == 134) return Keycap('0');
        return NumberBox(n);
    }
}

// Drawn here although Unicode has them: their emoji is text that a cell
// cannot hold legibly.
bool DrawnForLegibility(int n) { return n == 114 || n == 120 || (n >= 123 && n <= 134 && n != 124); }

// --- GIF ---------------------------------------------------------------

// GIF has only on/off transparency. A pixel at least half covered keeps its
// own colour, so the edges look the same on any page background.
QImage Flatten(const QImage& argb) {
    QImage out = argb.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = qAlpha(row[x]) >= 128 ? (row[x] | 0xFF000000u) : 0u;
    }
    return out;
}

// A still GIF89a of a flattened picture: palette entry 0 is the transparent
// one (white, for viewers that ignore transparency), the picture's own
// colours follow. A 12 x 12 picture never has more than 144 colours, so the
// palette is exact. False, with the reason on stderr, when giflib fails.
bool WriteGif(const QString& file, const QImage& flat) {
    std::vector<GifColorType> colours = {GifColorType{255, 255, 255}};
    QHash<QRgb, GifPixelType> index;
    std::vector<GifPixelType> pixels;
    for (int y = 0; y < flat.height(); ++y)
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb c = flat.pixel(x, y);
            if (qAlpha(c) == 0) {
                pixels.push_back(0);
                continue;
            }
            auto it = index.find(c);
            if (it == index.end()) {
                if (colours.size() == 256) return false;
                it = index.insert(c, static_cast<GifPixelType>(colours.size()));
                colours.push_back(GifColorType{static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                                               static_cast<GifByteType>(qBlue(c))});
            }
            pixels.push_back(it.value());
        }
    // giflib wants a power of two entries, at least two.
    int size = 2;
    while (size < static_cast<int>(colours.size())) size *= 2;
    colours.resize(static_cast<size_t>(size), GifColorType{0, 0, 0});

    int error = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(file).constData(), false, &error);
    if (!gif) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(file), GifErrorString(error));
        return false;
    }
    ColorMapObject* map = GifMakeMapObject(size, colours.data());
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.TransparentColor = 0;
    GifByteType extension[4];
    const size_t extensionLength = EGifGCBToExtension(&gcb, extension);
    EGifSetGifVersion(gif, true);
    bool ok = map && EGifPutScreenDesc(gif, flat.width(), flat.height(), 8, 0, map) == GIF_OK &&
              EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionLength), extension) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, flat.width(), flat.height(), false, nullptr) == GIF_OK &&
              EGifPutLine(gif, pixels.data(), static_cast<int>(pixels.size())) == GIF_OK;
    if (!ok) std::fprintf(stderr, "%s: %s\n", qPrintable(file), GifErrorString(gif->Error));
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(file), GifErrorString(error));
        ok = false;
    }
    return ok;
}

bool SameAsWritten(const QString& file, const QImage& flat) {
    const QImage back = QImage(file).convertToFormat(QImage::Format_ARGB32);
    if (back.size() != flat.size()) return false;
    for (int y = 0; y < flat.height(); ++y)
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb a = back.pixel(x, y), b = flat.pixel(x, y);
            if (qAlpha(a) != qAlpha(b) || (qAlpha(b) != 0 && a != b)) return false;
        }
    return true;
}

// --- Pictures made of pictographs --------------------------------------

// 16 columns by 11 rows of 19-pixel cells with light grid lines; pictograph
// r * 16 + c + 1 sits in the middle of cell (c, r).
QImage Palette(const std::vector<QImage>& pictographs) {
    constexpr int kColumns = 16, kRows = 11, kStep = 19;
    QImage img(kColumns * kStep + 1, kRows * kStep + 1, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(208, 212, 218));
    for (int c = 0; c <= kColumns; ++c) p.drawLine(c * kStep, 0, c * kStep, kRows * kStep);
    for (int r = 0; r <= kRows; ++r) p.drawLine(0, r * kStep, kColumns * kStep, r * kStep);
    const int inset = (kStep + 1 - kCell) / 2;
    for (int n = 1; n <= kCount; ++n) {
        const int c = (n - 1) % kColumns, r = (n - 1) / kColumns;
        p.drawImage(c * kStep + inset, r * kStep + inset, pictographs[n - 1]);
    }
    return img;
}

QImage ContactSheet(const std::vector<QImage>& pictographs) {
    constexpr int kColumns = 12, kZoom = 4, kPitch = kCell * kZoom + 12;
    const int rows = (kCount + kColumns - 1) / kColumns;
    QImage img(kColumns * kPitch * 2 + 20, rows * (kPitch + 12) + 10, QImage::Format_RGB32);
    img.fill(QColor(128, 128, 128));
    QPainter p(&img);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    p.setFont(font);
    for (int half = 0; half < 2; ++half) {
        const int left = half * (kColumns * kPitch + 20);
        p.fillRect(left, 0, kColumns * kPitch, img.height(), half == 0 ? Qt::white : Qt::black);
        p.setPen(half == 0 ? Qt::black : Qt::white);
        for (int n = 1; n <= kCount; ++n) {
            const int c = (n - 1) % kColumns, r = (n - 1) / kColumns;
            const int x = left + c * kPitch + 6, y = r * (kPitch + 12) + 6;
            p.drawImage(QRect(x, y, kCell * kZoom, kCell * kZoom), pictographs[n - 1]);
            p.drawText(QRect(x - 6, y + kCell * kZoom, kPitch, 14), Qt::AlignCenter, QString::number(n));
        }
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const auto sources = ReadEmojiSources(QString::fromLatin1(kEmojiSources));
    if (sources.empty()) {
        std::fprintf(stderr, "cannot read %s (Debian package unicode-data)\n", kEmojiSources);
        return 1;
    }
    const int fontId = QFontDatabase::addApplicationFont(QString::fromLatin1(kEmojiFont));
    if (fontId < 0) {
        std::fprintf(stderr, "cannot load %s (Debian package fonts-noto-color-emoji)\n", kEmojiFont);
        return 1;
    }
    const QString family = QFontDatabase::applicationFontFamilies(fontId).value(0);

    bool ok = out.mkpath(QStringLiteral("."));
    std::vector<QImage> pictographs;
    std::vector<int> ownDrawings, legibility;
    for (int n = 1; n <= kCount; ++n) {
        const auto it = sources.find(preview::PictographCode(n));
        QImage img;
        if (it == sources.end() || DrawnForLegibility(n)) {
            img = DrawOwn(n);
            (it == sources.end() ? ownDrawings : legibility).push_back(n);
        } else {
            img = RenderEmoji(family, it->second);
        }
        if (img.isNull()) {
            std::fprintf(stderr, "%d (%04X): nothing to draw\n", n, preview::PictographCode(n));
            ok = false;
            img = QImage(kCell, kCell, QImage::Format_ARGB32);
            img.fill(Qt::transparent);
        }
        const QImage flat = Flatten(img);
        pictographs.push_back(flat);
        const QString file = out.filePath(QString::number(n) + QStringLiteral(".gif"));
        if (!WriteGif(file, flat)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ok = false;
            continue;
        }
        if (!SameAsWritten(file, flat)) {
            std::fprintf(stderr, "%s does not read back as written\n", qPrintable(file));
            ok = false;
        }
    }
    const QString palette = out.filePath(QStringLiteral("palette.png"));
    if (!Palette(pictographs).save(palette, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(palette));
        ok = false;
    }
    if (argc > 2 && !ContactSheet(pictographs).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        ok = false;
    }
    auto list = [](const std::vector<int>& numbers) {
        std::string text;
        for (int n : numbers) text += (text.empty() ? "" : " ") + std::to_string(n);
        return text;
    };
    std::printf("%d pictographs; drawn here, no emoji: %s; drawn here to be legible: %s\n", kCount,
                list(ownDrawings).c_str(), list(legibility).c_str());
    return ok ? 0 : 1;
}

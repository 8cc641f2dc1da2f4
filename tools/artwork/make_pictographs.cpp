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
// pixel, as a letter or mark in a box; so are the keypad keys, "FREE" and
// "NEW", whose emoji are lettering too fine to survive the scaling.
//
// Each picture is 12 x 12, the handset's character cell, and is written as a
// GIF89a with one transparent palette entry by the small encoder below (Qt
// reads GIF but cannot write it). Every file is read back with QImage and
// compared with what was meant to be written.
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

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kCell = 12;
constexpr int kCount = 166;
const char* const kEmojiSources = "/usr/share/unicode/EmojiSources.txt";
const char* const kEmojiFont = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";

// The handset's Shift_JIS code of pictograph n. The numbering follows the
// handsets' own table: 1-94 are F89F-F8FC, 95-104 the moons, dog, cat,
// resort, tree and arrow at F940-F949, then F972-F97E, F980-F990, the
// "OK" mark at F9B0 and F991-F9AF.
int HandsetCode(int n) {
    if (n <= 94) return 0xF89F + (n - 1);
    if (n <= 104) return 0xF940 + (n - 95);
    if (n <= 117) return 0xF972 + (n - 105);
    if (n <= 134) return 0xF980 + (n - 118);
    if (n == 135) return 0xF9B0;
    return 0xF991 + (n - 136);
}

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

// Renders the emoji from its large bitmap, then fits it to the cell keeping
// its proportions: the glyph's own padding is cut off first so it fills
// the cell the way the handset's pictographs do.
QImage RenderEmoji(const QString& family, const std::vector<char32_t>& points) {
    // Keycaps stay without the emoji presentation selector: Qt takes the
    // selector from another font, which splits the keycap in two.
    QString text;
    for (char32_t cp : points) text += QString::fromUcs4(&cp, 1);
    QFont font(family);
    font.setPixelSize(109);
    // Each pictograph must come out as one picture of the emoji font; Qt
    // would quietly take a missing one from another font.
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1 || runs[0].glyphIndexes().size() != 1 || runs[0].rawFont().familyName() != family) return {};
    QImage big(160, 160, QImage::Format_ARGB32_Premultiplied);
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
    {
        QPainter p(&square);
        p.drawImage(QPoint((side - box.width()) / 2, (side - box.height()) / 2), big, box);
    }
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
        return {};
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

class BitWriter {
public:
    void Put(unsigned code, int width) {
        acc_ |= static_cast<std::uint32_t>(code) << bits_;
        bits_ += width;
        while (bits_ >= 8) {
            bytes_.push_back(static_cast<char>(acc_ & 0xFF));
            acc_ >>= 8;
            bits_ -= 8;
        }
    }
    std::string Finish() {
        if (bits_ > 0) bytes_.push_back(static_cast<char>(acc_ & 0xFF));
        acc_ = 0, bits_ = 0;
        return bytes_;
    }

private:
    std::uint32_t acc_ = 0;
    int bits_ = 0;
    std::string bytes_;
};

// Variable-width LZW as GIF wants it: codes grow a bit once the table
// reaches the next power of two, and the table starts over when full.
std::string Lzw(const std::vector<std::uint8_t>& pixels, int minCodeSize) {
    const unsigned clear = 1u << minCodeSize, end = clear + 1;
    BitWriter out;
    std::unordered_map<std::uint32_t, unsigned> table;
    unsigned next = end + 1;
    int width = minCodeSize + 1;
    out.Put(clear, width);
    if (pixels.empty()) {
        out.Put(end, width);
        return out.Finish();
    }
    unsigned prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (prefix << 8) | pixels[i];
        if (const auto it = table.find(key); it != table.end()) {
            prefix = it->second;
            continue;
        }
        out.Put(prefix, width);
        if (next < 4096) {
            table.emplace(key, next);
            if (next == (1u << width) && width < 12) ++width;
            ++next;
        } else {
            out.Put(clear, width);
            table.clear();
            next = end + 1;
            width = minCodeSize + 1;
        }
        prefix = pixels[i];
    }
    out.Put(prefix, width);
    out.Put(end, width);
    return out.Finish();
}

void Put16(std::string& s, int v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

// A still GIF89a of a flattened picture: palette entry 0 is the transparent
// one (white, for viewers that ignore transparency), the picture's own
// colours follow. A 12 x 12 picture never has more than 144 colours, so the
// palette is exact.
std::string EncodeGif(const QImage& flat) {
    std::vector<QRgb> palette = {0x00FFFFFFu};
    QHash<QRgb, std::uint8_t> index;
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < flat.height(); ++y)
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb c = flat.pixel(x, y);
            if (qAlpha(c) == 0) {
                pixels.push_back(0);
                continue;
            }
            auto it = index.find(c);
            if (it == index.end()) {
                if (palette.size() == 256) return {};
                it = index.insert(c, static_cast<std::uint8_t>(palette.size()));
                palette.push_back(c);
            }
            pixels.push_back(it.value());
        }
    int bits = 1;
    while ((1u << bits) < palette.size()) ++bits;
    palette.resize(size_t{1} << bits, 0);
    std::string gif = "GIF89a";
    Put16(gif, flat.width());
    Put16(gif, flat.height());
    gif.push_back(static_cast<char>(0x80 | 0x70 | (bits - 1)));  // global table, 8-bit colour
    gif.push_back(0);                                            // background: the transparent entry
    gif.push_back(0);                                            // square pixels
    for (QRgb c : palette) {
        gif.push_back(static_cast<char>(qRed(c)));
        gif.push_back(static_cast<char>(qGreen(c)));
        gif.push_back(static_cast<char>(qBlue(c)));
    }
    gif += std::string("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);  // entry 0 is transparent
    gif.push_back(0x2C);
    Put16(gif, 0);
    Put16(gif, 0);
    Put16(gif, flat.width());
    Put16(gif, flat.height());
    gif.push_back(0);
    const int minCodeSize = std::max(2, bits);
    gif.push_back(static_cast<char>(minCodeSize));
    const std::string data = Lzw(pixels, minCodeSize);
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t n = std::min<size_t>(255, data.size() - at);
        gif.push_back(static_cast<char>(n));
        gif.append(data, at, n);
    }
    gif.push_back(0);
    gif.push_back(0x3B);
    return gif;
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
        const auto it = sources.find(HandsetCode(n));
        QImage img;
        if (it == sources.end() || DrawnForLegibility(n)) {
            img = DrawOwn(n);
            (it == sources.end() ? ownDrawings : legibility).push_back(n);
        } else {
            img = RenderEmoji(family, it->second);
        }
        if (img.isNull()) {
            std::fprintf(stderr, "%d (%04X): nothing to draw\n", n, HandsetCode(n));
            ok = false;
            img = QImage(kCell, kCell, QImage::Format_ARGB32);
            img.fill(Qt::transparent);
        }
        const QImage flat = Flatten(img);
        pictographs.push_back(flat);
        const QString file = out.filePath(QString::number(n) + QStringLiteral(".gif"));
        const std::string gif = EncodeGif(flat);
        QFile f(file);
        if (gif.empty() || !f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(gif.data(), static_cast<qint64>(gif.size())) != static_cast<qint64>(gif.size())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ok = false;
            continue;
        }
        f.close();
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

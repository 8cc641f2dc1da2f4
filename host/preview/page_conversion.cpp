#include "host/preview/page_conversion.h"

#include <QHash>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "host/common/pattern.h"
#include "host/preview/html_conv.h"

namespace quenby::preview {
namespace {

// The attributes whose double-quoted values the link rules prefix, in the
// order the rules take them.
const std::array<QString, 3>& Attributes() {
    static const std::array<QString, 3> names = {QStringLiteral("href=\""), QStringLiteral("src=\""),
                                                 QStringLiteral("action=\"")};
    return names;
}

std::u16string_view U16(QStringView s) { return {s.utf16(), static_cast<std::size_t>(s.size())}; }

// What the rules derive from the page address.
struct LinkBase {
    QString url;     // U
    QString root;    // R: scheme and host
    QString folder;  // B: up to and including the last "/"
    QString prefix;  // what goes in front of every double-quoted value
};

LinkBase BaseOf(const QString& url) {
    LinkBase b;
    b.url = url;
    b.root = UrlRoot(url);
    const qsizetype slash = url.lastIndexOf(QLatin1Char('/'));
    b.folder = url.left(slash + 1);
    if (url.endsWith(QLatin1Char('/')))
        b.prefix = url;
    else if (LikeMatch(U16(QStringView(url).mid(slash + 1)), u"*.htm*"))
        b.prefix = b.folder;
    else
        b.prefix = url + QLatin1Char('/');
    return b;
}

// Removes CR LF pairs as a left-to-right replace would ("\r\r\n" keeps its
// first CR).
void AppendWithoutLineBreaks(QString& out, QStringView s) {
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = s.indexOf(QLatin1String("\r\n"), from);
        if (at < 0) break;
        out += s.mid(from, at - from);
        from = at + 2;
    }
    out += s.mid(from);
}

// The link rules exactly as written: whole-text replaces in their order.
QString PlainRules(const QString& text, const LinkBase& b) {
    QString t = text;
    t.replace(QLatin1String("href=\"#"), QLatin1String("href=\"") + b.url + QLatin1Char('#'));
    for (const QString& attr : Attributes()) t.replace(attr, attr + b.prefix);
    for (const QString& attr : Attributes()) {
        t.replace(attr + b.url + QLatin1String("/http://"), attr + QLatin1String("http://"));
        t.replace(attr + b.url + QLatin1String("//"), attr + b.root + QLatin1Char('/'));
        t.replace(attr + b.url + QLatin1Char('/'), attr + b.root + QLatin1Char('/'));
    }
    if (!b.folder.isEmpty()) t.replace(b.folder + b.folder, b.folder);
    QString out;
    out.reserve(t.size());
    AppendWithoutLineBreaks(out, t);
    return out;
}

// The correction below reasons about web addresses only; anything else
// (a local file's empty address above all) keeps the plain rules.
bool CorrectableAddress(const QString& url) {
    const bool web = url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                     url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    return web && !url.contains(QLatin1Char('"')) && !url.contains(QLatin1Char('\\')) &&
           !url.contains(QLatin1Char('\r')) && !url.contains(QLatin1Char('\n'));
}

bool IsAsciiLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// "http://", "mailto:", "tel:" ...: a value naming its own scheme.
bool HasScheme(QStringView v) {
    if (v.isEmpty() || !IsAsciiLetter(v[0])) return false;
    for (qsizetype i = 1; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c == QLatin1Char(':')) return true;
        if (!IsAsciiLetter(c) && !c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-') &&
            c != QLatin1Char('.'))
            return false;
        if (c.unicode() > 0x7f) return false;
    }
    return false;
}

// Where a browser showing the page at url would take the value v.
QString Resolve(QStringView v, const QString& url) {
    const qsizetype hash = url.indexOf(QLatin1Char('#'));
    const QString document = url.left(hash < 0 ? url.size() : hash);
    const qsizetype query = document.indexOf(QLatin1Char('?'));
    const QString path = document.left(query < 0 ? document.size() : query);
    const QString root = UrlRoot(path);
    QString base;
    if (v.isEmpty())
        base = document;
    else if (HasScheme(v))
        base = QString();
    else if (v.startsWith(QLatin1String("//")))
        base = url.left(url.indexOf(QLatin1Char(':')) + 1);
    else if (v.startsWith(QLatin1Char('/')))
        base = root;
    else if (v.startsWith(QLatin1Char('#')))
        base = document;
    else if (v.startsWith(QLatin1Char('?')))
        base = path;
    else if (path.size() <= root.size())
        base = root + QLatin1Char('/');
    else
        base = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
    return base + v.toString();
}

// The rules leave some values pointing where the page never meant: an
// absolute value with the page's folder in front, a root-relative one under
// the page's folder, a relative one under the host when the page has a path.
// Those are resolved as a browser would; every other value keeps what the
// rules made of it. The text is cut in front of each attribute the rules
// prefix; each value is rewritten on its own and the text between with the
// rules that can touch it. The pieces put together must give the plain
// result exactly, or the plain result stands.
QString CorrectValues(const QString& text, const QString& plain, const LinkBase& b) {
    std::vector<std::pair<qsizetype, int>> sites;
    for (int a = 0; a < 3; ++a)
        for (qsizetype at = text.indexOf(Attributes()[a]); at >= 0; at = text.indexOf(Attributes()[a], at + 1))
            sites.emplace_back(at, a);
    if (sites.empty()) return plain;
    std::sort(sites.begin(), sites.end());

    const QString doubledFolder = b.folder + b.folder;
    QString joined;
    QString corrected;
    joined.reserve(plain.size());
    corrected.reserve(plain.size());
    bool changed = false;
    // Text with no attribute in it: only the folder rule and the line joins
    // can touch it.
    const auto appendBetween = [&](QStringView between) {
        QString t = between.toString();
        if (!b.folder.isEmpty() && t.contains(doubledFolder)) t.replace(doubledFolder, b.folder);
        const qsizetype before = joined.size();
        AppendWithoutLineBreaks(joined, t);
        corrected += QStringView(joined).mid(before);
    };
    QHash<QString, QString> valueCache;
    appendBetween(QStringView(text).left(sites.front().first));
    for (std::size_t i = 0; i < sites.size(); ++i) {
        const qsizetype start = sites[i].first;
        const qsizetype end = i + 1 < sites.size() ? sites[i + 1].first : text.size();
        const QString& attr = Attributes()[sites[i].second];
        const QStringView piece = QStringView(text).mid(start, end - start);
        const qsizetype quote = piece.indexOf(QLatin1Char('"'), attr.size());
        if (quote < 0) {
            const QString rewritten = PlainRules(piece.toString(), b);
            joined += rewritten;
            corrected += rewritten;
            continue;
        }
        const QString head = piece.left(quote).toString();
        auto cached = valueCache.constFind(head);
        if (cached == valueCache.constEnd()) cached = valueCache.insert(head, PlainRules(head, b));
        const QString& rewritten = *cached;
        joined += rewritten;
        const QStringView value = QStringView(head).mid(attr.size());
        const bool plainValue = value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')) ||
                                !rewritten.startsWith(attr);
        const QString resolved = plainValue ? QString() : Resolve(value, b.url);
        if (!plainValue && QStringView(rewritten).mid(attr.size()) != resolved) {
            corrected += attr + resolved;
            changed = true;
        } else {
            corrected += rewritten;
        }
        appendBetween(piece.mid(quote));
    }
    if (!changed || joined != plain) return plain;
    return corrected;
}

}  // namespace

QString RewriteLinks(const QString& text, const QString& pageUrl) {
    const LinkBase b = BaseOf(pageUrl);
    const QString plain = PlainRules(text, b);
    if (!CorrectableAddress(pageUrl)) return plain;
    return CorrectValues(text, plain, b);
}

QString StyleSheetLine(const QString& sheetPath) {
    return QLatin1String("<link rel='stylesheet' href='") + sheetPath + QLatin1String("' type='text/css'>");
}

QString ErrorPage(const QString& pageUrl) {
    const QStringList lines = {
        QStringLiteral("<HTML>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<H1 style=\"font-size:20px;color:#0000FF;\">ページを表示できません</H1>"),
        QStringLiteral("<HR>"),
        QStringLiteral("検索中のページは現在、使用できません。<BR>"),
        QStringLiteral("<SPAN style=\"font-size:12px;color:#0000FF;\">") + pageUrl + QStringLiteral("</SPAN>"),
        QString(),
        QStringLiteral("<UL>"),
        QStringLiteral("  <LI>・タイムアウトになった可能性があります。"),
        QStringLiteral("  <LI>・実記では表示できる可能性があります。実記では表示できる可能性があります。"),
        QStringLiteral("</UL>"),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

PreviewFile BuildPreviewFile(const std::optional<QString>& source, const QString& pageUrl, const QString& sheetPath,
                             const QString& programFolder) {
    const QString lineBreak = QStringLiteral("\r\n");
    if (source) {
        const QString page = RewriteLinks(*source, pageUrl);
        if (!page.isEmpty())
            return {StyleSheetLine(sheetPath) + lineBreak + HTMLConv(page, programFolder) + lineBreak, true};
    }
    return {StyleSheetLine(sheetPath) + lineBreak + ErrorPage(pageUrl) + lineBreak, false};
}

}  // namespace quenby::preview

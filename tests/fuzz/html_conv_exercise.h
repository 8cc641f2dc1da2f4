// What the fuzzer and the corpus replay test do with one input: the first
// byte picks the page address (and, from its higher bits, a program folder
// that itself holds a pictograph reference), the rest is the page as UTF-8.
// The page goes through the link rules and the markup rewriting, and the
// rewriting is compared with a slow, literal one: whole-page replaces for
// every tag, every element span and every pictograph, just as the rules
// read. What must hold whatever the page:
//  - for a local file (empty address) the link rules are the plain
//    whole-text replaces and nothing else;
//  - the rewriting gives exactly what the literal one gives;
//  - no inline frame opening survives the rewriting.
#pragma once

#include "platform/codepage/pictographs.h"
#include <QString>

#include <array>
#include <utility>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "host/preview/html_conv.h"
#include "host/preview/page_conversion.h"

namespace html_conv_fuzz {
namespace detail {

inline char16_t Up(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; }

inline qsizetype FindCi(const QString& hay, const QString& upperNeedle, qsizetype from) {
    for (qsizetype i = from; i + upperNeedle.size() <= hay.size(); ++i) {
        qsizetype k = 0;
        while (k < upperNeedle.size() && Up(hay[i + k].unicode()) == upperNeedle[k].unicode()) ++k;
        if (k == upperNeedle.size()) return i;
    }
    return -1;
}

// Greedy left-to-right copies of needle that start before limit.
inline qsizetype CountBefore(const QString& hay, const QString& needle, qsizetype limit) {
    qsizetype count = 0;
    for (qsizetype at = hay.indexOf(needle); at >= 0 && at < limit; at = hay.indexOf(needle, at + needle.size()))
        ++count;
    return count;
}

inline void LiteralOnload(QString& copy) {
    for (;;) {
        bool removed = false;
        for (qsizetype at = FindCi(copy, QStringLiteral("ONLOAD"), 2); at >= 0;
             at = FindCi(copy, QStringLiteral("ONLOAD"), at + 1)) {
            qsizetype i = at + 6;
            while (i < copy.size() && copy[i] == u' ') ++i;
            if (i >= copy.size() || copy[i] != u'=') continue;
            ++i;
            while (i < copy.size() && copy[i] == u' ') ++i;
            qsizetype end = i;
            if (copy[i] == u'\'' || copy[i] == u'"') {
                const qsizetype close = copy.indexOf(copy[i], i + 1);
                end = close >= 0 ? close + 1 : copy.size() - 1;
            } else {
                while (copy[end] != u' ' && copy[end] != u'>') ++end;
            }
            const qsizetype start = copy[at - 1] == u' ' ? at - 1 : at;
            copy.remove(start, end - start);
            removed = true;
            break;
        }
        if (!removed) return;
    }
}

inline QString LiteralClean(QString v, const QString& name) {
    using quenby::preview::RemoveStyleProperty;
    v = RemoveStyleProperty(v, QStringLiteral("Font-Family"), QString());
    v = RemoveStyleProperty(v, QStringLiteral("Font-Weight"), QString());
    v = RemoveStyleProperty(v, QStringLiteral("Font-Size"), QStringLiteral("px"));
    v = RemoveStyleProperty(v, QStringLiteral("Font-Size"), QStringLiteral("%"));
    v = RemoveStyleProperty(v, QStringLiteral("Font-Size"), QStringLiteral("medium"));
    v = RemoveStyleProperty(v, QStringLiteral("Padding"), QString());
    v = RemoveStyleProperty(v, QStringLiteral("Margin"), QString());
    if (name == QLatin1String("BODY")) v = RemoveStyleProperty(v, QStringLiteral("Font-Size"), QString());
    if (name == QLatin1String("A") || name == QLatin1String("SPAN")) {
        v = RemoveStyleProperty(v, QStringLiteral("Color"), QString());
        v = RemoveStyleProperty(v, QStringLiteral("Font-Color"), QString());
    }
    return v;
}

inline void LiteralStyles(QString& copy) {
    const QString unchanged = copy;
    qsizetype p = FindCi(copy, QStringLiteral("STYLE"), 2);
    while (p >= 0) {
        const qsizetype eq = copy.indexOf(u'=', p);
        bool blanks = eq >= 0;
        for (qsizetype k = p + 5; blanks && k < eq; ++k) blanks = copy[k] == u' ';
        qsizetype q = eq + 1;
        while (blanks && q < copy.size() && copy[q] == u' ') ++q;
        if (!blanks || q >= copy.size() || (copy[q] != u'\'' && copy[q] != u'"')) {
            p = FindCi(copy, QStringLiteral("STYLE"), p + 6);
            continue;
        }
        const qsizetype close = copy.indexOf(copy[q], q + 1);
        if (close < 0) {
            copy = unchanged;
            return;
        }
        const QString old = copy.mid(q + 1, close - q - 1);
        const qsizetype space = copy.indexOf(u' ');
        QString name = space < 0 ? copy.mid(1) : copy.mid(1, space - 1);
        for (QChar& c : name) c = QChar(Up(c.unicode()));
        const QString cleaned = LiteralClean(old, name);
        qsizetype next = close + 1;
        if (!old.isEmpty()) {
            const qsizetype shifted = CountBefore(copy, old, q + 1) + 1;
            copy.replace(old, cleaned);
            next += shifted * (cleaned.size() - old.size());
        }
        p = FindCi(copy, QStringLiteral("STYLE"), next);
    }
}

inline QString LiteralHtmlConv(QString h, const QString& folder) {
    for (int run : {6, 5, 4, 3}) h.replace(QString(run, u' '), QStringLiteral(" "));
    do {
        h.replace(QStringLiteral("  "), QStringLiteral(" "));
        h.replace(QStringLiteral("\r\n\r\n"), QStringLiteral("\r\n"));
    } while (h.contains(QStringLiteral("  ")));

    qsizetype pos = 0;
    for (;;) {
        const qsizetype lt = h.indexOf(u'<', pos);
        if (lt < 0) break;
        const qsizetype gt = h.indexOf(u'>', lt + 1);
        if (gt < 0) break;
        const QString tag = h.mid(lt, gt - lt + 1);
        QString copy = tag;
        while (copy.contains(QStringLiteral("< "))) copy.replace(QStringLiteral("< "), QStringLiteral("<"));
        LiteralOnload(copy);
        LiteralStyles(copy);
        const qsizetype before = CountBefore(h, tag, lt);
        h.replace(tag, copy);
        pos = lt + before * (copy.size() - tag.size()) + copy.size();
    }

    h.replace(QStringLiteral("font-size :"), QStringLiteral("font-size:"));
    h.replace(QStringLiteral("font-size: "), QStringLiteral("font-size:"));
    h.replace(QStringLiteral("font-size:small"), QStringLiteral("font-size:12px"));
    h.replace(QStringLiteral("font-size:large"), QStringLiteral("font-size:18px"));

    const std::array<std::pair<const char*, const char*>, 8> passes = {{{"<STYLE", "</STYLE>"},
                                                                         {"<SCRIPT", ""},
                                                                         {"</SCRIPT", ""},
                                                                         {"<LINK", ""},
                                                                         {"<FRAME", "</FRAME>"},
                                                                         {"<NOFRAME", ""},
                                                                         {"</NOFRAME", ""},
                                                                         {"<IFRAME", "</IFRAME>"}}};
    for (const auto& [opening, closing] : passes) {
        for (qsizetype at = FindCi(h, QLatin1String(opening), 0); at >= 0;
             at = FindCi(h, QLatin1String(opening), 0)) {
            const qsizetype close = *closing ? FindCi(h, QLatin1String(closing), at) : -1;
            qsizetype end = close >= 0 ? close + qsizetype(std::strlen(closing)) : h.indexOf(u'>', at) + 1;
            if (end == 0) end = h.size();
            h.replace(h.mid(at, end - at), QString());
        }
    }

    QString image = folder;
    if (!image.endsWith(u'/')) image += u'/';
    for (int n = 1; n <= 166; ++n)
        h.replace(QStringLiteral("&#%1;").arg(quenby::preview::PictographCode(n)),
                  QStringLiteral("<IMG src='%1image/%2.gif' style='margin:0px; padding:0px; width:1em; "
                                 "height:1em;' border=0>")
                      .arg(image)
                      .arg(n));
    // Raw pictographs after the references, one character at a time.
    for (unsigned code = 0xF840; code <= 0xF9FC; ++code) {
        if (!platform::codepage::IsPictograph(std::uint16_t(code))) continue;
        const char bytes[2] = {char(code >> 8), char(code & 0xFF)};
        const QString raw = QString::fromStdU16String(platform::codepage::ToUtf16(std::string_view(bytes, 2)));
        const int n = platform::codepage::PictographNumber(std::uint16_t(code));
        h.replace(raw, n ? QStringLiteral("<IMG src='%1image/%2.gif' style='margin:0px; padding:0px; width:1em; "
                                          "height:1em;' border=0>")
                               .arg(image)
                               .arg(n)
                         : QString::fromStdU16String(platform::codepage::PictographToUnicode(std::uint16_t(code))));
    }
    return h;
}

inline QString PlainLinkRules(QString t) {
    // The address is empty: values get a "/" that absolute and
    // root-relative ones lose again.
    t.replace(QStringLiteral("href=\"#"), QStringLiteral("href=\"#"));
    for (const char* a : {"href=\"", "src=\"", "action=\""}) t.replace(QLatin1String(a), QLatin1String(a) + u'/');
    for (const char* a : {"href=\"", "src=\"", "action=\""}) {
        t.replace(QLatin1String(a) + QStringLiteral("/http://"), QLatin1String(a) + QStringLiteral("http://"));
        t.replace(QLatin1String(a) + QStringLiteral("//"), QLatin1String(a) + u'/');
    }
    t.replace(QStringLiteral("\r\n"), QString());
    return t;
}

}  // namespace detail

inline const std::array<QString, 5>& PageAddresses() {
    static const std::array<QString, 5> addresses = {
        QString(),
        QStringLiteral("http://example.jp/dir/"),
        QStringLiteral("http://example.jp/dir/page.html"),
        QStringLiteral("http://example.jp"),
        QStringLiteral("https://example.jp/cgi/list"),
    };
    return addresses;
}

// An empty string when every check holds, else what failed.
inline std::string ExerciseHtmlConv(std::string_view input) {
    if (input.empty()) return {};
    const unsigned char first = static_cast<unsigned char>(input[0]);
    const QString& url = PageAddresses()[first % 5];
    const QString folder = (first / 5) % 2 ? QStringLiteral("/opt/a&#63650;b") : QStringLiteral("/opt/quenby");
    const QString page = QString::fromUtf8(input.data() + 1, qsizetype(input.size() - 1));

    const QString links = quenby::preview::RewriteLinks(page, url);
    if (url.isEmpty() && links != detail::PlainLinkRules(page))
        return "the link rules for a local file differ from the plain replaces";

    const QString converted = quenby::preview::HTMLConv(links, folder);
    const QString literal = detail::LiteralHtmlConv(links, folder);
    if (converted != literal)
        return "HTMLConv differs from the literal rewriting:\n  got      " + converted.toStdString() +
               "\n  expected " + literal.toStdString();
    if (detail::FindCi(converted, QStringLiteral("<IFRAME"), 0) >= 0) return "an inline frame survived";
    return {};
}

}  // namespace html_conv_fuzz

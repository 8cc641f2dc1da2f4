#include "host/preview/html_conv.h"

#include "platform/codepage/pictographs.h"

#include <QDir>
#include <QHash>
#include <QStringView>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quenby::preview {
namespace {

// Only ASCII letters change case: Unicode upper-casing would change the
// length of some texts ("ß" becomes "SS") and shift every position after.
constexpr char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

QString AsciiUpper(QStringView s) {
    QString out(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i) out[i] = QChar(Upper(s[i].unicode()));
    return out;
}

// needle is upper-case already; -1 when it does not occur at or after from.
qsizetype IndexOfCi(QStringView hay, QStringView needle, qsizetype from) {
    const qsizetype n = needle.size();
    if (from < 0) from = 0;
    if (n == 0) return from <= hay.size() ? from : -1;
    const char16_t first = needle[0].unicode();
    const bool firstIsLetter = first >= u'A' && first <= u'Z';
    for (qsizetype i = from; i + n <= hay.size(); ++i) {
        if (!firstIsLetter) {
            // Tag openings start with "<": let the fast scan find the candidates.
            i = hay.indexOf(QChar(first), i);
            if (i < 0 || i + n > hay.size()) return -1;
        } else if (Upper(hay[i].unicode()) != first) {
            continue;
        }
        qsizetype k = 1;
        while (k < n && Upper(hay[i + k].unicode()) == needle[k].unicode()) ++k;
        if (k == n) return i;
    }
    return -1;
}

bool EndsWithCi(QStringView text, QStringView upperSuffix) {
    if (upperSuffix.size() > text.size()) return false;
    const qsizetype at = text.size() - upperSuffix.size();
    for (qsizetype k = 0; k < upperSuffix.size(); ++k)
        if (Upper(text[at + k].unicode()) != upperSuffix[k].unicode()) return false;
    return true;
}

// The property and suffix come upper-cased, so the many calls per style
// value do not upper-case the same constants again.
QString RemoveProperty(const QString& style, QStringView upperProperty, QStringView upperSuffix) {
    QString s = style;
    const QString suffixWithSemicolon = upperSuffix.toString() + QLatin1Char(';');
    while (!s.isEmpty()) {
        const qsizetype at = IndexOfCi(s, upperProperty, 0);
        if (at < 0) break;
        const qsizetype semicolon = s.indexOf(QLatin1Char(';'), at);
        const qsizetype end = semicolon < 0 ? s.size() : semicolon + 1;
        const QString declaration = s.mid(at, end - at);
        if (!EndsWithCi(declaration, upperSuffix) && !EndsWithCi(declaration, suffixWithSemicolon)) break;
        s.replace(declaration, QString());
    }
    return s;
}

QString CleanStyleValue(const QString& value, const QString& upperTagName) {
    QString v = value;
    v = RemoveProperty(v, u"FONT-FAMILY", u"");
    v = RemoveProperty(v, u"FONT-WEIGHT", u"");
    v = RemoveProperty(v, u"FONT-SIZE", u"PX");
    v = RemoveProperty(v, u"FONT-SIZE", u"%");
    v = RemoveProperty(v, u"FONT-SIZE", u"MEDIUM");
    v = RemoveProperty(v, u"PADDING", u"");
    v = RemoveProperty(v, u"MARGIN", u"");
    if (upperTagName == QLatin1String("BODY")) {
        v = RemoveProperty(v, u"FONT-SIZE", u"");
    } else if (upperTagName == QLatin1String("A") || upperTagName == QLatin1String("SPAN")) {
        v = RemoveProperty(v, u"COLOR", u"");
        v = RemoveProperty(v, u"FONT-COLOR", u"");
    }
    return v;
}

// Replacing "< " by "<" until none is left drops every run of spaces right
// after a "<"; done in one sweep so a long run costs one pass, not one per
// space.
QString JoinSpaceAfterOpening(QStringView tag) {
    QString out;
    out.reserve(tag.size());
    for (qsizetype i = 0; i < tag.size(); ++i) {
        out.append(tag[i]);
        if (tag[i] == QLatin1Char('<'))
            while (i + 1 < tag.size() && tag[i + 1] == QLatin1Char(' ')) ++i;
    }
    return out;
}

// The load handler must not run in the preview: every ONLOAD attribute goes
// with its value and the blank in front of it. An ONLOAD not followed by "="
// has no handler and stays.
void RemoveOnload(QString& tag) {
    qsizetype from = 2;
    for (;;) {
        const qsizetype at = IndexOfCi(tag, u"ONLOAD", from);
        if (at < 0) return;
        qsizetype i = at + 6;
        while (i < tag.size() && tag[i] == QLatin1Char(' ')) ++i;
        if (i >= tag.size() || tag[i] != QLatin1Char('=')) {
            from = at + 1;
            continue;
        }
        ++i;
        while (i < tag.size() && tag[i] == QLatin1Char(' ')) ++i;
        qsizetype end = i;
        if (i < tag.size() && (tag[i] == QLatin1Char('\'') || tag[i] == QLatin1Char('"'))) {
            const qsizetype close = tag.indexOf(tag[i], i + 1);
            const qsizetype tagEnd = tag.endsWith(QLatin1Char('>')) ? tag.size() - 1 : tag.size();
            // Without its closing quote the value runs to the tag's ">",
            // which stays so that the tag still ends.
            end = close >= 0 ? close + 1 : std::max(tagEnd, i);
        } else {
            while (end < tag.size() && tag[end] != QLatin1Char(' ') && tag[end] != QLatin1Char('>')) ++end;
        }
        const qsizetype start = tag[at - 1] == QLatin1Char(' ') ? at - 1 : at;
        tag.remove(start, end - start);
        // The cut may join text into a new ONLOAD, or bring an earlier one
        // (left for want of "=") next to an "=": look again from the
        // earliest place either could start.
        qsizetype back = start;
        while (back > 2 && tag[back - 1] == QLatin1Char(' ')) --back;
        from = std::max<qsizetype>(2, back - 6);
    }
}

QString UpperTagName(const QString& tag) {
    const qsizetype space = tag.indexOf(QLatin1Char(' '));
    const QStringView name = space < 0 ? QStringView(tag).mid(1) : QStringView(tag).mid(1, space - 1);
    return AsciiUpper(name);
}

// Cleans every quoted style value of the tag. A value without its closing
// quote has no extent, so the tag then keeps its style text as it was.
void CleanStyles(QString& tag) {
    const QString original = tag;
    QString upperName;
    qsizetype from = 2;
    for (;;) {
        const qsizetype at = IndexOfCi(tag, u"STYLE", from);
        if (at < 0) return;
        qsizetype i = at + 5;
        while (i < tag.size() && tag[i] == QLatin1Char(' ')) ++i;
        if (i >= tag.size() || tag[i] != QLatin1Char('=')) {
            from = at + 6;
            continue;
        }
        ++i;
        while (i < tag.size() && tag[i] == QLatin1Char(' ')) ++i;
        if (i >= tag.size() || (tag[i] != QLatin1Char('\'') && tag[i] != QLatin1Char('"'))) {
            from = at + 6;
            continue;
        }
        const qsizetype open = i;
        const qsizetype close = tag.indexOf(tag[open], open + 1);
        if (close < 0) {
            tag = original;
            return;
        }
        const QString value = tag.mid(open + 1, close - open - 1);
        if (upperName.isNull()) upperName = UpperTagName(tag);
        const QString cleaned = CleanStyleValue(value, upperName);
        if (cleaned == value) {
            from = close + 1;
            continue;
        }
        // Every copy of the value in the tag changes. None can reach across
        // a quote of this value (the value holds no such quote), so the text
        // before and after it can be replaced apart, which tells where this
        // value's closing quote lands.
        QString before = tag.left(open + 1);
        before.replace(value, cleaned);
        QString after = tag.mid(close);
        after.replace(value, cleaned);
        from = before.size() + cleaned.size() + 1;
        tag = before + cleaned + after;
    }
}

QString RewriteTag(QStringView tag) {
    QString copy = JoinSpaceAfterOpening(tag);
    RemoveOnload(copy);
    CleanStyles(copy);
    return copy;
}

void CollapseBlanks(QString& h) {
    const QString one(1, QLatin1Char(' '));
    for (const int run : {6, 5, 4, 3}) h.replace(QString(run, QLatin1Char(' ')), one);
    const QString two(2, QLatin1Char(' '));
    const QString lineBreak = QStringLiteral("\r\n");
    const QString twoLineBreaks = QStringLiteral("\r\n\r\n");
    do {
        h.replace(two, one);
        h.replace(twoLineBreaks, lineBreak);
    } while (h.contains(two));
}

// The tag pass. Each rewritten tag replaces every copy of its text in the
// whole page at once, earlier text included, and later tags are read from
// the page as those replaces left it. A tag's text ends at its first ">",
// so every copy of it ends a piece of the page cut after each ">"; the
// replaces are therefore kept as a list and a piece catches up with the
// ones made since it was last looked at, only when it is read. That costs
// one look-up per piece instead of one sweep of the page per tag.
class TagPass {
public:
    explicit TagPass(const QString& page) : page_(page) {
        qsizetype begin = 0;
        for (;;) {
            const qsizetype gt = page_.indexOf(QLatin1Char('>'), begin);
            if (gt < 0) break;
            pieces_.push_back({begin, gt + 1 - begin, {}, false, 0});
            begin = gt + 1;
        }
        tail_ = begin;
    }

    QString Run() {
        for (Piece& piece : pieces_) {
            CatchUp(piece);
            const QStringView text = View(piece);
            const qsizetype lt = text.indexOf(QLatin1Char('<'));
            if (lt < 0) continue;
            const QStringView tag = text.mid(lt);
            const QString copy = Rewritten(tag);
            if (copy == tag) continue;  // replacing a tag by itself changes nothing
            const std::size_t index = replaces_.size();
            replaces_.push_back({tag.toString(), copy});
            byHash_[Hash(tag)].push_back(index);
            piece.own = text.left(lt).toString() + copy;
            piece.owned = true;
            piece.seen = replaces_.size();
        }
        QString out;
        out.reserve(page_.size());
        for (Piece& piece : pieces_) {
            CatchUp(piece);
            out += View(piece);
        }
        out += QStringView(page_).mid(tail_);
        return out;
    }

private:
    struct Piece {
        qsizetype begin;
        qsizetype length;
        QString own;        // the piece's text once a replace has changed it
        bool owned;
        std::size_t seen;   // replaces before this one are accounted for
    };
    struct Replace {
        QString from;
        QString to;
    };

    QStringView View(const Piece& piece) const {
        return piece.owned ? QStringView(piece.own) : QStringView(page_).mid(piece.begin, piece.length);
    }

    // Read from the end, so that the hashes of all endings of a piece come
    // in one sweep.
    static std::uint64_t Step(std::uint64_t h, QChar c) { return (h ^ c.unicode()) * 0x100000001b3ULL; }
    static constexpr std::uint64_t kSeed = 0xcbf29ce484222325ULL;
    static std::uint64_t Hash(QStringView s) {
        std::uint64_t h = kSeed;
        for (qsizetype i = s.size(); i-- > 0;) h = Step(h, s[i]);
        return h;
    }

    // Applies, in the order they were made, the replaces the piece has not
    // seen. A replace applies when the piece, as it is at that moment, ends
    // with its text; a tag's text begins with "<", so only the endings that
    // begin with one are looked up.
    void CatchUp(Piece& piece) {
        while (piece.seen < replaces_.size()) {
            const QStringView text = View(piece);
            const qsizetype firstLt = text.indexOf(QLatin1Char('<'));
            std::size_t next = replaces_.size();
            if (firstLt >= 0) {
                std::uint64_t h = kSeed;
                for (qsizetype i = text.size(); i-- > firstLt;) {
                    h = Step(h, text[i]);
                    if (text[i] != QLatin1Char('<')) continue;
                    const auto found = byHash_.find(h);
                    if (found == byHash_.end()) continue;
                    const std::vector<std::size_t>& list = found->second;
                    for (auto it = std::lower_bound(list.begin(), list.end(), piece.seen);
                         it != list.end() && *it < next; ++it) {
                        if (QStringView(replaces_[*it].from) == text.mid(i)) {
                            next = *it;
                            break;
                        }
                    }
                }
            }
            if (next == replaces_.size()) {
                piece.seen = next;
                return;
            }
            const Replace& r = replaces_[next];
            piece.own = text.left(text.size() - r.from.size()).toString() + r.to;
            piece.owned = true;
            piece.seen = next + 1;
        }
    }

    // The same tag usually stands many times in a page.
    QString Rewritten(QStringView tag) {
        const QString key = tag.toString();
        const auto found = cache_.constFind(key);
        if (found != cache_.constEnd()) return *found;
        const QString copy = RewriteTag(tag);
        cache_.insert(key, copy);
        return copy;
    }

    const QString& page_;
    std::vector<Piece> pieces_;
    qsizetype tail_ = 0;
    std::vector<Replace> replaces_;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> byHash_;
    QHash<QString, QString> cache_;
};

// Deletes every copy of span at or after from (there is none before it).
void DeleteAllFrom(QString& h, qsizetype from, const QString& span) {
    QString out;
    out.reserve(h.size());
    out += QStringView(h).left(from);
    qsizetype pos = from;
    for (;;) {
        const qsizetype hit = h.indexOf(span, pos);
        if (hit < 0) break;
        out += QStringView(h).mid(pos, hit - pos);
        pos = hit + span.size();
    }
    out += QStringView(h).mid(pos);
    h = std::move(out);
}

// One element-removal pass. closing is empty when the span ends at the
// next ">". A span with no end (no closing text, or no ">" either) is cut
// to the end of the start tag, or to the end of the page.
void RemoveElements(QString& h, QStringView opening, QStringView closing) {
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = IndexOfCi(h, opening, from);
        if (at < 0) return;
        qsizetype end = -1;
        if (!closing.isEmpty()) {
            const qsizetype close = IndexOfCi(h, closing, at);
            if (close >= 0) end = close + closing.size();
        }
        if (end < 0) {
            const qsizetype gt = h.indexOf(QLatin1Char('>'), at);
            end = gt < 0 ? h.size() : gt + 1;
        }
        const QString span = h.mid(at, end - at);
        // No copy of the span starts before the first opening, and the text
        // before it stays as it was: a new opening can only form across a
        // cut, at most an opening's length before it.
        DeleteAllFrom(h, at, span);
        from = std::max<qsizetype>(0, at - (opening.size() - 1));
    }
}

QString PictographImage(const QString& programFolder, int n) {
    const QChar sep = QDir::separator();
    QString folder = programFolder;
    if (!folder.endsWith(sep) && !folder.endsWith(QLatin1Char('/'))) folder += sep;
    return QLatin1String("<IMG src='") + folder + QLatin1String("image") + sep + QString::number(n) +
           QLatin1String(".gif' style='margin:0px; padding:0px; width:1em; height:1em;' border=0>");
}

constexpr int kFirstCode = 63647;
constexpr int kLastCode = 63920;

// Pictograph number by code, 0 for a code that is none.
const std::array<int, kLastCode - kFirstCode + 1>& NumberByCode() {
    static const auto table = [] {
        std::array<int, kLastCode - kFirstCode + 1> t{};
        for (int n = 1; n <= 166; ++n) t[PictographCode(n) - kFirstCode] = n;
        return t;
    }();
    return table;
}

QString ReplacePictographs(const QString& h, const QString& programFolder) {
    std::array<QString, 167> images;
    for (int n = 1; n <= 166; ++n) images[n] = PictographImage(programFolder, n);
    if (programFolder.contains(QLatin1String("&#"))) {
        // A folder name holding a reference could be caught by a later
        // number's replace: keep to the one-number-at-a-time order.
        QString out = h;
        for (int n = 1; n <= 166; ++n)
            out.replace(QLatin1String("&#") + QString::number(PictographCode(n)) + QLatin1Char(';'), images[n]);
        return out;
    }
    // Every reference has the form "&#" + five digits + ";" and two cannot
    // overlap, nor can an inserted image (from "<" to ">") complete one, so
    // one sweep does what the 166 replaces in turn would.
    const auto& numbers = NumberByCode();
    QString out;
    qsizetype copied = 0;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype at = h.indexOf(QLatin1String("&#"), pos);
        if (at < 0 || at + 8 > h.size()) break;
        int code = 0;
        bool digits = true;
        for (qsizetype k = at + 2; k < at + 7; ++k) {
            const char16_t c = h[k].unicode();
            if (c < u'0' || c > u'9') {
                digits = false;
                break;
            }
            code = code * 10 + (c - u'0');
        }
        const int n = digits && h[at + 7] == QLatin1Char(';') && code >= kFirstCode && code <= kLastCode
                          ? numbers[code - kFirstCode]
                          : 0;
        if (n == 0) {
            pos = at + 1;
            continue;
        }
        if (out.isNull()) out.reserve(h.size() + h.size() / 4);
        out += QStringView(h).mid(copied, at - copied);
        out += images[n];
        copied = pos = at + 8;
    }
    if (copied == 0) return h;
    out += QStringView(h).mid(copied);
    return out;
}

// What a raw pictograph (its bytes in the page, read as the code page's
// private-use character) shows as: the basic ones as their pictures, like
// their references; the extended ones as their emoji; the rest unchanged.
struct RawPictograph {
    int number = 0;
    QString emoji;
};

constexpr char16_t kFirstRaw = 0xE000;  // where the code page puts F040
constexpr char16_t kLastRaw = 0xE757;   // and F9FC

const std::array<RawPictograph, kLastRaw - kFirstRaw + 1>& RawPictographs() {
    static const auto table = [] {
        std::array<RawPictograph, kLastRaw - kFirstRaw + 1> t{};
        for (unsigned lead = 0xF8; lead <= 0xF9; ++lead)
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const std::uint16_t code = std::uint16_t(lead << 8 | trail);
                if (!platform::codepage::IsPictograph(code)) continue;
                const char bytes[2] = {char(lead), char(trail)};
                const std::u16string c = platform::codepage::ToUtf16(std::string_view(bytes, 2));
                if (c.size() != 1 || c[0] < kFirstRaw || c[0] > kLastRaw) continue;
                RawPictograph& r = t[c[0] - kFirstRaw];
                r.number = platform::codepage::PictographNumber(code);
                if (r.number == 0) r.emoji = QString::fromStdU16String(platform::codepage::PictographToUnicode(code));
            }
        return t;
    }();
    return table;
}

QString ReplaceRawPictographs(const QString& h, const QString& programFolder) {
    const auto& table = RawPictographs();
    QString out;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < h.size(); ++i) {
        const char16_t c = h[i].unicode();
        if (c < kFirstRaw || c > kLastRaw) continue;
        const RawPictograph& r = table[c - kFirstRaw];
        if (r.number == 0 && r.emoji.isEmpty()) continue;
        out += QStringView(h).mid(copied, i - copied);
        out += r.number ? PictographImage(programFolder, r.number) : r.emoji;
        copied = i + 1;
    }
    if (copied == 0) return h;
    out += QStringView(h).mid(copied);
    return out;
}

}  // namespace

QString UrlRoot(const QString& url) {
    for (qsizetype i = 8; i < url.size(); ++i)
        if (url[i] == QLatin1Char('/') || url[i] == QLatin1Char('\\')) return url.left(i);
    return url;
}

QString RemoveStyleProperty(const QString& style, const QString& property, const QString& unitSuffix) {
    if (style.isEmpty()) return {};
    return RemoveProperty(style, AsciiUpper(property), AsciiUpper(unitSuffix));
}

int PictographCode(int n) { return platform::codepage::PictographCodeOfNumber(n); }

QString HTMLConv(const QString& text, const QString& programFolder) {
    QString h = text;
    CollapseBlanks(h);
    h = TagPass(h).Run();

    h.replace(QLatin1String("font-size :"), QLatin1String("font-size:"));
    h.replace(QLatin1String("font-size: "), QLatin1String("font-size:"));
    h.replace(QLatin1String("font-size:small"), QLatin1String("font-size:12px"));
    h.replace(QLatin1String("font-size:large"), QLatin1String("font-size:18px"));

    // Style sheets, scripts, links and frames: a handset of the emulated
    // generation honours none of them. Script content stays as text.
    RemoveElements(h, u"<STYLE", u"</STYLE>");
    RemoveElements(h, u"<SCRIPT", u"");
    RemoveElements(h, u"</SCRIPT", u"");
    RemoveElements(h, u"<LINK", u"");
    RemoveElements(h, u"<FRAME", u"</FRAME>");
    RemoveElements(h, u"<NOFRAME", u"");
    RemoveElements(h, u"</NOFRAME", u"");
    RemoveElements(h, u"<IFRAME", u"</IFRAME>");

    return ReplaceRawPictographs(ReplacePictographs(h, programFolder), programFolder);
}

}  // namespace quenby::preview

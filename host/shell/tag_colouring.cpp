#include "host/shell/tag_colouring.h"

#include <QChar>
#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/common/byte_helpers.h"
#include "host/common/control_host.h"
#include "host/common/pattern.h"

namespace quenby::shell {
namespace {

using View = std::u16string_view;
constexpr std::size_t kNone = View::npos;

View ViewOf(const QString& s) {
    return View(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

int Saturate(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, std::numeric_limits<int>::max()));
}

// One entry of the tag list, taken apart once: "A HREF NAME" is the tag A
// with the attribute names HREF and NAME. Split at single spaces, so a
// doubled or trailing space gives an empty attribute name, and an entry
// that starts with a space an empty tag name; both are kept, as the
// colouring has a defined (if odd) result for them.
struct Entry {
    std::u16string name;
    std::u16string pattern;  // "<*" + name + "*>"
    std::vector<std::u16string> attributes;
};

struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(View v) const noexcept { return std::hash<View>{}(v); }
};

struct CompiledLists {
    QStringList html;  // what the rest was made from
    QStringList comment;
    std::vector<Entry> entries;
    // A tag can only be the entry whose name is the tag's first word (see
    // TagName), so the entries are looked up by name; each vector keeps the
    // list's order, which decides which entry colours a tag.
    std::unordered_map<std::u16string, std::vector<std::size_t>, ViewHash, std::equal_to<>> byName;
    std::vector<std::u16string> comments;
};

CompiledLists Compile(const QStringList& html, const QStringList& comment) {
    CompiledLists c;
    c.html = html;
    c.comment = comment;
    c.entries.reserve(static_cast<std::size_t>(html.size()));
    for (const QString& e : html) {
        // An empty entry splits into one empty name, like an entry " ".
        const QStringList parts = e.split(QLatin1Char(' '));
        Entry entry;
        entry.name = parts.front().toStdU16String();
        entry.pattern = u"<*" + entry.name + u"*>";
        for (qsizetype k = 1; k < parts.size(); ++k) entry.attributes.push_back(parts[k].toStdU16String());
        c.byName[entry.name].push_back(c.entries.size());
        c.entries.push_back(std::move(entry));
    }
    for (const QString& p : comment) c.comments.push_back(p.toStdU16String());
    return c;
}

// The lists change only from the options dialog, while the colouring runs
// for every painted row: they are parsed again only when their contents
// differ from the last call's. Comparing the settings' own lists is cheap,
// since Qt compares shared copies by their data pointer first.
const CompiledLists& Compiled(const QStringList& html, const QStringList& comment) {
    thread_local CompiledLists cache;
    if (!(cache.html == html) || !(cache.comment == comment)) cache = Compile(html, comment);
    return cache;
}

// The row upper-cased unit by unit with the simple (one-to-one) mapping,
// so that every position in it is the same position in the stored row; a
// full mapping would turn one character into two for a few letters and
// shift every column after them.
std::u16string UpperRow(const QString& text) {
    const View v = ViewOf(text);
    std::u16string out(v.size(), u'\0');
    for (std::size_t i = 0; i < v.size(); ++i) {
        const char16_t c = v[i];
        if (c < 0x80) {
            out[i] = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
        } else if (QChar::isSurrogate(c)) {
            out[i] = c;
        } else {
            const char32_t u = QChar::toUpper(static_cast<char32_t>(c));
            out[i] = u <= 0xFFFF ? static_cast<char16_t>(u) : c;
        }
    }
    return out;
}

// InStr(start, s, t): the 1-based position of the first t in s at or after
// start; 0 when there is none or start is past the end. An empty t is found
// at start.
std::int64_t InStr(std::int64_t start, View s, View t) {
    if (start < 1) start = 1;
    if (start > static_cast<std::int64_t>(s.size())) return 0;
    const std::size_t hit = s.find(t, static_cast<std::size_t>(start - 1));
    return hit == kNone ? 0 : static_cast<std::int64_t>(hit) + 1;
}

// The name an entry must have to match the tag: norm (the tag with "< "
// folded to "<" until none is left) from its second character up to the
// first space or ">". An entry name holds no space (it was split at
// spaces), and one holding ">" can never match (the tag's only ">" is its
// last character, and the pattern "<*name*>" would need another), so the
// design's test "characters 2 to Len(name) + 1 of norm are name, followed
// by a space, a '>' or nothing" holds for exactly this one name.
void TagName(View tag, std::u16string& name) {
    name.clear();
    char16_t kept = u'<';
    for (std::size_t i = 1; i < tag.size(); ++i) {
        const char16_t c = tag[i];
        if (c == u' ' && kept == u'<') continue;  // the folding of "< "
        if (c == u' ' || c == u'>') return;
        name.push_back(c);
        kept = c;
    }
}

// Whether span, with all spaces, then all "=", then every n removed, is
// empty: what is left after the spaces and "=" must be n repeated.
bool OnlyNameSpacesAndEquals(View span, View n) {
    std::size_t k = 0;
    for (const char16_t c : span) {
        if (c == u' ' || c == u'=') continue;
        if (n.empty() || c != n[k]) return false;
        if (++k == n.size()) k = 0;
    }
    return k == 0;
}

// The attribute n of a tag whose entry name has nameLength characters,
// painted wherever it is followed by nothing but spaces up to an "=".
// The search start follows the design to the letter: off collects whole
// positions (off + q + Len(n)), so after the first hit it runs further
// ahead than the hit; since it at least doubles every round, the loop ends
// after a handful of rounds whatever the tag.
void ColourAttribute(View tag, std::size_t nameLength, View n, int tagX, int y, std::uint32_t colour,
                     std::vector<ColourRun>& runs) {
    std::int64_t off = 0;
    std::int64_t q = 0;
    do {
        const std::int64_t start = off + static_cast<std::int64_t>(nameLength) + 1;
        q = InStr(start, tag, n);
        if (q > 0) {
            const std::int32_t qb = InStrByte(static_cast<std::int32_t>(start), tag, n, 0);
            const std::int64_t eq = InStr(q, tag, u"=");
            if (eq > 0 && OnlyNameSpacesAndEquals(tag.substr(static_cast<std::size_t>(q - 1), static_cast<std::size_t>(eq - q + 1)), n)) {
                // x = b + qb - 2 with b = tagX + 1. L counts characters, as
                // the design has it: the same as bytes for an ASCII name.
                runs.push_back({Saturate(std::int64_t{tagX} + qb - 1), y, Saturate(eq - q + 1), colour});
            }
            off = off + q + static_cast<std::int64_t>(n.size());
        }
    } while (q != 0);
}

// One tag ("<" to ">" inclusive, upper case) at byte column x of row y.
void ColourTag(View tag, int x, int y, const CompiledLists& lists, const TagColours& colours, std::u16string& name,
               std::vector<ColourRun>& runs) {
    bool handled = false;
    TagName(tag, name);
    if (const auto it = lists.byName.find(View(name)); it != lists.byName.end()) {
        const int bytes = LenBin(tag);
        for (const std::size_t index : it->second) {
            const Entry& e = lists.entries[index];
            if (!LikeMatch(tag, e.pattern)) continue;
            runs.push_back({x, y, bytes, colours.tag});
            // A tag with nothing but its name ("<BR>", "<BR >") is painted
            // but not handled: later entries and the comment patterns
            // still get it.
            if (static_cast<std::int64_t>(tag.size()) - static_cast<std::int64_t>(e.name.size() + 2) < 2) continue;
            for (const std::u16string& n : e.attributes) ColourAttribute(tag, e.name.size(), n, x, y, colours.attribute, runs);
            handled = true;
            break;
        }
    }
    if (handled) return;
    for (const std::u16string& pattern : lists.comments) {
        if (LikeMatch(tag, pattern)) {
            runs.push_back({x, y, LenBin(tag), colours.comment});
            return;
        }
    }
}

void ColourRow(int y, const QString& text, const CompiledLists& lists, const TagColours& colours,
               std::u16string& name, std::vector<ColourRun>& runs) {
    const std::u16string upper = UpperRow(text);
    const View line(upper);
    // The byte column of each "<" is LenBin of the row before it. Counted
    // on from the previous "<" rather than from the row's start (which is
    // what InStrByte does), so a long row with many tags stays linear; the
    // sums are the same, since a "<" never splits a surrogate pair.
    std::size_t measured = 0;
    std::int64_t bytes = 0;
    std::size_t p1 = line.find(u'<');
    while (p1 != kNone) {
        const std::size_t p2 = line.find(u'>', p1);
        if (p2 == kNone) return;  // tags never span rows
        bytes += LenBin(line.substr(measured, p1 - measured));
        measured = p1;
        ColourTag(line.substr(p1, p2 - p1 + 1), Saturate(bytes), y, lists, colours, name, runs);
        p1 = line.find(u'<', p2);
    }
}

}  // namespace

std::vector<ColourRun> ColourTags(int first, int last, const std::function<QString(int)>& row,
                                  const QStringList& htmlTagList, const QStringList& commentTagList,
                                  const TagColours& colours) {
    std::vector<ColourRun> runs;
    if (first > last || !row) return runs;
    const CompiledLists& lists = Compiled(htmlTagList, commentTagList);
    if (lists.entries.empty() && lists.comments.empty()) return runs;
    std::u16string name;
    // The design asks the control for the row again for every search in it;
    // the control does not change its text while it paints, so one read a
    // row gives the same text.
    for (std::int64_t i = first; i <= last; ++i) {
        const int y = static_cast<int>(i);
        ColourRow(y, row(y), lists, colours, name, runs);
    }
    return runs;
}

void ApplyTagColouring(ControlHost& control, const AppSettings& settings, int l1, int l2, int dx1, int dy1, int dx2,
                       int dy2) {
    namespace dispid = tarnedit::dispid;
    // The control raises the event for its own rows; a range beyond them
    // (or a reversed one) is cut to what exists rather than asked row by row.
    const int count = control.Get<int>(dispid::AxLinesCount);
    const int first = std::max(l1, 0);
    const int last = std::min(l2, count - 1);
    if (first > last) return;
    const std::vector<ColourRun> runs = ColourTags(
        first, last, [&control](int i) { return control.Function<QString>(dispid::AxGetLines, i); },
        settings.HTMLTagList, settings.CommentTagList,
        TagColours{settings.HTMLTagColor, settings.HTMLTagColor2, settings.CommentTagColor});
    if (runs.empty()) return;
    // Without the background a run would be painted on black: nothing
    // rather than that.
    const com::OLE_COLOR back(control.Get<std::uint32_t>(dispid::Color));
    if (!control.LastError().isEmpty()) return;
    for (const ColourRun& r : runs) {
        // A refused run leaves its text as the control painted it; the
        // others still go.
        control.Call(dispid::SetTxtColor2, r.x, r.y, r.length, com::OLE_COLOR(r.colour), back, false, dx1, dy1, dx2,
                     dy2);
    }
}

}  // namespace quenby::shell

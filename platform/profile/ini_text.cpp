#include "platform/profile/ini_text.h"

#include "platform/codepage/codepage.h"

namespace platform::profile {
namespace {

using codepage::IsLeadByte;

constexpr std::string_view kLineBreak = "\r\n";
// Editors on other systems like to put one in front of a file; skipping it
// lets the first section header still be found. It is kept in the file.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

constexpr bool IsTrailByte(unsigned char b) noexcept { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Bytes from `i` that make up one character: two for a lead byte followed
// by a byte that can trail it, one otherwise (a lone lead byte stands alone).
std::size_t CharLength(std::string_view s, std::size_t i) noexcept {
    if (IsLeadByte(s[i]) && i + 1 < s.size() && IsTrailByte(static_cast<unsigned char>(s[i + 1]))) return 2;
    return 1;
}

std::size_t FindOutsideDoubleByte(std::string_view s, char c, std::size_t from = 0) noexcept {
    for (std::size_t i = from; i < s.size(); i += CharLength(s, i))
        if (s[i] == c) return i;
    return std::string_view::npos;
}

constexpr char FoldAscii(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;  // where the line break starts
    std::size_t end = 0;         // after the line break
    bool HasBreak() const noexcept { return end > contentEnd; }
};

// Splits at CR LF, a lone CR or a lone LF. Neither can be a trail byte, so
// the split needs no knowledge of double-byte characters.
class LineReader {
public:
    explicit LineReader(std::string_view text) noexcept : text_(text) {}
    bool Next(Line& line) noexcept {
        if (pos_ >= text_.size()) return false;
        line.begin = pos_;
        std::size_t brk = text_.find_first_of(kLineBreak, pos_);
        if (brk == std::string_view::npos) {
            line.contentEnd = line.end = text_.size();
        } else {
            line.contentEnd = brk;
            line.end = brk + 1;
            if (text_[brk] == '\r' && line.end < text_.size() && text_[line.end] == '\n') ++line.end;
        }
        pos_ = line.end;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;   // trimmed
    std::string_view value;  // trimmed and unquoted (keys only)
};

std::string_view Unquote(std::string_view v) noexcept {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
    return v;
}

Parsed Classify(std::string_view content, bool firstLine) noexcept {
    if (firstLine && content.substr(0, kUtf8Mark.size()) == kUtf8Mark) content.remove_prefix(kUtf8Mark.size());
    std::size_t start = 0;
    while (start < content.size() && IsBlank(content[start])) ++start;
    content.remove_prefix(start);
    if (content.empty() || content.front() == ';') return {};
    if (content.front() == '[') {
        // Anything after the closing bracket is ignored; without one the
        // line is neither a header nor a key.
        std::size_t close = FindOutsideDoubleByte(content, ']', 1);
        if (close == std::string_view::npos) return {};
        return {Kind::Section, TrimBlanks(content.substr(1, close - 1)), {}};
    }
    std::size_t eq = content.find('=');
    if (eq == std::string_view::npos) return {};
    return {Kind::Key, TrimBlanks(content.substr(0, eq)), Unquote(TrimBlanks(content.substr(eq + 1)))};
}

bool HasForbiddenByte(std::string_view name) noexcept {
    for (char c : {'\r', '\n', '\0', '='})
        if (name.find(c) != std::string_view::npos) return true;
    return FindOutsideDoubleByte(name, ']') != std::string_view::npos;
}

// Where a write lands in the text.
struct Target {
    bool sectionFound = false;
    std::optional<Line> keyLine;
    std::string_view storedKeyName;  // the key's own spelling in the file
    Line insertAfter;                // the last key line of the section, else its header
};

Target Locate(std::string_view text, std::string_view section, std::string_view key) noexcept {
    Target t;
    LineReader lines(text);
    Line line;
    bool first = true;
    while (lines.Next(line)) {
        Parsed p = Classify(text.substr(line.begin, line.contentEnd - line.begin), first);
        first = false;
        if (p.kind == Kind::Section) {
            if (t.sectionFound) break;  // only the first section of that name counts
            if (NamesEqual(p.name, section)) {
                t.sectionFound = true;
                t.insertAfter = line;
            }
        } else if (p.kind == Kind::Key && t.sectionFound) {
            t.insertAfter = line;
            if (NamesEqual(p.name, key)) {
                t.keyLine = line;
                t.storedKeyName = p.name;
                break;
            }
        }
    }
    return t;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) noexcept {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return TrimTrailingBlanks(s.substr(b));
}

std::string_view TrimTrailingBlanks(std::string_view s) noexcept {
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return s.substr(0, e);
}

bool NamesEqual(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        if (CharLength(a, i) == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            i += 2;
        } else {
            if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
            ++i;
        }
    }
    return true;
}

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (key.empty()) return std::nullopt;
    LineReader lines(text);
    Line line;
    bool first = true;
    bool inSection = false;
    while (lines.Next(line)) {
        Parsed p = Classify(text.substr(line.begin, line.contentEnd - line.begin), first);
        first = false;
        if (p.kind == Kind::Section) {
            if (inSection) return std::nullopt;
            inSection = NamesEqual(p.name, section);
        } else if (p.kind == Kind::Key && inSection && NamesEqual(p.name, key)) {
            return p.value;
        }
    }
    return std::nullopt;
}

bool IsWritableSectionName(std::string_view section) noexcept {
    section = TrimBlanks(section);
    if (HasForbiddenByte(section)) return false;
    // A lone lead byte at the end would take the closing bracket for its
    // trail byte, and the header would not be one.
    std::size_t last = 0;
    for (std::size_t i = 0; i < section.size(); i += CharLength(section, i)) last = i;
    return section.empty() || CharLength(section, last) == 2 || !IsLeadByte(section[last]);
}

bool IsWritableKeyName(std::string_view key) noexcept {
    key = TrimBlanks(key);
    return !key.empty() && key.front() != ';' && key.front() != '[' && !HasForbiddenByte(key);
}

bool IsWritableValue(std::string_view value) noexcept { return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos; }

std::optional<std::string> ApplyWrite(std::string_view text, std::string_view section, std::string_view key,
                                      std::optional<std::string_view> value) {
    if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || (value && !IsWritableValue(*value)))
        return std::nullopt;
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    const Target t = Locate(text, section, key);
    std::string out;

    if (!value) {
        if (!t.keyLine) return std::string(text);
        out.reserve(text.size());
        out.append(text.substr(0, t.keyLine->begin)).append(text.substr(t.keyLine->end));
        return out;
    }

    if (t.keyLine) {
        // Leading blanks of the old line go; its line break stays as it was.
        out.reserve(text.size() + value->size());
        out.append(text.substr(0, t.keyLine->begin))
            .append(t.storedKeyName)
            .append("=")
            .append(*value)
            .append(text.substr(t.keyLine->contentEnd));
        return out;
    }

    const std::size_t added = section.size() + key.size() + value->size() + 16;
    out.reserve(text.size() + added);
    if (t.sectionFound) {
        const Line& after = t.insertAfter;
        out.append(text.substr(0, after.end));
        if (!after.HasBreak()) out.append(kLineBreak);
        out.append(key).append("=").append(*value).append(kLineBreak);
        out.append(text.substr(after.end));
        return out;
    }

    out.append(text);
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') out.append(kLineBreak);
    out.append("[").append(section).append("]").append(kLineBreak);
    out.append(key).append("=").append(*value).append(kLineBreak);
    return out;
}

}  // namespace platform::profile

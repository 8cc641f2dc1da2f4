// Reading around a position: the word between delimiters and the link
// under a position. Nothing here changes the document.
#include <algorithm>
#include <cctype>
#include <vector>

#include "control/engine/tarn_edit.h"

namespace tarn {
namespace {

// A set of characters, each one or two bytes.
class CharSet {
public:
    CharSet(std::string_view chars, bool singleByte) {
        for (int i = 0; i < static_cast<int>(chars.size());) {
            const int n = CharLengthAt(chars, i, singleByte);
            items_.emplace_back(chars.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(n)));
            i += n;
        }
    }
    bool Has(std::string_view ch) const { return std::find(items_.begin(), items_.end(), ch) != items_.end(); }

private:
    std::vector<std::string> items_;
};

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix) {
    if (s.size() - at < prefix.size()) return false;
    for (std::size_t k = 0; k < prefix.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(s[at + k])) != prefix[k]) return false;
    return true;
}

bool IsUrlEnd(char c) {
    constexpr std::string_view set = "\t <>[\\]`{|}";
    return set.find(c) != std::string_view::npos;
}
bool IsTagNameEnd(char c) {
    constexpr std::string_view set = "\t\"*,/:;<>?|";
    return set.find(c) != std::string_view::npos;
}

// Byte length of the link starting at byte i of a text line, or 0.
int LinkAt(std::string_view text, int i, bool singleByte) {
    const auto at = static_cast<std::size_t>(i);
    const int size = static_cast<int>(text.size());
    for (std::string_view prefix : {"http://", "https:/", "mailto:", "mail:"}) {
        if (!StartsWithNoCase(text, at, prefix)) continue;
        int j = i + static_cast<int>(prefix.size());
        while (j < size && !IsUrlEnd(text[static_cast<std::size_t>(j)]) && CharLengthAt(text, j, singleByte) == 1) ++j;
        return j - i;
    }
    if (StartsWithNoCase(text, at, "tag:")) {
        const std::size_t dot = text.find('.', at + 4);
        if (dot == std::string_view::npos) return size - i;
        int j = static_cast<int>(dot) + 1;
        while (j < size) {
            const int n = CharLengthAt(text, j, singleByte);
            if (n == 1 && IsTagNameEnd(text[static_cast<std::size_t>(j)])) break;
            j += n;
        }
        return std::min(j, size) - i;
    }
    return 0;
}

}  // namespace

std::string TTarnEdit::GetLimWord(int& posx, int& posy, std::string_view LimStr) const {
    const bool sb = SingleByteMode;
    std::string lim(LimStr);
    lim += " |\t";
    const CharSet delims(lim, sb);
    const int last = LastLine();
    const std::string& start = Lines.Line(posy);  // the range error for a bad row
    int x = std::clamp(posx, 0, VisibleLength(start));
    if (SplitsCharacter(start, x, sb)) --x;

    std::string left;
    for (int ly = posy, lx = x;;) {
        if (lx == 0) {
            if (ly > 0 && IsWrapSegment(Lines.Line(ly - 1))) {
                --ly;
                lx = VisibleLength(Lines.Line(ly));
                continue;
            }
            break;
        }
        const std::string& s = Lines.Line(ly);
        const int n = CharLengthBefore(s, lx, sb);
        const std::string_view ch = std::string_view(s).substr(static_cast<std::size_t>(lx - n), static_cast<std::size_t>(n));
        if (delims.Has(ch)) break;
        left.insert(0, ch);
        lx -= n;
    }

    std::string right;
    int ry = posy, rx = x;
    for (;;) {
        const std::string& s = Lines.Line(ry);
        const int vis = VisibleLength(s);
        if (rx >= vis) {
            if (IsWrapSegment(s) && ry < last) {
                ++ry;
                rx = 0;
                continue;
            }
            break;
        }
        const int n = std::min(CharLengthAt(s, rx, sb), vis - rx);
        const std::string_view ch = std::string_view(s).substr(static_cast<std::size_t>(rx), static_cast<std::size_t>(n));
        if (delims.Has(ch)) break;
        right += ch;
        rx += n;
    }

    // On to the start of the next word.
    if (rx >= VisibleLength(Lines.Line(ry))) {
        if (ry < last) {
            rx = 0;
            ++ry;
        }
    } else {
        for (;;) {
            const std::string& s = Lines.Line(ry);
            const int vis = VisibleLength(s);
            if (rx >= vis) {
                if (ry < last) {
                    ++ry;
                    rx = 0;
                    continue;
                }
                rx = vis;
                break;
            }
            const int n = std::min(CharLengthAt(s, rx, sb), vis - rx);
            if (!delims.Has(std::string_view(s).substr(static_cast<std::size_t>(rx), static_cast<std::size_t>(n)))) break;
            rx += n;
        }
    }
    posx = rx;
    posy = ry;
    return left + right;
}

std::string TTarnEdit::TagSearch(int& posx, int& posy, bool TopOnlyF) const {
    if (posy == -1) return std::string();
    const bool sb = SingleByteMode;
    const int last = LastLine();
    const std::string& probe = Lines.Line(posy);  // the range error for a bad row
    int top = posy;
    while (top > 0 && IsWrapSegment(Lines.Line(top - 1))) --top;
    int end = posy;
    while (end < last && IsWrapSegment(Lines.Line(end))) ++end;

    std::string text;
    int p = 0;
    for (int i = top; i <= end; ++i) {
        if (i == posy) p = static_cast<int>(text.size()) + std::clamp(posx, 0, VisibleLength(probe));
        text += VisibleText(Lines.Line(i));
    }

    std::string result;
    bool found = false;
    for (int i = 0; i < static_cast<int>(text.size());) {
        const int n = CharLengthAt(text, i, sb);
        const int len = n == 1 ? LinkAt(text, i, sb) : 0;
        if (len == 0) {
            i += n;
            continue;
        }
        if (TopOnlyF || (i <= p && p <= i + len)) {
            result = text.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(len));
            found = true;
            break;
        }
        i += len;
    }
    if (TopOnlyF && !found) result = text;
    posx = 0;
    posy = end < last ? end + 1 : -1;
    return result;
}

}  // namespace tarn

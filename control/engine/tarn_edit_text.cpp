#include "control/engine/tarn_edit.h"

#include <algorithm>

#include "control/engine/line_feed.h"

namespace tarn {
namespace {
std::string_view Slice(std::string_view s, int from, int to) {
    std::size_t a = static_cast<std::size_t>(std::clamp(from, 0, static_cast<int>(s.size())));
    std::size_t b = static_cast<std::size_t>(std::clamp(to, 0, static_cast<int>(s.size())));
    return b > a ? s.substr(a, b - a) : std::string_view();
}
}  // namespace

std::string TTarnEdit::Text() const {
    std::string s = Lines.GetTextStr();
    if (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
}

void TTarnEdit::SetText(std::string_view s) {
    // Until the view has measured its font there is no window to show text.
    if (Fontwidth == 0) return;
    std::string text(s);
    if (text.empty() || text.back() != '\0') text.push_back('\0');
    ResetState();
    ShowNewDocument(LineFeed::FromText(std::move(text)));
}

std::string TTarnEdit::GetStr(int x1, int y1, int x2, int y2) const {
    if (y1 == y2) {
        OrderPair(x1, x2);
        return std::string(Slice(Lines.Line(y1), x1, x2));
    }
    if (BoxSelMode()) return BoxText(x1, y1, x2, y2);
    if (y2 < y1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const std::string& first = Lines.Line(y1);
    const std::string& last = Lines.Line(y2);
    std::string out(Slice(first, x1, static_cast<int>(first.size())));
    for (int y = y1 + 1; y < y2; ++y) out += Lines.Line(y);
    out += Slice(last, 0, x2);
    return out;
}

std::string TTarnEdit::SelText() const {
    if (!Selmode()) return std::string();
    return GetStr(GCurposX, GCurposY, SelEndX, SelEndY);
}

namespace {
// Moves a position n bytes over the stored lines, counting every byte
// (a CR LF counts two); stops at the visible ends of the document.
TextPos AdvanceBytes(const TTarnStrings& lines, TextPos p, long long n) {
    const int last = lines.Count() - 1;
    if (n > 0) {
        while (n > 0) {
            const int len = static_cast<int>(lines.Line(p.Y).size());
            const long long avail = len - p.X;
            if (n < avail) {
                p.X += static_cast<int>(n);
                break;
            }
            n -= avail;
            if (p.Y == last) {
                p.X = len;
                break;
            }
            ++p.Y;
            p.X = 0;
        }
        const std::string& line = lines.Line(p.Y);
        if (p.Y == last) p.X = std::min(p.X, VisibleLength(line));
    } else {
        n = -n;
        while (n > 0) {
            if (n <= p.X) {
                p.X -= static_cast<int>(n);
                break;
            }
            n -= p.X;
            if (p.Y == 0) {
                p.X = 0;
                break;
            }
            --p.Y;
            p.X = static_cast<int>(lines.Line(p.Y).size());
        }
    }
    return p;
}
}  // namespace

void TTarnEdit::SetSelLength(int n) {
    ResetSel();
    if (n == 0) return;
    const std::string& last = Lines.Line(LastLine());
    if (n > 0 && CurposY == LastLine() && CurposX >= VisibleLength(last)) return;
    if (n < 0 && CurposX == 0 && CurposY == 0) return;
    GCurposX = CurposX;
    GCurposY = CurposY;
    TextPos p = AdvanceBytes(Lines, {CurposX, CurposY}, n);
    if (p.Y < LastLine() && IsLineTerminated(Lines.Line(p.Y)) && p.X >= static_cast<int>(Lines.Line(p.Y).size()))
        p = {0, p.Y + 1};
    MoveCaret(p.X, p.Y, Txmovemode::normal, true, false);
    SelFlag = true;
    SelEndX = CurposX;
    SelEndY = CurposY;
    View().RedrawRows(kRedrawRange, std::min(GCurposY, SelEndY), std::max(GCurposY, SelEndY));
}

}  // namespace tarn

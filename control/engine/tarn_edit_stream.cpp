// The two primitives in their stream form, and the refresh after an edit.
#include <algorithm>

#include "control/engine/line_breaks.h"
#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::InsertAtCaret(std::string_view text, bool refresh, bool box, bool record) {
    const EditRange r = box ? BoxInsert(text, record) : StreamInsert(text, record);
    if (refresh) Refresh(r);
}

void TTarnEdit::DeleteSelection(bool refresh, bool box, bool record) {
    const EditRange r = box ? BoxDelete(record) : StreamDelete(record);
    if (refresh) Refresh(r);
}

TTarnEdit::EditRange TTarnEdit::Merge(const EditRange& a, const EditRange& b) {
    EditRange r;
    r.first = std::min(a.first, b.first);
    r.last = std::max(a.last, b.last);
    r.countChanged = (a.countChanged == -1 || b.countChanged == -1) ? -1 : r.first;
    return r;
}

TTarnEdit::EditRange TTarnEdit::DeleteForReplace() {
    if (!Selmode()) return {CurposY, CurposY, CurposY};
    return BoxSelMode() && !AllSelFlag ? BoxDelete(true) : StreamDelete(true);
}

void TTarnEdit::AfterEditRefresh(int first, int last, int countChanged, int caretColumn) {
    if (caretColumn >= 0) CurposX = caretColumn;
    if (WordWrap()) {
        Rewrap(first, last, true, countChanged == -1);
        return;
    }
    MoveCaret(CurposX, CurposY, Txmovemode::normal, true, true);
    if (countChanged == -1) View().RedrawRows(kRedrawFrom, first, first);
    else View().RedrawRows(kRedrawRange, first, last);
    View().UpdateScrollRanges();
}

TextPos TTarnEdit::CleanPosition(TextPos p, bool roundUp) const {
    p.Y = RowIn(p.Y);
    const bool last = !HasRow(p.Y + 1);
    const std::string& line = Lines.Line(p.Y);
    const int full = static_cast<int>(line.size());
    const int vis = VisibleLength(line);
    p.X = std::clamp(p.X, 0, full);
    if (p.X > vis) {
        // Inside or after the ending: the end of the document stays before
        // its NUL; a line break is taken whole or not at all.
        if (last || !IsLineTerminated(line)) p.X = std::min(p.X, vis == full ? full : vis);
        else if (roundUp || p.X == full) p = {0, p.Y + 1};
        else p.X = vis;
        return p;
    }
    if (SplitsCharacter(line, p.X, SingleByteMode)) p.X += roundUp ? 1 : -1;
    return p;
}

std::string TTarnEdit::StreamText(TextPos a, TextPos b) const {
    if (b.Y < a.Y || (b.Y == a.Y && b.X < a.X)) std::swap(a, b);
    const std::string& first = Lines.Line(a.Y);
    if (a.Y == b.Y) return first.substr(static_cast<std::size_t>(a.X), static_cast<std::size_t>(b.X - a.X));
    std::string out = first.substr(static_cast<std::size_t>(a.X));
    for (int y = a.Y + 1; y < b.Y; ++y) out += Lines.Line(y);
    out.append(Lines.Line(b.Y), 0, static_cast<std::size_t>(b.X));
    return out;
}

TTarnEdit::EditRange TTarnEdit::SpliceText(int x, int y, std::string_view text) {
    const std::string& line = Lines.Line(y);
    const std::size_t at = static_cast<std::size_t>(x);
    EditRange r{y, y, y};
    if (!HasCrLf(text)) {
        std::string s;
        s.reserve(line.size() + text.size());
        s.append(line, 0, at).append(text).append(line, at, std::string::npos);
        Lines.Put(y, std::move(s));
        CurposX = x + static_cast<int>(text.size());
        CurposY = y;
    } else {
        // The pieces of before + text, each closed by its CR LF; the rest of
        // the line goes behind the last piece.
        const std::string after = line.substr(at);
        std::string head = line.substr(0, at);
        int row = y;
        std::size_t p = 0;
        bool firstPiece = true;
        for (;;) {
            const std::size_t brk = text.find("\r\n", p);
            if (brk == std::string_view::npos) break;
            head.append(text, p, brk + 2 - p);
            if (firstPiece) Lines.Put(row, std::move(head));
            else Lines.Insert(row, std::move(head));
            firstPiece = false;
            head = std::string();
            ++row;
            p = brk + 2;
        }
        head.append(text, p, std::string_view::npos);
        const int caretX = static_cast<int>(head.size());
        if (head.empty() && after.empty()) {
            // The text ended with a break at the end of a wrap segment: the
            // caret stands at the start of the stored line that followed.
            CurposX = 0;
            CurposY = row;
        } else {
            head += after;
            Lines.Insert(row, std::move(head));
            CurposX = caretX;
            CurposY = row;
        }
        r.last = CurposY;
        r.countChanged = -1;
    }
    GCurposX = SelEndX = PrevSelEndX = CurposX;
    GCurposY = SelEndY = PrevSelEndY = CurposY;
    return r;
}

TTarnEdit::EditRange TTarnEdit::StreamInsert(std::string_view textIn, bool record) {
    std::string text = NormalizeLineBreaks(textIn);
    const int y = RowIn(CurposY);
    const std::string& line = Lines.Line(y);
    const int vis = VisibleLength(line);
    int x = std::max(0, CurposX);
    if (x > vis) {
        // Free caret mode: spaces reach the caret.
        if (FreeCaretMode() && !text.empty()) text.insert(0, static_cast<std::size_t>(x - vis), ' ');
        x = vis;
    }
    if (SplitsCharacter(line, x, SingleByteMode)) --x;
    CurposX = x;
    CurposY = y;
    if (text.empty()) return {y, y, y};
    const EditRange r = SpliceText(x, y, text);
    if (record) EditSave(uaInsert, text, x, y);
    return r;
}

TTarnEdit::EditRange TTarnEdit::StreamDelete(bool record) {
    SelFlag = AllSelFlag = false;
    TextPos a{GCurposX, GCurposY}, b{SelEndX, SelEndY};
    if (b.Y < a.Y || (b.Y == a.Y && b.X < a.X)) std::swap(a, b);
    const TextPos top = CleanPosition(a, false);
    TextPos bottom = CleanPosition(b, true);
    if (bottom.Y < top.Y || (bottom.Y == top.Y && bottom.X < top.X)) bottom = top;
    EditRange r{top.Y, top.Y, top.Y};
    if (!(top == bottom)) {
        const std::string deleted = StreamText(top, bottom);
        const std::string& tl = Lines.Line(top.Y);
        std::string joined = tl.substr(0, static_cast<std::size_t>(top.X));
        joined.append(Lines.Line(bottom.Y), static_cast<std::size_t>(bottom.X), std::string::npos);
        if (bottom.Y > top.Y) {
            Lines.DeleteRange(top.Y + 1, bottom.Y - top.Y);
            r.countChanged = -1;
        }
        if (joined.empty() && top.Y < LastLine()) {
            // A wrap segment taken away whole.
            Lines.Delete(top.Y);
            r.countChanged = -1;
        } else {
            Lines.Put(top.Y, std::move(joined));
        }
        // Unwrapped text has no wrap segments: a line left without its
        // ending runs on into the next one.
        if (!WordWrap() && top.Y < LastLine() && IsWrapSegment(Lines.Line(top.Y))) {
            Lines.Put(top.Y, Lines.Line(top.Y) + Lines.Line(top.Y + 1));
            Lines.Delete(top.Y + 1);
            r.countChanged = -1;
        }
        CurposX = top.X;
        CurposY = top.Y;
        if (record) EditSave(uaDelete, deleted, top.X, top.Y);
    } else {
        CurposX = top.X;
        CurposY = top.Y;
    }
    GCurposX = SelEndX = PrevSelEndX = CurposX;
    GCurposY = SelEndY = PrevSelEndY = CurposY;
    GoalX = CurposX;
    return r;
}

}  // namespace tarn

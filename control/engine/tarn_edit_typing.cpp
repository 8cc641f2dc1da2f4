// The edits behind the keyboard and the input method: typing in insert and
// overwrite mode, Enter, Tab, Delete and Backspace.
#include <algorithm>

#include "control/engine/line_breaks.h"
#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::FinishTyping(const EditRange& r, bool lineCountChanged) {
    if (WordWrap() && !CustomEditF) {
        Rewrap(r.first, r.last, true, lineCountChanged);
    } else {
        RedrawAfterEdit(r);
    }
}

void TTarnEdit::RedrawAfterEdit(const EditRange& r) {
    const bool scrolled = MoveCaret(CurposX, CurposY, Txmovemode::normal, true, true);
    if (!scrolled) {
        if (r.countChanged == -1) View().RedrawRows(kRedrawFrom, r.first, r.first);
        else View().RedrawRows(kRedrawRange, r.first, r.last);
    }
    if (!WordWrap() || r.countChanged == -1) View().UpdateScrollRanges();
}

void TTarnEdit::TypeText(std::string_view typed) {
    const std::string t = NormalizeLineBreaks(typed);
    const bool hadSelection = Selmode();
    EditRange r{CurposY, CurposY, CurposY};
    if (hadSelection) r = DeleteForReplace();
    GoalX = 0;
    if (t.empty()) {
        if (hadSelection) {
            FinishTyping(r, r.countChanged == -1);
            Raise(OnChange);
        }
        return;
    }
    const int y = RowIn(CurposY);
    std::string line = Lines.Line(y);
    int x = std::max(0, CurposX);
    bool countChanged = r.countChanged == -1;
    std::string ins = t;
    std::string overwritten;
    const bool atTerminatedEnd = x == VisibleLength(line) && IsLineTerminated(line);
    if (!InsMode && !atTerminatedEnd) {
        // The whole text line is overwritten in one stored line; the re-wrap
        // cuts it again.
        if (WordWrap()) {
            const int end = GetWrapendIndex(y);
            if (end > y) {
                for (int j = y + 1; j <= end; ++j) line += Lines.Line(j);
                Lines.DeleteRange(y + 1, end - y);
                countChanged = true;
            }
        }
        const int vis = VisibleLength(line);
        if (x < vis) {
            const int rest = vis - x;
            const int len = static_cast<int>(t.size());
            int take = std::min(rest, len);
            if (x + len < vis && SplitsCharacter(line, x + len, SingleByteMode)) {
                // The span ends inside a character: it goes whole, and a space
                // keeps the columns to the right in place.
                take = std::min(rest, len + 1);
                ins += ' ';
            }
            overwritten = line.substr(static_cast<std::size_t>(x), static_cast<std::size_t>(take));
            line.erase(static_cast<std::size_t>(x), static_cast<std::size_t>(take));
        }
        Lines.Put(y, line);
        if (!overwritten.empty()) EditSave(uaoverwDel, overwritten, x, y);
    }
    const int vis = VisibleLength(line);
    if (x > vis) {
        if (FreeCaretMode()) ins.insert(0, static_cast<std::size_t>(x - vis), ' ');
        x = vis;
    }
    if (SplitsCharacter(line, x, SingleByteMode)) --x;
    EditSave(InsMode ? uaInsert : uaoverwIns, ins, x, y);
    EditRange done = SpliceText(x, y, ins);
    if (done.countChanged == -1) countChanged = true;
    done = hadSelection ? Merge(r, done) : done;
    if (countChanged) done.countChanged = -1;
    FinishTyping(done, countChanged);
    if (CustomEditF) Raise(OnCustomEdit, false);
    GoalX = CurposX;
    Raise(OnChange);
}

void TTarnEdit::NewLine() {
    const bool hadSelection = Selmode();
    EditRange r{CurposY, CurposY, CurposY};
    if (hadSelection) r = DeleteForReplace();
    std::string t = "\r\n";
    if (AutoIndent) {
        const std::string row = RowText(CurposY, FreeCaretMode() ? CurposX : 0);
        const std::size_t end = std::min(row.size(), static_cast<std::size_t>(std::max(0, CurposX)));
        std::size_t n = 0;
        while (n < end && static_cast<unsigned char>(row[n]) <= 0x20) ++n;
        t.append(row, 0, n);
    }
    const EditRange ins = StreamInsert(t, true);
    Refresh(hadSelection ? Merge(r, ins) : ins);
    Raise(OnChange);
}

void TTarnEdit::InsertTab() {
    const bool hadSelection = Selmode();
    EditRange r{CurposY, CurposY, CurposY};
    if (hadSelection) r = DeleteForReplace();
    const EditRange ins = StreamInsert("\t", true);
    Refresh(hadSelection ? Merge(r, ins) : ins);
    if (CustomEditF) Raise(OnCustomEdit, false);
    Raise(OnChange);
}

void TTarnEdit::DeleteKey() {
    if (Selmode()) {
        Refresh(DeleteForReplace());
        if (CustomEditF) Raise(OnCustomEdit, true);
        Raise(OnChange);
        return;
    }
    DeleteAfterCaret(true);
}

TextPos TTarnEdit::CharBefore(TextPos p) const {
    const std::string& line = Lines.Line(p.Y);
    if (p.X > 0) {
        if (p.X > VisibleLength(line)) return {p.X - 1, p.Y};  // free caret: just a step left
        return {p.X - CharLengthBefore(line, p.X, SingleByteMode), p.Y};
    }
    for (int y = p.Y - 1; y >= 0; --y) {
        const std::string& prev = Lines.Line(y);
        const int vis = VisibleLength(prev);
        // Over a line end the caret goes to the end of the previous line; over
        // a cut, before the last character of the segment.
        if (IsLineTerminated(prev)) return {vis, y};
        if (vis > 0) return {vis - CharLengthBefore(prev, vis, SingleByteMode), y};
    }
    return {0, 0};
}

void TTarnEdit::BackSpace() {
    if (Selmode()) {
        Refresh(DeleteForReplace());
        if (CustomEditF) Raise(OnCustomEdit, false);
        Raise(OnChange);
        return;
    }
    if (CurposX == 0 && CurposY == 0) return;
    const TextPos p = CharBefore({CurposX, CurposY});
    CurposX = p.X;
    CurposY = p.Y;
    GCurposX = SelEndX = PrevSelEndX = CurposX;
    GCurposY = SelEndY = PrevSelEndY = CurposY;
    DeleteAfterCaret(false);
}

void TTarnEdit::DeleteAfterCaret(bool deleteKey) {
    if (CaretScrollFix) MoveCaret(-1, CurposY, Txmovemode::normal, false, false);
    // At the end of a wrap segment the next character begins the next row.
    while (HasRow(CurposY + 1) && IsWrapSegment(Lines.Line(CurposY)) &&
           CurposX >= static_cast<int>(Lines.Line(CurposY).size())) {
        CurposX = 0;
        ++CurposY;
    }
    GCurposX = SelEndX = PrevSelEndX = CurposX;
    GCurposY = SelEndY = PrevSelEndY = CurposY;
    const int y = CurposY, x = CurposX;
    std::string line = Lines.Line(y);
    const int size = static_cast<int>(line.size());
    std::string removed;
    bool joined = false;
    if (x >= 0 && x < size && x <= VisibleLength(line)) {
        const char c = line[static_cast<std::size_t>(x)];
        if (c == '\r' && x + 1 < size && line[static_cast<std::size_t>(x) + 1] == '\n') {
            if (HasRow(y + 1)) {
                removed = "\r\n";
                line.erase(static_cast<std::size_t>(x), 2);
                if (!WordWrap()) line += Lines.Line(y + 1);
                joined = true;
            }
        } else if (c != '\0' && c != '\n') {
            const int n = CharLengthAt(line, x, SingleByteMode);
            removed = line.substr(static_cast<std::size_t>(x), static_cast<std::size_t>(n));
            line.erase(static_cast<std::size_t>(x), static_cast<std::size_t>(n));
        }
    }
    if (!removed.empty()) {
        Lines.Put(y, std::move(line));
        if (joined && !WordWrap()) Lines.Delete(y + 1);
        EditSave(deleteKey ? uadelkey : uaDelete, removed, -1, 0);
        const EditRange r{y, y, joined ? -1 : y};
        if (WordWrap()) Rewrap(y, y, true, joined);
        else RedrawAfterEdit(r);
    } else {
        MoveCaret(CurposX, CurposY, Txmovemode::normal, true, true);
    }
    if (CustomEditF) Raise(OnCustomEdit, deleteKey);
    Raise(OnChange);
}

}  // namespace tarn

// Find and replace: the engine walks the lines and moves the caret; which
// bytes match is always the host's answer to OnFind.
#include <algorithm>
#include <optional>

#include "control/engine/byte_walk.h"
#include "control/engine/tarn_edit.h"

namespace tarn {

int TTarnEdit::AskFind(const std::string& text, int index, int& len) {
    int x = 0;
    len = static_cast<int>(find_.FindStr.size());
    // The handler gets its own copies: it may start another search.
    if (OnFind) {
        const std::string findchr = find_.FindStr;
        OnFind(text, findchr, index, x, len);
    }
    return x;
}

void TTarnEdit::NormalizeFindPos() {
    TFindState& f = find_;
    const int last = LastLine();
    f.EndLine = std::clamp(f.EndLine, 0, last);
    f.CurLine = std::clamp(f.CurLine, 0, last);
    f.CurCol = std::max(0, f.CurCol);
    // A column past the end of its line (after a hit or a replacement that
    // ran over a line break) continues on the lines below.
    while (f.CurLine < f.EndLine && f.CurCol >= static_cast<int>(Lines.Line(f.CurLine).size())) {
        f.CurCol -= static_cast<int>(Lines.Line(f.CurLine).size());
        ++f.CurLine;
    }
    const std::string& line = Lines.Line(f.CurLine);
    f.CurCol = std::min(f.CurCol, static_cast<int>(line.size()));
    if (SplitsCharacter(line, f.CurCol, SingleByteMode)) --f.CurCol;
}

void TTarnEdit::ForgetFindHit() {
    TFindHit& h = find_.Remembered;
    if (!h.Valid()) return;
    if (h.Y >= 0 && h.Y < LineCount()) {
        const ByteWalkPos end = WalkBytes(Lines, {h.X, h.Y}, h.Len);
        View().RedrawRows(kRedrawRange, h.Y, std::max(h.Y, end.Y));
    }
    h = TFindHit{};
}

void TTarnEdit::FindInit(std::string_view findchr) {
    ForgetFindHit();
    find_.FindStr.assign(findchr);
    find_.CurLine = 0;
    find_.CurCol = 0;
    find_.EndLine = LastLine();
    find_.EndDistance = 0;
    find_.FirstSearch = true;
    find_.Continuing = false;
    find_.NoHitPending = false;
    find_.Count = 0;
    find_.Last = TFindHit{};
}

void TTarnEdit::FindStart() {
    ForgetFindHit();
    find_.CurLine = 0;
    find_.CurCol = 0;
    find_.EndLine = LastLine();
    find_.EndDistance = 0;
    find_.Count = 0;
    find_.Continuing = false;
    find_.NoHitPending = false;
    SearchDown(false);
}

namespace {
// A search that starts again from the caret forgets that the last one ran
// out: the user has chosen where to look.
void SeedFromCaret(TFindState& f) {
    if (f.NoHitPending) f.Count = 0;
    f.NoHitPending = false;
    f.Continuing = false;
    f.FirstSearch = false;
}
}  // namespace

// Both directions search the whole document from where they stand.
void TTarnEdit::PrepareFindStep() {
    ForgetFindHit();
    ResetSel();
    find_.EndLine = LastLine();
    find_.EndDistance = 0;
}

void TTarnEdit::FindDown() {
    PrepareFindStep();
    if (find_.FirstSearch) {
        find_.CurLine = CurposY;
        find_.CurCol = CurposX;
        SeedFromCaret(find_);
    }
    SearchDown(false);
}

void TTarnEdit::FindUP() {
    PrepareFindStep();
    if (find_.FirstSearch) {
        find_.CurLine = CurposY;
        find_.UpLimit = CurposX;
        SeedFromCaret(find_);
    }
    SearchUp();
}

TTarnEdit::FindStep TTarnEdit::SearchDown(bool replace) {
    TFindState& f = find_;
    if (f.Continuing && f.NoHitPending) {
        f.CurLine = 0;
        f.CurCol = 0;
        f.Count = 0;
    }
    f.NoHitPending = false;
    f.Continuing = true;
    NormalizeFindPos();
    const std::size_t want = f.FindStr.size();
    for (;;) {
        int first = 0;
        const std::string text = BuildSearchText(Lines, f.CurLine, f.CurCol, f.EndLine, f.EndDistance, want, first);
        f.CurLineLen = first;
        int len = 0;
        const int x = AskFind(text, f.CurLine, len);
        // The handler may have edited the document; never trust old indexes.
        if (f.CurLine > LastLine()) break;
        if (const auto hit = SanitizeHit(text, first, x, len, SingleByteMode)) {
            const int c = f.CurCol + hit->Start;
            const int line = f.CurLine;
            CurSet(c, line, Txmovemode::settop);
            f.FirstSearch = false;
            f.Remembered = f.Last = TFindHit{c, line, hit->Len};
            const std::string findchr = f.FindStr;
            if (!replace) {
                ++f.Count;
                f.CurCol = c + hit->Len;
                if (OnFindHit) OnFindHit(findchr, c, line, hit->Len, f.Count);
                return FindStep::next;
            }
            const std::string change = f.ChangeStr;
            if (f.Confirm) {
                bool changeF = true;
                bool confirm = f.Confirm;
                bool abort = f.Abort;
                if (OnFindChange) OnFindChange(findchr, change, c, line, hit->Len, f.Count, changeF, confirm, abort);
                f.Confirm = confirm;
                f.Abort = abort;
                if (abort) {
                    ForgetFindHit();
                    return FindStep::aborted;
                }
                if (!changeF) {
                    f.CurCol = c + hit->Len;
                    return FindStep::next;
                }
            }
            f.Remembered = TFindHit{};
            if (line > LastLine()) return FindStep::finished;
            // The end of the hit by bytes, so that a hit running over a
            // line break is replaced whole.
            const ByteWalkPos end = WalkBytes(Lines, {c, line}, hit->Len);
            const int before = LineCount();
            PrintText(change, c, line, end.X, end.Y);
            f.EndLine = std::max(f.EndLine + LineCount() - before, line);
            f.CurLine = line;
            f.CurCol = c + static_cast<int>(change.size());
            ++f.Count;
            return FindStep::next;
        }
        if (f.CurLine >= f.EndLine) break;
        ++f.CurLine;
        f.CurCol = 0;
    }
    if (replace) return FindStep::finished;
    f.NoHitPending = true;
    if (OnFindNoHit) OnFindNoHit(std::string(f.FindStr));
    return FindStep::finished;
}

void TTarnEdit::SearchUp() {
    TFindState& f = find_;
    const int last = LastLine();
    bool prefix = true;
    if (f.Continuing && f.Last.Valid()) {
        // Turning round after searching down: what lies before the last hit.
        f.CurLine = f.Last.Y;
        f.UpLimit = f.Last.X;
    } else if (f.NoHitPending) {
        f.CurLine = last;
        f.Count = 0;
        prefix = false;
    } else if (f.Continuing) {
        f.UpLimit = f.CurCol;
    }
    f.Continuing = false;
    f.NoHitPending = false;
    f.CurCol = 0;
    f.EndLine = std::clamp(f.EndLine, 0, last);
    f.CurLine = std::clamp(f.CurLine, 0, last);
    const std::size_t want = f.FindStr.size();
    for (;;) {
        int first = 0;
        std::string text;
        if (prefix) {
            const std::string& line = Lines.Line(f.CurLine);
            int limit = std::clamp(f.UpLimit, 0, VisibleLength(line));
            if (SplitsCharacter(line, limit, SingleByteMode)) --limit;
            text.assign(line, 0, static_cast<std::size_t>(limit));
            first = limit;
        } else {
            text = BuildSearchText(Lines, f.CurLine, 0, f.EndLine, 0, want, first);
        }
        f.CurLineLen = first;
        // The last hit that starts within the line part: keep asking on the
        // rest after each one. Every answer moves on by at least a byte.
        std::optional<TTextHit> best;
        int off = 0;
        while (off < first) {
            const std::string rest = text.substr(static_cast<std::size_t>(off));
            int len = 0;
            const int x = AskFind(rest, f.CurLine, len);
            const auto hit = SanitizeHit(rest, first - off, x, len, SingleByteMode);
            if (!hit) break;
            best = TTextHit{off + hit->Start, hit->Len};
            off += hit->Start + hit->Len;
        }
        if (f.CurLine > LastLine()) break;
        if (best) {
            const int c = best->Start;
            const int line = f.CurLine;
            CurSet(c, line, Txmovemode::settop);
            f.FirstSearch = false;
            f.Remembered = f.Last = TFindHit{c, line, best->Len};
            ++f.Count;
            f.UpLimit = c;
            // Turning round to search down goes on after this hit, not from
            // the start of its line.
            f.CurCol = c + best->Len;
            if (OnFindHit) OnFindHit(std::string(f.FindStr), c, line, best->Len, f.Count);
            return;
        }
        if (f.CurLine == 0) break;
        --f.CurLine;
        prefix = false;
    }
    f.CurCol = 0;
    f.NoHitPending = true;
    if (OnFindNoHit) OnFindNoHit(std::string(f.FindStr));
}

void TTarnEdit::FindChange(std::string_view findchr, std::string_view Changechr, bool AllChangeF, bool kakuninF,
                           bool TopStartF) {
    TFindState& f = find_;
    const std::string findText(findchr), changeText(Changechr);
    ForgetFindHit();
    f.FindStr = findText;
    f.ChangeStr = changeText;
    f.Confirm = kakuninF;
    f.Continuing = true;
    f.FirstSearch = true;
    f.NoHitPending = false;
    f.Count = 0;
    f.Abort = false;
    f.Last = TFindHit{};
    if (AllChangeF || !Selmode()) {
        f.EndLine = LastLine();
        f.EndDistance = 0;
        ResetSel();
        f.CurLine = TopStartF ? 0 : CurposY;
        f.CurCol = TopStartF ? 0 : CurposX;
    } else {
        // The range runs from the selection's first position to its last,
        // ordered as positions (not column by column).
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (AllSelFlag) {
            y2 = LastLine();
            x2 = VisibleLength(Lines.Line(y2));
        } else {
            x1 = GCurposX, y1 = GCurposY, x2 = SelEndX, y2 = SelEndY;
            if (y2 < y1 || (y2 == y1 && x2 < x1)) {
                std::swap(x1, x2);
                std::swap(y1, y2);
            }
            y1 = std::clamp(y1, 0, LastLine());
            y2 = std::clamp(y2, 0, LastLine());
            if (y2 > y1 && x2 == 0) {
                --y2;
                x2 = static_cast<int>(Lines.Line(y2).size());
            }
        }
        const int full = static_cast<int>(Lines.Line(y2).size());
        f.EndLine = y2;
        f.EndDistance = std::max(0, full - std::clamp(x2, 0, full));
        ResetSel();
        f.CurLine = y1;
        f.CurCol = x1;
    }
    {
        // Without confirmation nobody looks at the window until the end: the
        // view shows the result once instead of every replacement. With it,
        // each hit is shown before the host is asked, until the host stops
        // asking for confirmation.
        std::optional<TViewBatch> batch;
        for (;;) {
            if (!f.Confirm && !batch) batch.emplace(View());
            if (SearchDown(true) != FindStep::next) break;
        }
        if (f.Confirm) {
            ForgetFindHit();
        } else {
            RefreshLine();
            MoveCaret(CurposX, CurposY, Txmovemode::normal, true, true);
        }
    }
    if (OnFindChangeEnd) OnFindChangeEnd(findText, changeText, f.Count);
}

void TTarnEdit::SetFindHitFocus(std::uint32_t HitColor) {
    const TFindHit& h = find_.Remembered;
    if (!h.Valid() || h.Y < 0 || h.Y >= LineCount()) return;
    View().PaintFindHit(h.X, h.Y, h.Len, HitColor & 0xFFFFFFu, (HitColor ^ 0xFFFFFFu) & 0xFFFFFFu);
}

void TTarnEdit::SelectionChanged() {
    find_.FirstSearch = true;
    if (!Selmode()) ForgetFindHit();
}

}  // namespace tarn

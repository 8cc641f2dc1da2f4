// Dragging the selection and dropping text: what happens to the document.
// Where the pointer is and which program the text came from is the view's
// business; it calls these at the start and the end of every drag.
#include <algorithm>

#include "control/engine/tarn_edit.h"

namespace tarn {

namespace {
bool Before(TextPos a, TextPos b) { return a.Y < b.Y || (a.Y == b.Y && a.X < b.X); }

// Where a point after a removed stream range [start, end) lands once the
// range is gone; points before it stay.
TextPos AfterRemoval(TextPos p, TextPos start, TextPos end) {
    if (!Before(start, p)) return p;
    if (p.Y == end.Y) return {start.X + std::max(0, p.X - end.X), start.Y};
    return {p.X, p.Y - (end.Y - start.Y)};
}
}  // namespace

bool TTarnEdit::PointInSelection(int x, int y) const {
    if (!Selmode()) return false;
    if (SelFlag && BoxSelMode()) return IsInnerSelect(x, y);
    TextPos start{GCurposX, GCurposY}, end{SelEndX, SelEndY};
    if (AllSelFlag) {
        start = {0, 0};
        end = {VisibleLength(Lines.Line(LastLine())), LastLine()};
    }
    if (Before(end, start)) std::swap(start, end);
    // A selection ending at the start of a row ends after the row above.
    if (end.X == 0 && end.Y > start.Y) {
        --end.Y;
        end.X = static_cast<int>(Lines.Line(end.Y).size());
    }
    const TextPos p{x, y};
    return !Before(p, start) && !Before(end, p);
}

void TTarnEdit::DragInit() {
    dragging_ = true;
    DragStartCursor = DragCursor;
    MouseDownF = true;
    SavedCaretScrollFix = CaretScrollFix;
    CaretScrollFix = false;
    dragOrigin_ = {PrevSelEndX, PrevSelEndY};
}

void TTarnEdit::DropText(std::string_view Str, bool SelfDropF) {
    MouseDownF = false;
    const bool inside = PointInSelection(CurposX, CurposY);
    if (SelfDropF && (inside || ReadOnly)) {
        ResetSel();
        return;
    }
    if (!SelfDropF) {
        if (!inside) ResetSel();
        TextPaste(Str);
        View().PlaceCaret();
        return;  // TextPaste raised OnChange
    }

    const bool ctrl = (View().ModifierState() & kMkControl) != 0;
    const bool box = BoxSelMode();
    int pad = 0;
    if (FreeCaretMode()) {
        const int vis = VisibleLength(Lines.Line(CurposY));
        if (CurposX > vis) {
            pad = CurposX - vis;
            CurposX = vis;
        }
    }
    TextPos drop{CurposX, CurposY};
    // The selection as it stands, start before end.
    TextPos start{GCurposX, GCurposY}, end{SelEndX, SelEndY};
    if (AllSelFlag) {
        start = {0, 0};
        end = {VisibleLength(Lines.Line(LastLine())), LastLine()};
    }
    if (Before(end, start)) std::swap(start, end);
    CurposX = dragOrigin_.X;
    CurposY = dragOrigin_.Y;

    // The removal reflows wrapped rows: work in unwrapped positions.
    const bool unwrap = WordWrap() && (!ctrl || box);
    if (unwrap) {
        WtoNcurpos(drop.X, drop.Y);
        WtoNcurpos(start.X, start.Y);
        WtoNcurpos(end.X, end.Y);
    }
    // A move is one undo step: the removal here and the insertion there.
    const std::uint64_t recorded = history_.Recorded();
    if (ctrl) ResetSel();
    else DeleteSelection(true, box);

    if (!ctrl && !box) drop = AfterRemoval(drop, start, end);
    if (unwrap) NtoWcurpos(drop.X, drop.Y);
    drop.Y = std::clamp(drop.Y, 0, LastLine());
    MoveCaret(drop.X + pad, drop.Y, Txmovemode::normal, false, true);
    InsertAtCaret(Str, true, box);
    TieRecordsSince(recorded);
    GoalX = CurposX;
    GCurposX = SelEndX = PrevSelEndX = CurposX;
    GCurposY = SelEndY = PrevSelEndY = CurposY;
    View().PlaceCaret();
    Raise(OnChange);
}

void TTarnEdit::DropFinish(bool SelfDropF, bool ExtDropMoveF) {
    MouseDownF = false;
    CaretScrollFix = SavedCaretScrollFix;
    if (!SelfDropF && Selmode()) {
        if (ExtDropMoveF && !(View().ModifierState() & kMkControl)) {
            Cut();
            CaretUpdate();
            Raise(OnSelectionChange);
        } else {
            ResetSel();
        }
    }
    dragging_ = false;
    DragCursor = DragStartCursor;
}

}  // namespace tarn

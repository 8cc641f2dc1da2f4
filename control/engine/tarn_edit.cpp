#include "control/engine/tarn_edit.h"

namespace tarn {

TTarnEdit::TTarnEdit(TEditView* view) : view_(view ? view : &nullView_) {
    Lines.Add(std::string(1, '\0'));
}

void TTarnEdit::ResetState() {
    IMEChangingF = false;
    InsMode = true;
    CurposX = CurposY = 0;
    GCurposX = GCurposY = 0;
    SelEndX = SelEndY = 0;
    PrevSelEndX = PrevSelEndY = 0;
    GoalX = 0;
    CaretPixelX = 0;
    ClOffsetX = ClOffsetY = 0;
    SelFlag = AllSelFlag = false;
    MouseDownF = false;
    history_.Clear();
    // A remembered hit would point into text that is gone.
    find_.Remembered = TFindHit{};
    find_.Last = TFindHit{};
    Modified = false;
    Raise(OnChangeModify, false);
    CanRedo = false;
    Raise(OnChangeRedoMode, false);
}

void TTarnEdit::SetBoxSelMode(bool v) {
    if (v == boxSelMode_) return;
    if (Selmode()) ResetSel();
    boxSelMode_ = v;
}

void TTarnEdit::SetFreeCaretMode(bool v) {
    freeCaretMode_ = v;
    if (v || !HasRow(0)) return;
    int vis = VisibleLength(Lines.Line(RowAtMost(CurposY)));
    if (CurposX > vis) CurposX = vis;
    if (Selmode()) ResetSel();
}

std::string TTarnEdit::RowText(int row, int padTo) const {
    std::string s(VisibleText(Lines.Line(row)));
    if (padTo > static_cast<int>(s.size())) s.append(static_cast<std::size_t>(padTo) - s.size(), ' ');
    return s;
}

}  // namespace tarn

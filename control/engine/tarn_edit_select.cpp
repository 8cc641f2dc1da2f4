#include "control/engine/tarn_edit.h"

#include <algorithm>

namespace tarn {

void TTarnEdit::ResetSel() {
    const bool had = SelFlag || AllSelFlag;
    const bool all = AllSelFlag;
    const int top = std::min(GCurposY, SelEndY);
    const int bottom = std::max(GCurposY, SelEndY);
    SelFlag = AllSelFlag = false;
    if (had) {
        if (all) View().RepaintAll();
        else View().RedrawRows(kRedrawRange, top, bottom);
    }
    GCurposX = SelEndX = PrevSelEndX = CurposX;
    GCurposY = SelEndY = PrevSelEndY = CurposY;
}

bool TTarnEdit::GetselLine(int& x1, int& y1, int& x2, int& y2) const {
    if (AllSelFlag) {
        x1 = y1 = 0;
        y2 = LastLine();
        x2 = VisibleLength(Lines.Line(y2));
        return true;
    }
    if (!SelFlag) {
        x1 = x2 = CurposX;
        y1 = y2 = CurposY;
        return false;
    }
    x1 = std::min(GCurposX, SelEndX);
    x2 = std::max(GCurposX, SelEndX);
    y1 = std::min(GCurposY, SelEndY);
    y2 = std::max(GCurposY, SelEndY);
    if (y2 > 0 && x2 == 0) {
        --y2;
        x2 = static_cast<int>(Lines.Line(y2).size());
    }
    return true;
}

void TTarnEdit::SetselLine(int x1, int y1, int x2, int y2) {
    ResetSel();
    // Positions from outside are kept inside the document, so that later
    // painting and reading never meet a row that does not exist.
    y1 = RowIn(y1);
    x1 = std::clamp(x1, 0, static_cast<int>(Lines.Line(y1).size()));
    y2 = RowIn(y2);
    const std::string& end = Lines.Line(y2);
    if (IsLineTerminated(end) && y2 < LastLine() && x2 >= static_cast<int>(end.size())) {
        x2 = 0;
        ++y2;
    }
    GCurposX = x1;
    GCurposY = y1;
    SelFlag = true;
    MoveCaret(std::max(0, x2), y2, Txmovemode::normal, true, false);
    SelEndX = PrevSelEndX = CurposX;
    SelEndY = PrevSelEndY = CurposY;
    View().RedrawRows(kRedrawRange, std::min(GCurposY, SelEndY), std::max(GCurposY, SelEndY));
}

void TTarnEdit::AllSel() {
    if (LineCount() == 0) return;
    if (LineCount() == 1 && Lines.Line(0) == std::string_view("\0", 1)) return;
    AllSelFlag = true;
    SelFlag = false;
    boxSelMode_ = false;
    GCurposX = GCurposY = 0;
    SelEndY = LastLine();
    SelEndX = static_cast<int>(Lines.Line(SelEndY).size()) - 1;
    View().RepaintAll();
    View().PlaceCaret();
    SelectionChanged();
    Raise(OnSelectionChange);
}

std::pair<int, int> TTarnEdit::BoxColumnsBetween(int row, TextPos anchor, TextPos end) const {
    const std::string& line = Lines.Line(row);
    const int vis = VisibleLength(line);
    int left, right;
    if (BoxColumFix) {
        left = anchor.X;
        right = end.X;
        OrderPair(left, right);
        right = std::min(right, vis);
        if (SplitsCharacter(line, left, SingleByteMode)) ++left;
        if (SplitsCharacter(line, right, SingleByteMode)) --right;
    } else {
        left = ColumnAtPixel(row, PixelOfColumn(anchor.Y, anchor.X), false).column;
        right = ColumnAtPixel(row, PixelOfColumn(end.Y, end.X), false).column;
        OrderPair(left, right);
        right = std::min(right, vis);
    }
    return {left, right};
}

std::string TTarnEdit::BoxText(int anchorX, int anchorY, int endX, int endY) const {
    std::string out;
    const int top = std::max(0, std::min(anchorY, endY));
    const int bottom = std::min(LastLine(), std::max(anchorY, endY));
    for (int row = top; row <= bottom; ++row) {
        auto [left, right] = BoxColumnsBetween(row, {anchorX, anchorY}, {endX, endY});
        if (right > left) out.append(Lines.Line(row), static_cast<std::size_t>(left), static_cast<std::size_t>(right - left));
        out.append("\r\n");
    }
    return out;
}

bool TTarnEdit::IsInnerSelect(int x, int y) const {
    if (!Selmode()) return false;
    if (SelFlag && BoxSelMode()) {
        if (y < std::min(GCurposY, SelEndY) || y > std::max(GCurposY, SelEndY)) return false;
        auto [left, right] = BoxColumns(y);
        return left != right && x >= left && x <= right;
    }
    int x1, y1, x2, y2;
    GetselLine(x1, y1, x2, y2);
    if (y1 == y2) return y == y1 && x >= x1 && x <= x2;
    if (y > y1 && y < y2) return true;
    if (y == y1) return x >= x1;
    if (y == y2) return x <= x2;
    return false;
}

namespace {
// Shift held, or the mouse button down, extends the selection.
bool Extending(const TTarnEdit& e) { return (e.View().ModifierState() & kMkShift) || e.MouseDownF; }
}  // namespace

void TTarnEdit::SetHome() {
    if (CurposX == 0 && CurposY == 0) return;
    const bool extend = Extending(*this);
    if (Selmode() && !(View().ModifierState() & kMkShift)) ResetSel();
    if (!Selmode() && extend) {
        SelFlag = true;
        GCurposX = CurposX;
        GCurposY = CurposY;
    }
    CurposX = CurposY = 0;
    ClOffsetY = 0;
    ClOffsetX = 0;
    GoalX = 0;
    CaretPixelX = 0;
    if (SelFlag) {
        SelEndX = PrevSelEndX = CurposX;
        SelEndY = PrevSelEndY = CurposY;
    } else if (!AllSelFlag) {
        GCurposX = SelEndX = PrevSelEndX = 0;
        GCurposY = SelEndY = PrevSelEndY = 0;
    }
    View().UpdateScrollRanges();
    View().RepaintAll();
    CaretUpdate();
}

void TTarnEdit::SetEnd() {
    const int last = LastLine();
    const int endX = VisibleLength(Lines.Line(last));
    if (CurposY == last && CurposX == endX) return;
    const bool extend = Extending(*this);
    if (Selmode() && !(View().ModifierState() & kMkShift)) ResetSel();
    if (!Selmode() && extend) {
        SelFlag = true;
        GCurposX = CurposX;
        GCurposY = CurposY;
    }
    CurposY = last;
    CurposX = endX;
    GoalX = endX;
    ClOffsetY = VerticalMaximum();
    ClOffsetX = std::max(0, PixelOfColumn(last, endX) + CaretMargin() - DwclientX);
    if (SelFlag) {
        SelEndX = PrevSelEndX = CurposX;
        SelEndY = PrevSelEndY = CurposY;
    } else if (!AllSelFlag) {
        GCurposX = SelEndX = PrevSelEndX = CurposX;
        GCurposY = SelEndY = PrevSelEndY = CurposY;
    }
    View().UpdateScrollRanges();
    View().RepaintAll();
    CaretUpdate();
}

}  // namespace tarn

// Selection painting: the stream and box views of a full repaint, and the
// incremental repaint as the selection end moves.
#include "control/view/tarn_edit_view.h"

namespace tarn::view {

void TTarnEditView::PaintSelectionRow(int row) {
    TextPos a{edit_.GCurposX, edit_.GCurposY};
    TextPos e{edit_.SelEndX, edit_.SelEndY};
    if (e.Y < a.Y || (e.Y == a.Y && e.X < a.X)) std::swap(a, e);
    const int len = static_cast<int>(edit_.Lines.Line(row).size());
    if (row < a.Y || row > e.Y) {
        RowPainter(row, 0);
    } else if (a.Y == e.Y) {
        Segment(row, 0, a.X, false);
        Segment(row, a.X, e.X, true);
        Segment(row, e.X, len, false);
    } else if (row == a.Y) {
        Segment(row, 0, a.X, false);
        Segment(row, a.X, len, true);
    } else if (row == e.Y) {
        Segment(row, 0, e.X, true);
        Segment(row, e.X, len, false);
    } else {
        Segment(row, 0, len, true);
    }
}

void TTarnEditView::PaintBoxRow(int row) {
    const int top = std::min(edit_.GCurposY, edit_.SelEndY);
    const int bottom = std::max(edit_.GCurposY, edit_.SelEndY);
    if (row < top || row > bottom) {
        RowPainter(row, 0);
        return;
    }
    const std::string& line = edit_.Lines.Line(row);
    const int len = static_cast<int>(line.size());
    if (VisibleLength(line) < std::min(edit_.GCurposX, edit_.GoalX)) {
        Segment(row, 0, len, false);
        return;
    }
    std::pair<int, int> cols;
    if (boxRight_ >= 0 && !edit_.BoxColumFix) {
        int left = edit_.ColumnAtPixel(row, edit_.PixelOfColumn(edit_.GCurposY, edit_.GCurposX), false).column;
        int right = edit_.ColumnAtPixel(row, boxRight_, false).column;
        OrderPair(left, right);
        cols = {left, std::min(right, VisibleLength(line))};
    } else {
        cols = edit_.BoxColumns(row);
    }
    Segment(row, 0, cols.first, false);
    Segment(row, cols.first, cols.second, true);
    Segment(row, cols.second, len, false);
}

void TTarnEditView::RepaintSelectionEnd(int endX, int endY, int boxRightPixel) {
    if (!edit_.HasRow(0)) return;
    endY = edit_.ClampRow(endY);
    // Far beyond any row the pixel arithmetic of box bounds would overflow.
    endX = std::clamp(endX, 0, std::max(static_cast<int>(edit_.Lines.Line(endY).size()), edit_.MaxCurposX()));
    if (edit_.FreeCaretMode() && !edit_.BoxSelMode()) {
        endX = std::min(endX, VisibleLength(edit_.Lines.Line(endY)));
        if (edit_.GCurposX == edit_.SelEndX && edit_.GCurposY == edit_.SelEndY)
            edit_.GCurposX = std::min(edit_.GCurposX, VisibleLength(edit_.Lines.Line(edit_.GCurposY)));
    }
    edit_.SelEndX = endX;
    edit_.SelEndY = endY;
    const int prev = edit_.ClampRow(edit_.PrevSelEndY);
    HideCaret();
    {
        TPaintScope s(*this);
        auto paint = [&](int row, bool box) {
            if (!RowVisible(row)) return;
            if (box) PaintBoxRow(row);
            else PaintSelectionRow(row);
        };
        if (!edit_.BoxSelMode()) {
            for (int row = std::min(prev, endY); row <= std::max(prev, endY); ++row) paint(row, false);
        } else {
            // Without a dragging mouse the bound is the caret's x, which is
            // where the selection end's column stands.
            boxRight_ = boxRightPixel;
            const int top = std::min(edit_.GCurposY, endY);
            const int bottom = std::max(edit_.GCurposY, endY);
            // Every row the box gave up, not only the previous end row: a
            // jump of several rows would otherwise leave rows painted as
            // selected.
            for (int row = std::min(prev, top); row < top; ++row)
                if (RowVisible(row)) RowPainter(row, 0);
            for (int row = bottom + 1; row <= std::max(prev, bottom); ++row)
                if (RowVisible(row)) RowPainter(row, 0);
            const int first = std::max(top, edit_.ClOffsetY);
            const int last = std::min(bottom, edit_.ClOffsetY + edit_.ClLineCount - 1);
            for (int row = first; row <= last; ++row) paint(row, true);
        }
    }
    edit_.PrevSelEndX = edit_.SelEndX;
    edit_.PrevSelEndY = edit_.SelEndY;
    ShowCaret();
}

}  // namespace tarn::view

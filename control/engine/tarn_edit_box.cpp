// The two primitives in their box (rectangular) form. Every stored line of
// a box edit is described by one item of the box record text, in unwrapped
// coordinates, so that the history can take the edit back row by row.
#include <algorithm>

#include "control/engine/box_record.h"
#include "control/engine/line_breaks.h"
#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::AppendLastLine(std::vector<BoxItem>& items) {
    const int last = LastLine();
    const std::string& line = Lines.Line(last);
    int x = VisibleLength(line), y = last;
    WtoNcurpos(x, y);
    Lines.Put(last, StripEofMark(line) + "\r\n");
    Lines.Add(std::string(1, '\0'));
    items.push_back({x, y, "\r\n"});
}

TTarnEdit::EditRange TTarnEdit::BoxInsert(std::string_view text, bool record) {
    const std::vector<std::string> rows = SplitBoxLines(text);
    CurposY = RowIn(CurposY);
    EditRange r{CurposY, CurposY, CurposY};
    if (rows.empty()) return r;
    // A box goes in at the first row of a wrapped text line, under the
    // caret's screen x.
    if (WordWrap() && ISInnerWrap(CurposY)) {
        const int px = PixelOfColumn(CurposY, CurposX);
        const int top = GetWrapTopIndex(CurposY);
        CurposX = ColumnAtPixel(top, px, false).column;
        CurposY = top;
    }
    const int x0 = CurposX, y0 = CurposY;
    const int leftPx = PixelOfColumn(y0, x0);
    std::string prefix = RowText(y0, x0);
    prefix.resize(std::min(prefix.size(), static_cast<std::size_t>(std::max(0, x0))));
    const int rightPx = ExpandedWidth(prefix + rows[0]);

    std::vector<BoxItem> items;        // in the order made; written last first
    std::vector<BoxItem> overwritten;  // in the order made
    bool appended = false;
    int caretRow = y0, caretCol = x0;
    try {
        int i = y0;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            std::string line = Lines.Line(i);
            const int d = ColumnAtPixel(i, leftPx, true).column;
            if (!InsMode) {
                const int vis = VisibleLength(line);
                const int right = std::min(ColumnAtPixel(i, rightPx, false).column, vis);
                if (d < right) {
                    int nx = d, ny = i;
                    WtoNcurpos(nx, ny);
                    overwritten.push_back({nx, ny, line.substr(static_cast<std::size_t>(d), static_cast<std::size_t>(right - d))});
                    line.erase(static_cast<std::size_t>(d), static_cast<std::size_t>(right - d));
                }
            }
            const int vis = VisibleLength(line);
            const int pad = std::max(0, d - vis);
            const int at = pad > 0 ? vis : d;
            std::string ins(static_cast<std::size_t>(pad), ' ');
            ins += rows[k];
            line.insert(static_cast<std::size_t>(at), ins);
            Lines.Put(i, std::move(line));
            int nx = at, ny = i;
            WtoNcurpos(nx, ny);
            items.push_back({nx, ny, std::move(ins)});
            caretRow = i;
            caretCol = d + static_cast<int>(rows[k].size());
            if (WordWrap()) i = GetWrapendIndex(i);
            // A new last line is added only once the row above is done: its
            // item then holds the end of the document as the undo finds it,
            // after the row's own item is gone and before any overwritten
            // bytes are back.
            if (k + 1 < rows.size()) {
                if (i == LastLine()) {
                    AppendLastLine(items);
                    appended = true;
                }
                ++i;
            }
        }
    } catch (const std::exception&) {
        ShowMessage("Error:OC009");
    }
    CurposX = caretCol;
    CurposY = caretRow;
    GCurposX = SelEndX = PrevSelEndX = CurposX;
    GCurposY = SelEndY = PrevSelEndY = CurposY;
    if (record) {
        if (!overwritten.empty()) EditSave(uaBoxdelete, WriteBoxRecord(overwritten), x0, y0);
        if (!items.empty()) EditSave(uaBoxInsert, WriteBoxRecordReversed(items), x0, y0);
    }
    r.first = y0;
    r.last = std::max(y0, caretRow);
    r.countChanged = appended ? -1 : y0;
    return r;
}

TTarnEdit::EditRange TTarnEdit::BoxDelete(bool record) {
    SelFlag = AllSelFlag = false;
    const TextPos anchor{GCurposX, GCurposY}, end{SelEndX, SelEndY};
    const int top = RowIn(std::min(anchor.Y, end.Y));
    const int bottom = RowIn(std::max(anchor.Y, end.Y));
    std::vector<BoxItem> items;  // bottom row first
    bool removedAny = false;
    int topLeft = 0;
    for (int row = bottom; row >= top; --row) {
        auto [left, right] = BoxColumnsBetween(row, anchor, end);
        // An edge beyond a short row stands at its end.
        left = std::min(left, VisibleLength(Lines.Line(row)));
        std::string removed;
        if (right > left) {
            std::string line = Lines.Line(row);
            removed = line.substr(static_cast<std::size_t>(left), static_cast<std::size_t>(right - left));
            line.erase(static_cast<std::size_t>(left), static_cast<std::size_t>(right - left));
            Lines.Put(row, std::move(line));
            removedAny = true;
        }
        // Taken before the rows above change, so that putting the items
        // back from the top down finds each position as it was.
        int nx = left, ny = row;
        WtoNcurpos(nx, ny);
        items.push_back({nx, ny, std::move(removed)});
        if (row == top) topLeft = left;
    }
    CurposX = topLeft;
    CurposY = top;
    GCurposX = SelEndX = PrevSelEndX = CurposX;
    GCurposY = SelEndY = PrevSelEndY = CurposY;
    GoalX = CurposX;
    if (record && removedAny) EditSave(uaBoxdelete, WriteBoxRecordReversed(items), topLeft, top);
    return {top, bottom, top};
}

}  // namespace tarn

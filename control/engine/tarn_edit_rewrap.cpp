// Re-wrapping after an edit: only the text lines that hold the changed
// stored lines are cut again, so an edit costs what its text line costs,
// not what the document does.
#include <algorithm>

#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::Rewrap(int first, int last, bool repaint, bool countChanged) {
    // Rows are split only as far as the edit reaches.
    if (!HasRow(0)) return;
    if (!WordWrap()) {
        if (repaint) {
            MoveCaret(CurposX, CurposY, Txmovemode::normal, true, true);
            View().RedrawRows(kRedrawFrom, first, first);
        }
        return;
    }
    int s = ClampRow(first);
    const int e = std::max(s, ClampRow(last));
    // Text may flow back into the segment before the change.
    if (s > 0 && IsWrapSegment(Lines.Line(s - 1))) --s;

    // Join the text lines from s until the stored index passes e, carrying
    // the caret along into the joined text.
    std::vector<std::string> joined;
    int caretText = -1;
    long long caretCol = CurposX;
    int i = s;
    try {
        while (i <= e) {
            std::string line;
            for (;;) {
                const std::string& seg = Lines.Line(i);
                if (i == CurposY) {
                    caretText = static_cast<int>(joined.size());
                    caretCol = static_cast<long long>(line.size()) + CurposX;
                }
                line += seg;
                if (IsLineTerminated(seg) || !HasRow(i + 1)) break;
                ++i;
            }
            joined.push_back(std::move(line));
            ++i;
        }
    } catch (const std::exception&) {
        ShowMessage("CLineError");
        return;
    }
    const int consumed = i - s;

    // Cut them again and write the rows back over the consumed ones.
    int w = s;
    int caretRow = CurposY;
    bool placed = false;
    std::vector<std::string> rows;
    for (int k = 0; k < static_cast<int>(joined.size()); ++k) {
        rows.clear();
        WrapInto(joined[static_cast<std::size_t>(k)], rows);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            std::string& seg = rows[r];
            if (k == caretText && !placed) {
                // A caret exactly at a cut stands at the start of the next row.
                const long long len = static_cast<long long>(seg.size());
                if (caretCol >= len && r + 1 < rows.size()) {
                    caretCol -= len;
                } else {
                    caretRow = w;
                    placed = true;
                }
            }
            if (w < s + consumed) {
                if (Lines.Line(w) != seg) Lines.Put(w, std::move(seg));
            } else {
                Lines.Insert(w, std::move(seg));
            }
            ++w;
        }
    }
    if (w < s + consumed) {
        try {
            Lines.DeleteRange(w, s + consumed - w);
        } catch (const std::exception&) {
            ShowMessage("WrapLineError2");
        }
    }
    const int produced = w - s;
    int caretX = CurposX;
    if (placed) {
        caretX = static_cast<int>(caretCol);
    } else if (CurposY >= s + consumed) {
        caretRow = CurposY + produced - consumed;
    }
    caretRow = ClampRow(caretRow);

    if (repaint) {
        const bool scrolled = MoveCaret(caretX, caretRow, Txmovemode::normal, true, true);
        if (!scrolled) {
            if (produced != consumed) {
                View().UpdateScrollRanges();
                View().RepaintAll();
            } else if (countChanged) {
                View().RedrawRows(kRedrawFrom, s, s);
            } else if (e > first || consumed > 1) {
                // As many rows as before and the same text lines: the rows
                // below did not move, only the re-cut text line changed.
                View().RedrawRows(kRedrawRange, s, s + produced - 1);
            } else {
                View().RedrawRows(kRedrawCaretRow, CurposY, CurposY);
            }
        }
    } else {
        CurposX = caretX;
        CurposY = caretRow;
        GCurposX = SelEndX = PrevSelEndX = CurposX;
        GCurposY = SelEndY = PrevSelEndY = CurposY;
        CaretPixelX = PixelOfColumn(CurposY, CurposX) - ClOffsetX;
    }
}

}  // namespace tarn

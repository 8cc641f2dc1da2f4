#include "control/engine/tarn_edit.h"

#include "control/engine/pixel_math.h"

#include <algorithm>
#include <cmath>

namespace tarn {

int TTarnEdit::KeepOutRows() const {
    // Rounded to nearest, halves to even.
    return static_cast<int>(std::nearbyint(vertScrollLimit_ * ClLineCount * 0.01)) + 1;
}

int TTarnEdit::VerticalMaximum() const {
    return std::max(0, RowsForScroll() + KeepOutRows() - ClLineCount - 1);
}

int TTarnEdit::LastVisibleLine() const {
    return RowAtMost(ClOffsetY + std::max(1, ClLineCount) - 1);
}

int TTarnEdit::ExpandedWidth(std::string_view bytes) const {
    if (bytes.empty()) return 0;
    if (bytes.find('\t') == std::string_view::npos) return View().TextWidth(bytes, Fontwidth);
    return View().TextWidth(Tabtospace(bytes), Fontwidth);
}

int TTarnEdit::PixelOfColumn(int row, int col) const {
    std::string_view vis = VisibleText(Lines.Line(row));
    if (col <= 0) return 0;
    if (col <= static_cast<int>(vis.size())) return ExpandedWidth(vis.substr(0, static_cast<std::size_t>(col)));
    // Beyond the text only free caret mode places anything: spaces.
    return ClampPixels(static_cast<std::int64_t>(ExpandedWidth(vis)) +
                       static_cast<std::int64_t>(col - static_cast<int>(vis.size())) * View().TextWidth(" ", Fontwidth));
}

ColumnHit TTarnEdit::ColumnAtPixel(int row, int x, bool pad) const {
    if (x <= 0) return {0, 0};
    std::string text;
    if (HasRow(row)) text = std::string(VisibleText(Lines.Line(row)));
    if (pad || FreeCaretMode()) {
        const int space = std::max(1, View().TextWidth(" ", Fontwidth));
        const int want = std::min(MaxCurposX(), static_cast<int>(text.size()) + x / space);
        if (want > static_cast<int>(text.size())) text.append(static_cast<std::size_t>(want - static_cast<int>(text.size())), ' ');
    }
    const int len = static_cast<int>(text.size());
    const std::string_view sv(text);
    auto width = [&](int b) { return ExpandedWidth(sv.substr(0, static_cast<std::size_t>(b))); };
    auto floorBoundary = [&](int b) { return SplitsCharacter(sv, b, SingleByteMode) ? b - 1 : b; };
    const int full = width(len);
    if (x >= full) return {len, full};
    // The last boundary at or left of x, by bisection over byte positions.
    int lo = 0, hi = len;  // width(lo) <= x < width(hi)
    while (hi - lo > 1) {
        int mid = lo + (hi - lo) / 2;
        if (width(floorBoundary(mid)) <= x) lo = mid;
        else hi = mid;
    }
    const int before = floorBoundary(lo);
    const int after = before + CharLengthAt(sv, before, SingleByteMode);
    const int w2 = width(before);
    const int w3 = width(after);
    if (x <= w3 - (w3 - w2) / 2) return {before, w2};
    return {after, w3};
}

int TTarnEdit::FreeCaretLimit() const {
    const int hstep = HorizontalStep();
    int limit = ClampPixels((DwclientX < static_cast<std::int64_t>(WidestRow) + hstep)
                                ? static_cast<std::int64_t>(WidestRow) + DwclientX - hstep
                                : static_cast<std::int64_t>(DwclientX) + ClOffsetX);
    limit -= CaretMargin();
    if (WordWrap()) limit = std::min(limit, PixelsOf(Column(), Fontwidth));
    return std::min(ColumnAtPixel(CurposY, limit, true).column, MaxCurposX());
}

bool TTarnEdit::CurSet(int x, int y, Txmovemode mode) {
    int row = RowAtMost(y);
    const std::string& line = Lines.Line(row);  // the range error for a bad row
    int col = std::max(0, x);
    if (FreeCaretMode()) {
        const int savedRow = CurposY;
        CurposY = row;
        col = std::min(col, FreeCaretLimit());
        CurposY = savedRow;
    }
    if (GetByteType(line, col + 1, SingleByteMode) == kTrailByte) --col;
    ResetSel();
    const bool scrolled = MoveCaret(col, row, mode, true, true);
    View().PlaceCaret();
    Raise(OnSelectionChange);
    Raise(OnMoveCaret);
    return scrolled;
}

bool TTarnEdit::MoveCaret(int column, int row, Txmovemode mode, bool setGoal, bool collapse) {
    try {
        const int oldRow = CurposY;
        if (column >= 0) {
            row = ClampRow(row);
            const std::string& line = Lines.Line(row);
            const int vis = VisibleLength(line);
            if (!FreeCaretMode()) column = std::min(column, vis);
            // The caret never stands between the two bytes of a character.
            if (SplitsCharacter(line, column, SingleByteMode)) --column;
            CurposX = column;
            CurposY = row;
            CaretPixelX = PixelOfColumn(row, column) - ClOffsetX;
        }
        const bool scrolled = EnsureVisible(mode);
        if (scrolled) {
            View().UpdateScrollRanges();
            View().RepaintAll();
            CaretUpdate();
        } else {
            CaretUpdate();
            if (CurposY != oldRow) View().MoveUnderline(oldRow, CurposY);
        }
        if (collapse) {
            GCurposX = SelEndX = PrevSelEndX = CurposX;
            GCurposY = SelEndY = PrevSelEndY = CurposY;
        }
        if (setGoal) GoalX = CurposX;
        return scrolled;
    } catch (const std::exception&) {
        ShowMessage("Error:OC006");
        return false;
    }
}

bool TTarnEdit::EnsureVisible(Txmovemode mode) {
    try {
        const int oldX = ClOffsetX, oldY = ClOffsetY;
        constexpr int m = 3;
        // With no text area yet there is nothing to scroll.
        if (DwclientX > 0) {
            const int absX = CaretPixelX + ClOffsetX;
            const int hstep = HorizontalStep();
            if (CaretPixelX + m > DwclientX) ClOffsetX = absX + hstep - DwclientX;
            else if (CaretPixelX < m) ClOffsetX = std::max(0, absX + hstep - DwclientX);
            ClOffsetX = std::max(0, ClOffsetX);
            CaretPixelX = absX - ClOffsetX;
        }
        if (ClLineCount > 0) {
            const int k = KeepOutRows();
            const int v = ClLineCount - k;
            const int row = CurposY;
            // Only the end of the document within a window of the caret
            // matters here: a document still being read is split that far.
            const int n = RowsAtLeast(std::max({row, ClOffsetY, 0}) + ClLineCount + k + 2);
            const int upper = std::max(0, n - v);
            switch (mode) {
                case Txmovemode::normal:
                    if (row <= ClOffsetY) ClOffsetY = std::max(0, row - k + 1);
                    else if (row > ClOffsetY + v) ClOffsetY = std::max(0, row - v);
                    break;
                case Txmovemode::setcenter:
                    ClOffsetY = std::min(upper, std::max(0, row - ClLineCount / 2));
                    break;
                case Txmovemode::settop:
                    ClOffsetY = std::min(upper, std::max(0, row + static_cast<int>(0.8 * ClLineCount) - ClLineCount));
                    break;
            }
            if (ClLineCount >= n + k - 1) ClOffsetY = 0;
            else if (ClOffsetY >= n - v) ClOffsetY = std::max(0, n - v - 1);
        }
        return ClOffsetX != oldX || ClOffsetY != oldY;
    } catch (const std::exception&) {
        ShowMessage("Error:OC005");
        return false;
    }
}

void TTarnEdit::CaretUpdate() {
    if (HasRow(CurposY)) CaretPixelX = PixelOfColumn(CurposY, CurposX) - ClOffsetX;
    View().PlaceCaret();
    ForgetFindHit();
    if (CurposX != reportedX_ || CurposY != reportedY_ || CaretPixelX != reportedPixel_) {
        reportedX_ = CurposX;
        reportedY_ = CurposY;
        reportedPixel_ = CaretPixelX;
        Raise(OnSelectionChange);
        Raise(OnMoveCaret);
    }
}

}  // namespace tarn

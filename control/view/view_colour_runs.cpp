// Colour runs: the URL colouring, the runs the host paints, and the find
// hit. None of them is remembered; they last until their rows repaint.
#include "control/view/tarn_edit_view.h"
#include "control/view/url_runs.h"

namespace tarn::view {
namespace {
QRect Edges(int left, int top, int right, int bottom) { return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top)); }
int ExclusiveRight(const QRect& r) { return r.x() + r.width(); }
}  // namespace

void TTarnEditView::UrlColouring(int a, int b, const QRect* clip) {
    if (!settings_.ColorPrintF || !edit_.HasRow(0)) return;
    const std::vector<UrlRun> runs = FindUrlRuns(edit_.Lines, a, b, edit_.SingleByteMode);
    if (runs.empty()) return;
    TPaintScope s(*this);
    const int lastVisible = edit_.ClOffsetY + edit_.ClLineCount - 1;
    for (const UrlRun& run : runs) {
        if (run.row < edit_.ClOffsetY || run.row > lastVisible) continue;
        const int y = RowTop(run.row);
        QRect r = Edges(std::max(textLeft_, ColumnToPixel(run.row, run.first - 1)), y, ColumnToPixel(run.row, run.last),
                        y + edit_.Fontheight);
        if (clip) {
            if (clip->y() != y) continue;
            int left = r.x(), right = std::min(ExclusiveRight(r), ExclusiveRight(*clip));
            if (edit_.SelFlag) left = std::max(left, clip->x());
            r = Edges(left, y, right, y + edit_.Fontheight);
        }
        if (r.isEmpty()) continue;
        const std::string& line = edit_.Lines.Line(run.row);
        TExpandedRow ex = Expand(VisibleText(line));
        DrawRowText(s, TextOrigin(), y, ex.text, settings_.URLColor, settings_.Color(), r, true);
    }
}

void TTarnEditView::ColorPrintText(int index1, int index2) {
    if (!edit_.HasRow(0)) return;
    UrlColouring(index1, index2, nullptr);
}

void TTarnEditView::SetTxtColor(int x, int y, int L, Colour fontColor, Colour backColor, bool normalF) {
    if (!edit_.HasRow(y) || L <= 0) return;
    // The rows the run covers, each giving at most its own bytes.
    struct Piece {
        int row, from, to;
    };
    std::vector<Piece> pieces;
    int start = std::max(0, x);
    for (int row = y; L > 0 && edit_.HasRow(row); ++row) {
        const int len = static_cast<int>(edit_.Lines.Line(row).size());
        const int n = std::min(L, std::max(0, len - start));
        pieces.push_back({row, start, start + n});
        L -= n;
        start = 0;
        if (n == 0 && len == 0) break;
    }
    if (normalF) {
        DrawLine(pieces.front().row, pieces.back().row);
        return;
    }
    // Painted as a selection would be, with the run's colours; nothing but
    // pixels changes.
    const Colour savedSel = settings_.SelColor;
    settings_.SelColor = ResolveColour(backColor);
    runTextColour_ = ResolveColour(fontColor);
    HideCaret();
    {
        TPaintScope s(*this);
        for (const Piece& p : pieces)
            if (RowVisible(p.row)) Segment(p.row, p.from, p.to, true);
    }
    ShowCaret();
    runTextColour_.reset();
    settings_.SelColor = savedSel;
}

void TTarnEditView::SetTxtColor2(int x, int y, int L, Colour fontColor, Colour backColor, bool ulineF, int dx1, int,
                                 int dx2, int) {
    if (edit_.AllSelFlag || !RowVisible(y) || L <= 0) return;
    fontColor = ResolveColour(fontColor);
    backColor = ResolveColour(backColor);
    HideCaret();
    {
        TPaintScope s(*this);
        int start = std::max(0, x);
        for (int row = y; L > 0 && edit_.HasRow(row); ++row) {
            const std::string& line = edit_.Lines.Line(row);
            const int len = static_cast<int>(line.size());
            const int end = start + std::min(L, std::max(0, len - start));
            if (end <= start && len == 0) break;
            if (RowVisible(row)) {
                const int vis = VisibleLength(line);
                const int top = RowTop(row);
                int left = std::max(textLeft_, ColumnToPixel(row, std::min(start, vis)));
                int right = ColumnToPixel(row, std::min(end, vis));
                if (dx1 != -1) {
                    right = std::min(right, dx2);
                    if (edit_.SelFlag) left = std::max(left, dx1);
                }
                const QRect r = Edges(left, top, right, top + edit_.Fontheight);
                if (!r.isEmpty()) {
                    TExpandedRow ex = Expand(VisibleText(line));
                    DrawRowText(s, TextOrigin(), top, ex.text, fontColor, backColor, r, ulineF);
                    DrawMarks(s, ex, top, r, false);
                }
            }
            L -= std::max(0, end - start);
            start = 0;
        }
    }
    ShowCaret();
}

void TTarnEditView::PaintFindHit(int x, int y, int len, Colour textColour, Colour backColour) {
    // The hit goes over rows as they will be shown, not under a later repaint.
    FlushBatch();
    SetTxtColor(x, y, len, ResolveColour(textColour), ResolveColour(backColour), false);
}

}  // namespace tarn::view

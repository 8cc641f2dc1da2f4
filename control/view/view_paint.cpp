// The window surface: invalidation, the paint message, the full repaint and
// the range repaints that editing operations ask for.
#include <QPaintEvent>
#include <limits>
#include <utility>

#include "control/view/tarn_edit_view.h"
#include "platform/messages/messages.h"

namespace tarn::view {

// ---- The shared painter ---------------------------------------------------

TPaintScope::TPaintScope(TTarnEditView& v) : v_(v) {
    // Whatever draws next draws over the rows as they are now.
    if (v_.paintDepth_ == 0) v_.ShowPutOff();
    if (v_.paintDepth_++ == 0) v_.painter_.begin(v_.target_);
    v_.painter_.save();
    Unclip();
    v_.painter_.setRenderHint(QPainter::Antialiasing, false);
    v_.painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    v_.painter_.setFont(v_.font_.Font());
    v_.painter_.setPen(ToQColor(v_.settings_.CREOFcolor));
    v_.painter_.setBrush(Qt::NoBrush);
}

TPaintScope::~TPaintScope() {
    v_.painter_.restore();
    if (--v_.paintDepth_ == 0) {
        v_.painter_.end();
        v_.FlushToScreen();
    }
}

void TPaintScope::Unclip() {
    if (v_.paintClip_) v_.painter_.setClipRegion(*v_.paintClip_);
    else v_.painter_.setClipping(false);
}

void TPaintScope::Clip(const QRect& r) {
    if (v_.paintClip_) {
        v_.painter_.setClipRegion(*v_.paintClip_);
        v_.painter_.setClipRect(r, Qt::IntersectClip);
    } else {
        v_.painter_.setClipRect(r);
    }
}

// ---- Surface and paint message ----------------------------------------------

void TTarnEditView::Invalidate(const QRect& r) {
    const QRect c = r & QRect(QPoint(0, 0), surface_.size());
    if (c.isEmpty()) return;
    dirty_ += c;
    update(c);
}

void TTarnEditView::FlushToScreen() {
    if (!inPaintEvent_) update(ClientRect());
}

void TTarnEditView::paintEvent(QPaintEvent* event) {
    ShowPutOff();
    if (!dirty_.isEmpty()) {
        // The paint message: a full repaint, seen only where invalidated.
        paintClip_ = dirty_;
        dirty_ = QRegion();
        inPaintEvent_ = true;
        FullRepaint(true);
        inPaintEvent_ = false;
        paintClip_.reset();
    }
    QPainter out(this);
    const QRect client = ClientRect();
    const QRect r = event->rect() & client;
    out.drawImage(r.topLeft(), surface_, r);
    // The corner between two bars.
    if (vbarShown_ && hbarShown_)
        out.fillRect(QRect(client.right() + 1, client.bottom() + 1, sysVbarW_, sysHbarH_), palette().window());
    if ((caretCreated_ || caretForced_) && hideCount_ == 0 && blinkOn_ && client.intersects(caretRect_)) {
        out.setClipRect(client);
        out.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        out.fillRect(caretRect_, Qt::white);
    }
}

void TTarnEditView::RepaintAll() {
    if (Batching()) {
        pending_.all = true;
        return;
    }
    HideCaret();
    FullRepaint(false);
    ShowCaret();
}

void TTarnEditView::FullRepaint(bool fromPaintMessage) {
    const bool buffered = fromPaintMessage && settings_.DoubleBuffered;
    if (buffered) {
        if (buffer_.size() != surface_.size()) buffer_ = QImage(surface_.size(), QImage::Format_RGB32);
        WndProc(platform::messages::WM_ERASEBKGND, 0, 0);
        target_ = &buffer_;
    }
    {
        TPaintScope s(*this);
        const int first = edit_.ClOffsetY;
        const int last = edit_.RowAtMost(first + edit_.ClLineCount - 1);
        for (int i = first; i <= last; ++i) PaintRow(i);
        FillBelowText();
        DrawGutter(first, last);
        if (!edit_.SelFlag && !edit_.AllSelFlag) DrawUnderline();
        DrawTopBand();
        SetHorizontalBox();
        UpdateHorizontalRange();
    }
    if (buffered) {
        target_ = &surface_;
        TPaintScope s(*this);
        s->drawImage(0, 0, buffer_);
    }
    if (fromPaintMessage && OnPaint) OnPaint();
}

bool TTarnEditView::RowVisible(int row) const {
    return row >= edit_.ClOffsetY && row < edit_.ClOffsetY + edit_.ClLineCount && edit_.HasRow(row);
}

void TTarnEditView::PaintRow(int row) {
    if (edit_.SelFlag) {
        if (edit_.BoxSelMode()) PaintBoxRow(row);
        else PaintSelectionRow(row);
    } else if (edit_.AllSelFlag) {
        Segment(row, 0, static_cast<int>(edit_.Lines.Line(row).size()), true);
    } else {
        RowPainter(row, 0);
    }
}

void TTarnEditView::RedrawRows(RedrawScope scope, int from, int to) {
    if (!edit_.HasRow(0)) return;
    if (Batching()) {
        // Rows of the document, not of the window: whatever scrolls before
        // the batch ends repaints everything anyway. A range that runs to
        // the last visible row runs to the end, since rows inserted or
        // deleted later shift what lies below them.
        constexpr int kEnd = std::numeric_limits<int>::max();
        switch (scope) {
            case kRedrawVisible: PutOffRows(0, kEnd); break;
            case kRedrawFromCaretUp: PutOffRows(edit_.CurposY - 1, kEnd); break;
            case kRedrawFromCaret: PutOffRows(edit_.CurposY, kEnd); break;
            case kRedrawFrom: PutOffRows(from, kEnd); break;
            case kRedrawCaretRow: PutOffRows(edit_.CurposY, edit_.CurposY); break;
            case kRedrawRange: PutOffRows(from, to); break;
        }
        return;
    }
    const int firstVisible = edit_.ClOffsetY;
    const int lastVisible = edit_.ClOffsetY + std::max(1, edit_.ClLineCount) - 1;
    int a = firstVisible, b = lastVisible;
    switch (scope) {
        case kRedrawVisible: break;
        case kRedrawFromCaretUp: a = edit_.CurposY - 1; break;
        case kRedrawFromCaret: a = edit_.CurposY; break;
        case kRedrawFrom: a = std::max(from, firstVisible); break;
        case kRedrawCaretRow: a = b = edit_.CurposY; break;
        case kRedrawRange:
            a = std::max(from, firstVisible);
            b = std::min(to, lastVisible);
            break;
    }
    b = edit_.RowAtMost(b);
    // Rows above the window are not on it: painting them would draw over
    // the top band.
    a = std::max(a, firstVisible);
    b = std::min(b, lastVisible);
    HideCaret();
    {
        TPaintScope s(*this);
        for (int i = a; i <= b; ++i) PaintRow(i);
        FillBelowText();
        if (a <= b) DrawGutter(a, b);
        if (!edit_.SelFlag && !edit_.AllSelFlag) DrawUnderline();
        SetHorizontalBox();
        UpdateHorizontalRange();
    }
    ShowCaret();
}

void TTarnEditView::DrawLine(int y1, int y2) {
    if (!edit_.HasRow(0)) return;
    if (Batching()) {
        PutOffRows(y1, y2);
        return;
    }
    const int lastVisible = edit_.RowAtMost(edit_.ClOffsetY + edit_.ClLineCount - 1);
    y1 = std::max(y1, edit_.ClOffsetY);
    y2 = std::min(y2, lastVisible);
    HideCaret();
    {
        TPaintScope s(*this);
        for (int i = y1; i <= y2; ++i) PaintRow(i);
    }
    ShowCaret();
}

void TTarnEditView::PutOffRows(int from, int to) {
    from = std::max(0, from);
    if (to < from) return;
    if (pending_.to < pending_.from) {
        pending_.from = from;
        pending_.to = to;
    } else {
        pending_.from = std::min(pending_.from, from);
        pending_.to = std::max(pending_.to, to);
    }
}

void TTarnEditView::EndBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return;
    FlushBatch();
}

void TTarnEditView::EndBatchForNextFrame() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return;
    if (pending_.Any()) update(ClientRect());
}

// Does what the batch put off, in the order the edits would have done it:
// the ranges (which may widen the gutter), the underline's move, the rows,
// then the caret over the painted rows.
void TTarnEditView::FlushBatch() {
    // Only ever called with no batch open, so the calls below paint.
    const TPendingPaint p = std::exchange(pending_, TPendingPaint{});
    if (!p.Any()) return;
    if (p.ranges) UpdateScrollRanges();
    if (p.all) {
        RepaintAll();
    } else {
        if (p.underline) MoveUnderline(-1, -1);
        if (p.to >= p.from) RedrawRows(kRedrawRange, p.from, p.to);
    }
    if (p.caret) PlaceCaret();
}

void TTarnEditView::FillBelowText() {
    TPaintScope s(*this);
    const int shown = std::max(0, std::min(edit_.ClLineCount, edit_.RowsAtLeast(edit_.ClOffsetY + edit_.ClLineCount) - edit_.ClOffsetY));
    const int y = settings_.TopMargin() + shown * edit_.Lineheight;
    s->fillRect(QRect(0, y, surface_.width(), std::max(0, surface_.height() - y)), ToQColor(settings_.Color()));
}

void TTarnEditView::RecomputeWidestRow() {
    int widest = 0;
    const int last = edit_.RowAtMost(edit_.ClOffsetY + edit_.ClLineCount - 1);
    for (int i = edit_.ClOffsetY; i <= last; ++i)
        widest = std::max(widest, edit_.ExpandedWidth(VisibleText(edit_.Lines.Line(i))));
    edit_.WidestRow = widest;
}

}  // namespace tarn::view

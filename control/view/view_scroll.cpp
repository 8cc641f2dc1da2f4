// Scrolling: the vertical and horizontal scroll messages, the wheel, the
// scroll ranges and the two bars.
#include <QScrollBar>
#include <QSignalBlocker>
#include <cmath>

#include "control/view/tarn_edit_view.h"

namespace tarn::view {

namespace msg = platform::messages;

namespace {
int CeilDiv(int a, int b) { return b <= 0 ? 0 : (a + b - 1) / b; }
}  // namespace

LRESULT TTarnEditView::VScroll(int code, int thumb, LPARAM origin) {
    const int k = edit_.KeepOutRows();
    const int vmax = edit_.VerticalMaximum();
    const int lh = std::max(1, edit_.Lineheight);
    int rows = 0;
    switch (code) {
        case msg::SB_LINEUP: rows = RepeatCount < -4 ? -settings_.ScrollStep : -1; break;
        case msg::SB_LINEDOWN: rows = RepeatCount > 4 ? settings_.ScrollStep : 1; break;
        case msg::SB_PAGEUP: rows = std::min(-1, -(edit_.DwclientY / lh)); break;
        case msg::SB_PAGEDOWN: rows = std::max(1, edit_.DwclientY / lh); break;
        case msg::SB_THUMBTRACK: rows = SaturateInt(static_cast<std::int64_t>(thumb) * vUnit_ - edit_.ClOffsetY); break;
        case msg::SB_TOP: rows = -edit_.ClOffsetY; break;
        case msg::SB_BOTTOM: rows = vmax - edit_.ClOffsetY; break;
        default: rows = 0; break;
    }
    const int change = std::clamp(edit_.ClOffsetY + rows, 0, std::max(0, vmax)) - edit_.ClOffsetY;
    int follow = rows;
    if (rows > 0 && edit_.CurposY - edit_.ClOffsetY > edit_.ClLineCount - k) follow = 0;
    if (change == 0) return 0;
    EraseUnderline();
    edit_.ClOffsetY += change;
    HideCaret();
    const QRect client = ClientRect();
    Invalidate(QRect(0, settings_.TopMargin(), client.width(), client.height() - settings_.TopMargin()));
    if (!(origin & kScrollLeaveCaret)) {
        if (!edit_.CaretScrollFix || (origin & kScrollFromKeyboard)) MoveCaretRows(follow);
        else edit_.CaretUpdate();
    }
    ShowCaret();
    if (settings_.VertScrollBar) {
        const QSignalBlocker block(vbar_);
        vbar_->setValue(CeilDiv(edit_.ClOffsetY, vUnit_));
    }
    return change;
}

void TTarnEditView::MoveCaretRows(int d) {
    if (d == 0 || !edit_.HasRow(0)) return;
    if (d < 0 && edit_.CurposY == 0) return;
    if (d > 0 && !edit_.HasRow(edit_.CurposY + 1)) return;
    if (edit_.GoalX != goalMeasuredFor_) {
        goalPixel_ = edit_.PixelOfColumn(edit_.CurposY, edit_.GoalX);
        goalMeasuredFor_ = edit_.GoalX;
    }
    const int row = edit_.ClampRow(edit_.CurposY + d);
    const int col = edit_.ColumnAtPixel(row, goalPixel_, edit_.FreeCaretMode()).column;
    const int oldRow = edit_.CurposY;
    edit_.CurposY = row;
    edit_.CurposX = col;
    const int x = edit_.PixelOfColumn(row, col);
    const bool right = x > edit_.ClOffsetX + edit_.DwclientX;
    const bool left = x < edit_.ClOffsetX && edit_.ClOffsetX > 0;
    if (right || left) {
        edit_.ClOffsetX = std::max(0, x + edit_.HorizontalStep() - edit_.DwclientX);
        RepaintAll();
    }
    edit_.CaretUpdate();
    MoveUnderline(oldRow, row);
}

LRESULT TTarnEditView::HScroll(int code, int thumb) {
    const int hstep = edit_.HorizontalStep();
    int change = 0;
    switch (code) {
        case msg::SB_LINELEFT: change = -hstep; break;
        case msg::SB_LINERIGHT: change = hstep; break;
        case msg::SB_PAGELEFT: change = std::min(-1, -(edit_.DwclientX / 3)); break;
        case msg::SB_PAGERIGHT: change = std::max(1, edit_.DwclientX / 3); break;
        case msg::SB_THUMBTRACK: change = ClampPixels(static_cast<std::int64_t>(thumb) * hUnit_ - edit_.ClOffsetX); break;
        default: change = 0; break;
    }
    if (change < 0) change = std::max(change, -edit_.ClOffsetX);
    if (change > 0) {
        change = std::min(change, edit_.WidestRow - edit_.ClOffsetX - hstep);
        if (edit_.DwclientX >= edit_.WidestRow + hstep) change = 0;
        change = std::max(0, change);
    }
    if (change == 0) return 0;
    edit_.ClOffsetX += change;
    SetHorizontalBox();
    // Move the text area's pixels; the paint message fills the strip that
    // the move uncovers.
    const QRect client = ClientRect();
    const QRect text(textLeft_, 0, std::max(0, client.width() - textLeft_), client.height());
    if (!text.isEmpty()) {
        const QImage moved = surface_.copy(text);
        {
            TPaintScope s(*this);
            s.Clip(text);
            s->drawImage(text.x() - change, 0, moved);
        }
        if (change > 0) Invalidate(QRect(std::max(text.x(), client.width() - change), 0, change, client.height()));
        else Invalidate(QRect(text.x(), 0, -change, client.height()));
    }
    edit_.CaretPixelX -= change;
    if (settings_.ShowRuler() || edit_.ShowRulerCur || OnUserDraw) DrawTopBand();
    ShowCaret();
    edit_.CaretUpdate();
    return 0;
}

LRESULT TTarnEditView::Wheel(int delta) {
    const int n = std::abs(delta / msg::WHEEL_DELTA) * settings_.WheelStep;
    const int code = delta >= msg::WHEEL_DELTA ? msg::SB_LINEUP : delta <= -msg::WHEEL_DELTA ? msg::SB_LINEDOWN : -1;
    if (code < 0) return 0;
    // Once the view stands at its limit further steps change nothing.
    for (int i = 0; i < n; ++i)
        if (WndProc(msg::WM_VSCROLL, static_cast<WPARAM>(code), 0) == 0) break;
    return 0;
}

void TTarnEditView::UpdateScrollRanges() {
    if (Batching()) {
        pending_.ranges = true;
        return;
    }
    const bool moved = GrowGutter();
    UpdateVerticalRange();
    UpdateHorizontalRange();
    if (moved) RepaintAll();
}

void TTarnEditView::UpdateVerticalRange() {
    const int k = edit_.KeepOutRows();
    const int vmax = edit_.VerticalMaximum();
    vUnit_ = std::max(1, CeilDiv(vmax, 32767));
    if (!settings_.VertScrollBar) return;
    const QSignalBlocker block(vbar_);
    settingBars_ = true;
    vbar_->setRange(0, std::max(1, CeilDiv(vmax, vUnit_)));
    vbar_->setPageStep(std::max(1, edit_.ClLineCount / vUnit_));
    vbar_->setValue(CeilDiv(edit_.ClOffsetY, vUnit_));
    vbar_->setEnabled(edit_.ClLineCount < edit_.RowsForScroll() + k - 1);
    settingBars_ = false;
}

void TTarnEditView::UpdateHorizontalRange() {
    RecomputeWidestRow();
    const int widest = edit_.WidestRow;
    const int hstep = edit_.HorizontalStep();
    hUnit_ = std::max(1, CeilDiv(widest, 32767));
    if (!settings_.HorzScrollBar) return;
    const QSignalBlocker block(hbar_);
    hbar_->setRange(0, std::max(1, CeilDiv(widest, hUnit_) - hstep));
    hbar_->setPageStep(std::max(1, edit_.DwclientX / hUnit_));
    hbar_->setSingleStep(std::max(1, hstep / hUnit_));
    hbar_->setEnabled(edit_.DwclientX < widest + hstep);
}

void TTarnEditView::SetHorizontalBox() {
    if (!settings_.HorzScrollBar) return;
    const QSignalBlocker block(hbar_);
    hbar_->setValue(CeilDiv(edit_.ClOffsetX, hUnit_));
}

void TTarnEditView::BarAction(QScrollBar* bar, int action, bool vertical) {
    if (settingBars_) return;
    int code = -1;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = msg::SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = msg::SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = msg::SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = msg::SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = msg::SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = msg::SB_BOTTOM; break;
        case QAbstractSlider::SliderMove: code = msg::SB_THUMBTRACK; break;
        default: return;
    }
    const unsigned pos = static_cast<unsigned>(std::max(0, bar->sliderPosition()));
    WndProc(vertical ? msg::WM_VSCROLL : msg::WM_HSCROLL, msg::MAKELONG(static_cast<unsigned>(code), pos), 0);
    // The bar shows where the view went, not where the bar thought it would.
    bar->setSliderPosition(vertical ? CeilDiv(edit_.ClOffsetY, vUnit_) : CeilDiv(edit_.ClOffsetX, hUnit_));
}

}  // namespace tarn::view

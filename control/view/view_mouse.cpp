// Mouse selection, row selection in the margin, drags of the selection
// inside the control, auto-scrolling and the mouse events.
#include <QApplication>
#include <QCursor>
#include <QMenu>

#include "control/view/tarn_edit_view.h"
#include "control/view/view_input.h"

namespace tarn::view {

namespace msg = platform::messages;

int TViewInput::MouseShift(WPARAM keys) const {
    int bits = ShiftBits(static_cast<unsigned>(keys));
    if (keys & msg::MK_LBUTTON) bits |= kLeftMask;
    if (keys & msg::MK_RBUTTON) bits |= kRightMask;
    if (keys & msg::MK_MBUTTON) bits |= kMiddleMask;
    return bits;
}

std::optional<LRESULT> TViewInput::MouseMessage(UINT m, WPARAM wParam, LPARAM lParam) {
    const auto l = static_cast<std::uintmax_t>(lParam);
    const int x = msg::SignedLow(l), y = msg::SignedHigh(l);
    TTarnEdit& e = view_.Editor();
    switch (m) {
        case msg::WM_LBUTTONDOWN:
            LeftPress(static_cast<unsigned>(wParam), x, y);
            return 0;
        case msg::WM_LBUTTONDBLCLK:
            CompleteComposition();
            if (OnDblclick) OnDblclick();
            dblClickMarker_ = true;
            // The double click's own press is ignored.
            LeftPress(static_cast<unsigned>(wParam), x, y);
            return 0;
        case msg::WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            CompleteComposition();
            pressedInside_ = true;
            if (m == msg::WM_RBUTTONDOWN && PopupMenu) PopupMenu->popup(view_.mapToGlobal(QPoint(x, y)));
            if (OnMouseDown) OnMouseDown(m == msg::WM_RBUTTONDOWN ? mbRight : mbMiddle, MouseShift(wParam), x, y);
            return 0;
        case msg::WM_MOUSEMOVE:
            Move(static_cast<unsigned>(wParam), x, y);
            return 0;
        case msg::WM_LBUTTONUP:
            Release(mbLeft, static_cast<unsigned>(wParam), x, y);
            return 0;
        case msg::WM_RBUTTONUP:
        case WM_MBUTTONUP:
            Release(m == msg::WM_RBUTTONUP ? mbRight : mbMiddle, static_cast<unsigned>(wParam), x, y);
            return 0;
        default:
            (void)e;
            return std::nullopt;
    }
}

void TViewInput::LeftPress(unsigned keys, int x, int y) {
    TTarnEdit& e = view_.Editor();
    CompleteComposition();
    if (dblClickMarker_) {
        dblClickMarker_ = false;
        pressedInside_ = false;
        return;
    }
    pressedInside_ = true;
    pendingOleDrag_ = false;
    view_.setFocus(Qt::MouseFocusReason);
    view_.HideCaret();
    view_.EraseUnderline();
    const int oldOffset = e.ClOffsetX;
    const TextPos p = view_.PointToPosition(x, y);
    e.MoveCaret(p.X, p.Y, Txmovemode::normal, false, false);
    e.MouseDownF = true;
    e.SavedCaretScrollFix = e.CaretScrollFix;
    e.CaretScrollFix = false;
    bool inside = false;
    rowPress_.reset();
    if (keys & msg::MK_SHIFT) {
        SelectAfterMove();
    } else if (x >= view_.TextLeft() - 4 || oldOffset != 0) {
        inside = e.PointInSelection(e.CurposX, e.CurposY);
        if (!inside) e.ResetSel();
    } else {
        // In the margin: the whole row, line break included.
        e.ResetSel();
        const int row = e.CurposY;
        const std::string& line = e.Lines.Line(row);
        if (!(line.size() == 1 && line[0] == '\0')) {
            if (HasEofMark(line) || !e.HasRow(row + 1)) {
                e.GCurposX = VisibleLength(line);
                e.GCurposY = row;
            } else {
                e.GCurposX = 0;
                e.GCurposY = row + 1;
            }
            rowPress_ = TRowPress{row, e.GCurposX, e.GCurposY};
            e.MoveCaret(0, row, Txmovemode::normal, true, false);
            e.SelFlag = true;
            view_.RepaintSelectionEnd(0, row);
        }
    }
    if (e.ClOffsetX != oldOffset) view_.RepaintAll();
    if (!view_.caretCreated_) view_.WndProc(msg::WM_SETFOCUS, 0, 0);
    view_.ShowCaret();
    e.CaretUpdate();
    if (inside) PressInsideSelection();
    if (OnMouseDown) OnMouseDown(mbLeft, MouseShift(keys), x, y);
}

void TViewInput::PressInsideSelection() {
    TTarnEdit& e = view_.Editor();
    switch (DragMode) {
        case dmAutomatic:
            // The in-process drag: the caret follows the pointer while the
            // selection stays, and the release drops the text.
            e.DragInit();
            view_.setCursor(Qt::DragMoveCursor);
            break;
        case dmManual: {
            bool canDrag = true;
            if (OnManualStartDrag) OnManualStartDrag(e.SelText(), canDrag);
            if (!canDrag || !OnManualStartDrag) e.ResetSel();
            break;
        }
        case dmOLEAuto:
            // The toolkit's drag starts once the pointer has moved a little,
            // so that a plain click inside the selection stays a click.
            pendingOleDrag_ = true;
            break;
    }
}

void TViewInput::Move(unsigned keys, int x, int y) {
    TTarnEdit& e = view_.Editor();
    if (OnMouseMove) OnMouseMove(MouseShift(keys), x, y);
    const QPoint from = lastPoint_;
    lastPoint_ = QPoint(x, y);
    autoScroll_ = TAutoScroll::none;
    if (!e.MouseDownF) return;
    if (pendingOleDrag_ && (keys & msg::MK_LBUTTON) &&
        (lastPressPoint_ - QPoint(x, y)).manhattanLength() >= QApplication::startDragDistance()) {
        pendingOleDrag_ = false;
        StartToolkitDrag(false);
        return;
    }
    (void)from;
    e.CaretScrollFix = false;
    const int top = view_.Settings().TopMargin();
    if (y > top + e.ClLineCount * e.Lineheight) {
        autoScroll_ = TAutoScroll::down;
    } else if (y <= top) {
        autoScroll_ = TAutoScroll::up;
    } else if (x > view_.TextLeft() + e.DwclientX) {
        autoScroll_ = TAutoScroll::right;
    } else if (x > view_.TextLeft() || e.ClOffsetX == 0) {
        const int oldOffset = e.ClOffsetX;
        const TextPos before{e.CurposX, e.CurposY};
        const TextPos p = view_.PointToPosition(x, y);
        e.MoveCaret(p.X, p.Y, Txmovemode::normal, false, false);
        if (TextPos{e.CurposX, e.CurposY} != before) {
            if (!e.Dragging()) {
                if (rowPress_ && x < view_.TextLeft()) {
                    // A row selection dragged in the margin stays made of
                    // whole rows and keeps the pressed row: downwards it
                    // runs from that row's start, upwards from its end.
                    e.SetBoxSelMode(false);
                    const bool down = e.CurposY > rowPress_->row;
                    const TextPos anchor = down ? TextPos{0, rowPress_->row} : TextPos{rowPress_->endX, rowPress_->endY};
                    e.GCurposX = anchor.X;
                    e.GCurposY = anchor.Y;
                }
                SelectAfterMove();
            }
        } else if (e.SelFlag && e.BoxSelMode() && !e.Dragging()) {
            view_.RepaintSelectionEnd(e.CurposX, e.CurposY, x - view_.TextLeft() + e.ClOffsetX);
        }
        if (e.ClOffsetX != oldOffset) view_.RepaintAll();
    } else {
        autoScroll_ = TAutoScroll::left;
    }
}

void TViewInput::AutoScrollTick() {
    TTarnEdit& e = view_.Editor();
    switch (autoScroll_) {
        case TAutoScroll::none: break;
        case TAutoScroll::up: RowMove(-1); break;
        case TAutoScroll::down: RowMove(1); break;
        case TAutoScroll::right:
            if (e.CurposX < VisibleLength(e.Lines.Line(e.CurposY))) CharRight();
            break;
        case TAutoScroll::left:
            if (e.CurposX > 0) CharLeft();
            break;
    }
}

void TViewInput::Release(int button, unsigned keys, int x, int y) {
    TTarnEdit& e = view_.Editor();
    pendingOleDrag_ = false;
    if (button == mbLeft && e.Dragging() && !dragFromHere_) {
        const std::string text = e.SelText();
        e.DropText(text, true);
        e.DropFinish(true, false);
        view_.RepeatCount = 0;
        view_.setCursor(view_.RestingCursor());
    }
    const bool inside = view_.rect().contains(x, y);
    if (pressedInside_ && inside && OnClick) OnClick();
    pressedInside_ = false;
    if (OnMouseUp) OnMouseUp(button, MouseShift(keys), x, y);
    autoScroll_ = TAutoScroll::none;
    if (button == mbLeft && e.MouseDownF) {
        e.MouseDownF = false;
        e.CaretScrollFix = e.SavedCaretScrollFix;
    }
    view_.DrawUnderline();
}

void TViewInput::MoveSynchroMouse() {
    const QPoint p = view_.mapFromGlobal(QCursor::pos());
    DragOver(p.x(), p.y());
}

void TViewInput::DragOver(int x, int y) {
    const QRect near = view_.ClientRect().adjusted(-5, -5, 5, 5);
    if (!near.contains(x, y)) {
        view_.timer40_.stop();
        return;
    }
    TTarnEdit& e = view_.Editor();
    if (e.Dragging()) {
        Move(msg::MK_LBUTTON | lastModifiers_, x, y);
    } else {
        // Text from elsewhere: the caret shows where it will land, and the
        // selection stays as it is.
        const TextPos p = view_.PointToPosition(x, y);
        e.MoveCaret(p.X, p.Y, Txmovemode::normal, false, false);
    }
    if (!view_.timer40_.isActive()) view_.timer40_.start();
}

}  // namespace tarn::view

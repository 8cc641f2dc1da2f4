// The caret, drawn by the widget over the surface, and what the input
// method is told about it.
#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>

#include "control/view/tarn_edit_view.h"
#include "control/view/view_input.h"

namespace tarn::view {

void TTarnEditView::CreateCaret() {
    caretCreated_ = true;
    blinkOn_ = true;
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0) blink_.start(flash / 2);
    PlaceCaret();
}

void TTarnEditView::DestroyCaret() {
    caretCreated_ = false;
    blink_.stop();
    update(caretRect_);
}

void TTarnEditView::ForceCaret(bool on) {
    caretForced_ = on;
    blinkOn_ = true;
    PlaceCaret();
    update(caretRect_);
}

void TTarnEditView::ShowCaret() {
    if (hideCount_ > 0) --hideCount_;
    if (hideCount_ == 0) update(caretRect_);
}

void TTarnEditView::Blink() {
    blinkOn_ = !blinkOn_;
    update(caretRect_);
}

QRect TTarnEditView::CaretRect() const { return caretRect_; }

void TTarnEditView::PlaceCaret() {
    if (Batching()) {
        pending_.caret = true;
        return;
    }
    const int x = edit_.CaretPixelX < 0 ? -5 : edit_.CaretPixelX + textLeft_;
    const int y = RowVisible(edit_.CurposY) ? CaretY() : -edit_.Lineheight - settings_.TopMargin();
    const QRect r(x, y, 2, std::max(1, edit_.Fontheight));
    if (r != caretRect_) {
        update(caretRect_);
        caretRect_ = r;
        update(caretRect_);
        // A caret that moved starts its blink cycle shown.
        blinkOn_ = true;
        if (blink_.isActive()) blink_.start();
    }
    if ((caretCreated_ || timer40_.isActive()) && hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    if (input_) input_->CaretPlaced();
    MoveRulerCursor();
}

QVariant TTarnEditView::inputMethodQuery(Qt::InputMethodQuery query) const {
    const bool hasRow = edit_.HasRow(edit_.CurposY);
    const std::string_view row = hasRow ? VisibleText(edit_.Lines.Line(edit_.CurposY)) : std::string_view();
    auto units = [&](int col) {
        col = std::clamp(col, 0, static_cast<int>(row.size()));
        return static_cast<int>(FromBytes(row.substr(0, static_cast<std::size_t>(col))).size());
    };
    switch (query) {
        case Qt::ImEnabled:
            return true;
        case Qt::ImCursorRectangle:
            return caretRect_;
        case Qt::ImFont:
            return font_.Font();
        case Qt::ImCursorPosition:
            return units(edit_.CurposX);
        case Qt::ImSurroundingText:
            return FromBytes(row);
        case Qt::ImCurrentSelection:
            return FromBytes(edit_.SelText());
        case Qt::ImAnchorPosition:
            if (edit_.Selmode() && edit_.GCurposY == edit_.CurposY) return units(edit_.GCurposX);
            return units(edit_.CurposX);
        case Qt::ImHints:
            return static_cast<int>(Qt::ImhMultiLine);
        default:
            return QWidget::inputMethodQuery(query);
    }
}

}  // namespace tarn::view

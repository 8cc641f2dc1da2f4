// The bands around the text: the line-number gutter, the top band with its
// ruler and ruler cursor, and the caret-line underline.
#include <cmath>

#include "control/view/tarn_edit_view.h"

namespace tarn::view {
namespace {
QRect Edges(int left, int top, int right, int bottom) { return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top)); }
}  // namespace

void TTarnEditView::DrawGutter(int a, int b) {
    TPaintScope s(*this);
    const int top = settings_.TopMargin();
    const int lh = edit_.Lineheight;
    const int y0 = std::max(top, (a - edit_.ClOffsetY) * lh + top);
    const int y1 = std::min(surface_.height(), (b - edit_.ClOffsetY + 1) * lh + top);
    const QColor back = ToQColor(settings_.Color());
    s->fillRect(Edges(0, y0, textLeft_, y1), back);
    if (!settings_.ShowLineNumber) return;
    const QColor mark = ToQColor(settings_.CREOFcolor);
    s->fillRect(Edges(textLeft_ - 4, top, textLeft_ - 3, y1), mark);
    s->setPen(mark);
    for (int i = a; i <= b; ++i) {
        const QString number = QString::number(i + 1);
        const int w = font_.Metrics().horizontalAdvance(number);
        const int x = textLeft_ - w - 7;
        const int y = RowTop(i);
        s->fillRect(QRect(x, y, w, edit_.Fontheight), back);
        s->drawText(QPoint(x, y + font_.Ascent()), number);
    }
}

void TTarnEditView::DrawTopBand() {
    TPaintScope s(*this);
    s->fillRect(QRect(0, 0, surface_.width(), settings_.TopMargin()), ToQColor(settings_.Color()));
    if (!settings_.ShowRuler() && !edit_.ShowRulerCur && !OnUserDraw) return;
    if (settings_.ShowRuler()) DrawRuler();
    if (OnUserDraw) {
        const int fw = std::max(1, edit_.Fontwidth);
        const int end = edit_.WordWrap() ? edit_.Column() : edit_.MaxCurposX();
        const int c1 = std::max(1, static_cast<int>(std::nearbyint(static_cast<double>(edit_.ClOffsetX) / fw)));
        const int c2 = std::min(static_cast<int>(std::nearbyint(static_cast<double>(width() + edit_.ClOffsetX) / fw)), end);
        OnUserDraw(c1, c2, textLeft_, width() - vbarW_);
    }
    if (edit_.ShowRulerCur) {
        // The band was just refilled: only the new cursor is drawn.
        rulerCurX_ = -1;
        MoveRulerCursor();
    }
}

void TTarnEditView::DrawRuler() {
    TPaintScope s(*this);
    const int fw = std::max(1, edit_.Fontwidth);
    const int end = edit_.WordWrap() ? edit_.Column() : edit_.MaxCurposX();
    const int c1 = std::max(1, static_cast<int>(std::nearbyint(static_cast<double>(edit_.ClOffsetX) / fw)));
    const int c2 = std::min(static_cast<int>(std::nearbyint(static_cast<double>(width() + edit_.ClOffsetX) / fw)), end);
    const QColor ink = ToQColor(settings_.RulerColor);
    const QColor back = ToQColor(settings_.Color());
    s->setFont(rulerFont_);
    s->setPen(ink);
    const QFontMetrics fm(rulerFont_);
    int lastTick = -1;
    for (int n = c1; n <= c2; ++n) {
        const int x = (n - 1) * fw + textLeft_ - edit_.ClOffsetX;
        if (x < textLeft_) continue;
        if (x >= surface_.width()) break;
        s->fillRect(QRect(x, 5, 1, 6), ink);  // (x, 10) up to (x, 4)
        if (n % 10 == 0) {
            const QString number = QString::number(n);
            s->fillRect(QRect(x + 1, 1, fm.horizontalAdvance(number), fm.height()), back);
            s->drawText(QPoint(x + 1, 1 + fm.ascent()), number);
            s->fillRect(QRect(x, 1, 1, 10), ink);  // (x, 10) up to (x, 0)
        }
        lastTick = x;
    }
    if (lastTick >= 0 && textLeft_ < lastTick) s->fillRect(Edges(textLeft_, 10, lastTick + 1, 11), ink);
}

void TTarnEditView::XorRulerCursor(int x) {
    TPaintScope s(*this);
    const int w = std::max(1, settings_.RulerCurWidth());
    s->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    s->fillRect(QRect(x - (w - 1) / 2, 0, w, 8), ToQColor(settings_.RulerCurColor ^ settings_.Color()));
}

void TTarnEditView::MoveRulerCursor() {
    if (!edit_.ShowRulerCur) return;
    const int x = edit_.CaretPixelX + textLeft_;
    if (x == rulerCurX_) return;
    if (rulerCurX_ >= 0) XorRulerCursor(rulerCurX_);
    XorRulerCursor(x);
    rulerCurX_ = x;
}

void TTarnEditView::DrawUnderline() {
    if (!settings_.ShowUnderLine || edit_.SelFlag || edit_.AllSelFlag || edit_.MouseDownF) return;
    if (!RowVisible(edit_.CurposY)) return;
    TPaintScope s(*this);
    const int y = RowTop(edit_.CurposY) + edit_.Fontheight;
    s->fillRect(Edges(settings_.LeftMargin(), y, surface_.width(), y + 1), ToQColor(settings_.UlineColor));
    underlineRow_ = edit_.CurposY;
}

void TTarnEditView::EraseUnderline() {
    if (underlineRow_ < 0) return;
    const int y = RowTop(underlineRow_) + edit_.Fontheight;
    underlineRow_ = -1;
    if (y <= settings_.TopMargin() || y >= surface_.height()) return;
    TPaintScope s(*this);
    s->fillRect(Edges(settings_.LeftMargin(), y, surface_.width(), y + 1), ToQColor(settings_.Color()));
    if (settings_.ShowLineNumber) s->fillRect(QRect(textLeft_ - 4, y, 1, 1), ToQColor(settings_.CREOFcolor));
}

void TTarnEditView::MoveUnderline(int, int) {
    if (!settings_.ShowUnderLine) return;
    if (Batching()) {
        pending_.underline = true;
        return;
    }
    EraseUnderline();
    DrawUnderline();
}

}  // namespace tarn::view

#include "control/view/preedit_overlay.h"

#include <QFontMetrics>
#include <QPainter>

namespace tarn::view {

TPreeditOverlay::TPreeditOverlay(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TPreeditOverlay::Show(const QString& text, int cursor, const QFont& font, QPoint topLeft) {
    text_ = text;
    cursor_ = std::clamp(cursor, 0, static_cast<int>(text.size()));
    if (text.isEmpty()) {
        hide();
        return;
    }
    setFont(font);
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(text) + 2;
    const int h = fm.height() + 2;
    // Kept inside the control: a composition near the right edge shifts left.
    int x = topLeft.x();
    if (parentWidget() && x + w > parentWidget()->width()) x = std::max(0, parentWidget()->width() - w);
    setGeometry(x, topLeft.y(), w, h);
    show();
    raise();
    update();
}

void TPreeditOverlay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    p.setFont(font());
    const QFontMetrics fm(font());
    p.drawText(1, fm.ascent() + 1, text_);
    // Composition is marked the usual way: underlined, caret at its place.
    const int base = fm.ascent() + 2;
    p.drawLine(1, base, width() - 2, base);
    const int cx = 1 + fm.horizontalAdvance(text_.left(cursor_));
    p.drawLine(cx, 1, cx, height() - 2);
}

}  // namespace tarn::view

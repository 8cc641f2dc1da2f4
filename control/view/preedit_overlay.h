// The text being composed, shown at the caret in the composition font over
// the control's surface. It is a child widget of its own so that the
// document, its painting and its undo history never see the composition.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace tarn::view {

class TPreeditOverlay : public QWidget {
public:
    explicit TPreeditOverlay(QWidget* parent);

    // Shows text with its top-left corner at topLeft; empty text hides it.
    void Show(const QString& text, int cursor, const QFont& font, QPoint topLeft);
    const QString& Text() const noexcept { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    int cursor_ = 0;
};

}  // namespace tarn::view

// Pen lines as the window canvas draws them: from the current point up to,
// but not including, the end point; optionally dotted (one pixel drawn, the
// next skipped, the pattern running on from one line into the next).
#pragma once

#include <QPainter>
#include <QPoint>

namespace tarn::view {

class TPenWalker {
public:
    TPenWalker(QPainter& p, bool dotted) : p_(p), dotted_(dotted) {}
    void MoveTo(int x, int y) { at_ = QPoint(x, y); }
    void LineTo(int x, int y);

private:
    QPainter& p_;
    bool dotted_;
    int phase_ = 0;
    QPoint at_;
};

}  // namespace tarn::view

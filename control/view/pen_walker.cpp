#include "control/view/pen_walker.h"

#include <cstdlib>

namespace tarn::view {

void TPenWalker::LineTo(int x, int y) {
    int x0 = at_.x(), y0 = at_.y();
    const int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
    const int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    while (x0 != x || y0 != y) {
        if (!dotted_ || (phase_ & 1) == 0) p_.drawPoint(x0, y0);
        ++phase_;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    at_ = QPoint(x, y);
}

}  // namespace tarn::view

#include "host/authoring/pictograph_pick.h"

#include <algorithm>

#include "host/preview/html_conv.h"

namespace quenby::authoring {

int PictographAt(int x, int y) {
    // Negative coordinates would truncate towards zero into the first cell.
    if (x < 0 || y < 0 || x >= kPaletteWidth || y >= kPaletteHeight) return 0;
    // The picture's last pixel column is the grid's closing line; counted
    // as a 17th column it would pick the first cell of the next row.
    const int column = std::min(x / kPaletteCell, kPaletteColumns - 1);
    const int n = (y / kPaletteCell) * kPaletteColumns + column + 1;
    return n <= kPictographCount ? n : 0;
}

QString PictographReference(int n) {
    const int code = preview::PictographCode(n);
    if (code == 0) return QString();
    return QStringLiteral("&#") + QString::number(code) + QLatin1Char(';');
}

}  // namespace quenby::authoring

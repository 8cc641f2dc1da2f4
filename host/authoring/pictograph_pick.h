// Where a press on the pictograph palette lands, and how a pictograph is
// written into a page. Pure, so the palette's arithmetic is tested without
// a window.
#pragma once

#include <QString>

namespace quenby::authoring {

// The palette picture: 16 columns of 19-pixel cells, 305 x 210 pixels.
inline constexpr int kPaletteWidth = 305;
inline constexpr int kPaletteHeight = 210;
inline constexpr int kPaletteCell = 19;
inline constexpr int kPaletteColumns = 16;
inline constexpr int kPictographCount = 166;

// The pictograph under pixel (x, y) of the palette, 1..166; 0 outside the
// picture and in the empty cells after the last one.
int PictographAt(int x, int y);

// "&#" + decimal code + ";" for pictograph n; empty when n has no code.
QString PictographReference(int n);

}  // namespace quenby::authoring

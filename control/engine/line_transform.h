// What the line-range transforms do to one line's visible text, and the
// field splitter the host uses on delimited lists. Pure byte functions.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

enum TxMovestate { MLeft = 0, MCenter = 1, MRight = 2 };

// Blanks are the space, the tab and, with wide, the full-width space; only
// whole characters are looked at, so a trail byte is never a blank.
std::string_view TrimBlanks(std::string_view s, bool left, bool right, bool wide, bool singleByte);

// Trims both sides (full-width spaces too) and pads on the left to align
// within clm bytes.
std::string AlignLine(std::string_view s, TxMovestate state, int clm, bool singleByte);

// Pops the field before the first occurrence of delimiter: returns it and
// removes it with the delimiter's first byte from str. Without an
// occurrence, the whole of str is returned and str is left empty.
std::string SplitField(std::string& str, std::string_view delimiter);

}  // namespace tarn

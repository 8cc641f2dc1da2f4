// Where a find or replace stands between steps, and the two pure pieces of
// a step: cutting the text that the host is asked to search, and making
// sense of what the host answers. The engine never compares text itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "control/engine/tarn_strings.h"

namespace tarn {

// A hit: column and stored line of its start, and its byte length.
struct TFindHit {
    int X = 0;
    int Y = 0;
    int Len = 0;
    bool Valid() const noexcept { return Len > 0; }
};

struct TFindState {
    std::string FindStr;
    std::string ChangeStr;
    int CurLine = 0;
    int CurCol = 0;
    int EndLine = 0;
    // Bytes at the end of EndLine that lie outside the range.
    int EndDistance = 0;
    // Bytes of the text last handed out that belong to the current line.
    int CurLineLen = 0;
    // Upward steps search the current line only up to this column.
    int UpLimit = 0;
    bool Continuing = false;
    bool FirstSearch = false;
    bool NoHitPending = false;
    bool Confirm = false;
    bool Abort = false;
    int Count = 0;
    // The hit the host may colour; forgotten when the caret moves on.
    TFindHit Remembered;
    // Where the last hit was, for turning round from down to up.
    TFindHit Last;
};

// The text searched for stored line `line` from column `col`: that line's
// part inside the range, then following lines of the range until a match
// of `want` bytes starting anywhere in that part fits, so a match may run
// over a line break or a wrap cut. The end-of-text mark is never part of it. `firstPart` receives
// the length of the line's own part, in which every hit must start.
std::string BuildSearchText(const TTarnStrings& lines, int line, int col, int endLine, int endDistance,
                            std::size_t want, int& firstPart);

// A hit inside a search text: offset of its first byte and its length.
struct TTextHit {
    int Start = 0;
    int Len = 0;
};

// Turns the host's answer (1-based x, len) into a hit that starts within
// the first `firstPart` bytes, is at least one byte long, ends inside the
// text and neither splits a double-byte character nor a CR LF pair. An
// answer that cannot be read as such a hit is no hit.
std::optional<TTextHit> SanitizeHit(std::string_view text, int firstPart, int x, int len, bool singleByte);

}  // namespace tarn

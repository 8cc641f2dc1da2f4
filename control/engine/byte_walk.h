// Walking a number of bytes forward over the stored lines, counting every
// stored byte (a CR LF counts two), as replacing a found range and undoing
// an insertion both need.
#pragma once

#include <cstdint>

#include "control/engine/char_routines.h"
#include "control/engine/tarn_strings.h"

namespace tarn {

struct ByteWalkPos {
    int X = 0;
    int Y = 0;
};

// The position n bytes after p. A position at the full length of a
// terminated line becomes the start of the next one; the walk never passes
// the visible end of the last line.
inline ByteWalkPos WalkBytes(const TTarnStrings& lines, ByteWalkPos p, std::int64_t n) {
    const int last = lines.Count() - 1;
    if (last < 0) return {0, 0};
    if (p.Y < 0) p = {0, 0};
    if (p.Y > last) p.Y = last;
    for (;;) {
        const std::string& line = lines.Line(p.Y);
        const int len = static_cast<int>(line.size());
        if (p.X > len) p.X = len;
        if (p.X < 0) p.X = 0;
        const std::int64_t avail = len - p.X;
        if (n < avail || p.Y == last) {
            p.X += static_cast<int>(n < avail ? n : avail);
            break;
        }
        n -= avail;
        ++p.Y;
        p.X = 0;
    }
    if (p.Y == last) {
        const int vis = VisibleLength(lines.Line(last));
        if (p.X > vis) p.X = vis;
    }
    return p;
}

}  // namespace tarn

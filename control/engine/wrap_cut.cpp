#include "control/engine/wrap_cut.h"

#include <algorithm>

#include "control/engine/char_routines.h"

namespace tarn {

bool WrapMeasure::RawExceeds(std::string_view bytes, int limit) const {
    // A long line is measured only as far as needed to know it is too wide.
    std::size_t n = std::min<std::size_t>(bytes.size(), 256);
    for (;;) {
        if (Raw(bytes.substr(0, n)) > limit) return true;
        if (n == bytes.size()) return false;
        n = std::min(bytes.size(), n * 2);
    }
}

int CutLength(std::string_view s, const WrapWidths& w, const WrapMeasure& m) {
    const int len = static_cast<int>(s.size());
    if (w.fontWidth <= 0) return len;
    auto prefix = [&](int b) { return s.substr(0, static_cast<std::size_t>(b)); };
    const int a = w.wrap;
    int b = len;
    if (w.minimum < w.client && m.RawExceeds(s, a)) {
        // A search that starts from the width in average characters and
        // changes direction with half the step.
        b = std::min(b, a / w.fontWidth);
        int step = b / 2;
        bool grew = true;  // the start counts as a growth
        while (step > 0 && b < len) {
            const int width = m.Raw(prefix(b));
            if (width < a) {
                if (!grew) step /= 2;
                b = std::min(len, b + step);
                grew = true;
            } else if (width == a) {
                break;
            } else {
                if (grew) step /= 2;
                b = std::max(0, b - step);
                grew = false;
            }
        }
    }
    // Then, with tabs expanded, back off to the last length that fits
    // (the wrap width, or the minimum width when that is larger).
    const int fit = std::max(a, w.minimum);
    if (b > 0 && m.Expanded(prefix(b)) > fit) {
        int lo = 0, hi = b;  // prefix(lo) fits, prefix(hi) does not
        while (hi - lo > 1) {
            const int mid = lo + (hi - lo) / 2;
            if (m.Expanded(prefix(mid)) > fit) hi = mid;
            else lo = mid;
        }
        b = lo;
    }
    return b;
}

int NextCut(std::string_view r, const WrapWidths& w, const WrapMeasure& m, bool singleByte) {
    const int len = static_cast<int>(r.size());
    const int n = IsLineTerminated(r) ? len - 1 : len;
    int b = CutLength(r, w, m);
    if (b >= n) return 0;
    // The CR of a pair and the end-of-text mark go with what follows them;
    // a character is never split.
    if (b >= 1 && (r[static_cast<std::size_t>(b - 1)] == '\r' || r[static_cast<std::size_t>(b - 1)] == '\0')) --b;
    if (b >= 1 && GetByteType(r, b, singleByte) == kLeadByte) --b;
    if (b < 1) {
        // Not even one character fits: it takes a row of its own.
        if (r[0] == '\r' || r[0] == '\0') return 0;
        b = CharLengthAt(r, 0, singleByte);
        if (b >= n) return 0;
    }
    return b;
}

}  // namespace tarn

#include "control/engine/hard_line_index.h"

namespace tarn {

int HardLineIndex::CountBefore(int line) const noexcept {
    int lo = 0, hi = Size();  // first entry >= line lies in [lo, hi]
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (At(mid) < line) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

void HardLineIndex::Clear() {
    pos_.Clear();
    stepFrom_ = stepLength_ = 0;
}

void HardLineIndex::Append(int line) { InsertEntry(Size(), line); }

void HardLineIndex::Shift(int from, int delta) {
    if (delta == 0 || from >= Size()) return;
    if (stepLength_ == 0) {
        stepFrom_ = from;
    } else if (from >= stepFrom_) {
        // Entries between the old and the new boundary take their step now.
        for (int k = stepFrom_; k < from; ++k) pos_[k] += stepLength_;
        stepFrom_ = from;
    } else {
        // Entries between the new and the old boundary are exact; stored
        // less the old step, they come out right once the step covers them.
        for (int k = from; k < stepFrom_; ++k) pos_[k] -= stepLength_;
        stepFrom_ = from;
    }
    stepLength_ += delta;
}

void HardLineIndex::InsertEntry(int k, int line) {
    if (k < stepFrom_) {
        pos_.Insert(k, line);
        ++stepFrom_;
    } else {
        pos_.Insert(k, line - stepLength_);
    }
}

void HardLineIndex::EraseEntries(int k, int n) {
    if (n <= 0) return;
    pos_.DeleteRange(k, n);
    if (k + n <= stepFrom_) stepFrom_ -= n;
    else if (k < stepFrom_) stepFrom_ = k;
    if (stepFrom_ >= Size()) {
        stepFrom_ = Size();
        stepLength_ = 0;
    }
}

void HardLineIndex::LineInserted(int line, bool hard) {
    const int k = CountBefore(line);
    Shift(k, 1);
    if (hard) InsertEntry(k, line);
}

void HardLineIndex::LinesRemoved(int line, int n) {
    if (n <= 0) return;
    const int k1 = CountBefore(line);
    const int k2 = CountBefore(line + n);
    EraseEntries(k1, k2 - k1);
    Shift(k1, -n);
}

void HardLineIndex::LineChanged(int line, bool hard) {
    const int k = CountBefore(line);
    const bool present = k < Size() && At(k) == line;
    if (hard && !present) InsertEntry(k, line);
    else if (!hard && present) EraseEntries(k, 1);
}

}  // namespace tarn

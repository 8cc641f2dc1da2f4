// Which stored lines end with a line break, as a sorted list of their
// indexes. Converting between wrapped and unwrapped positions asks "how many
// hard line ends lie before this stored line" and "where is the n-th one";
// on a long document neither may walk from the first line.
//
// Inserting or removing a stored line shifts every later entry. The shift is
// not applied at once: entries from stepFrom_ on carry a pending stepLength_,
// and the step boundary only moves as far as the next edit is away, so edits
// close together (typing) stay cheap however many lines follow.
#pragma once

#include "control/engine/split_vector.h"

namespace tarn {

class HardLineIndex {
public:
    int Size() const noexcept { return static_cast<int>(pos_.Length()); }
    // Stored-line index of entry k (0 <= k < Size()).
    int At(int k) const noexcept { return pos_[k] + (k >= stepFrom_ ? stepLength_ : 0); }
    // Number of entries below line, which is also where line would go.
    int CountBefore(int line) const noexcept;

    void Clear();
    // Appends an entry beyond all others (used to build the index).
    void Append(int line);
    // A stored line was inserted before line; hard: it ends with a break.
    void LineInserted(int line, bool hard);
    // Stored lines [line, line + n) were removed.
    void LinesRemoved(int line, int n);
    // Stored line line changed whether it ends with a break.
    void LineChanged(int line, bool hard);

private:
    void Shift(int from, int delta);
    void InsertEntry(int k, int line);
    void EraseEntries(int k, int n);

    SplitVector<int> pos_;
    int stepFrom_ = 0;
    int stepLength_ = 0;
};

}  // namespace tarn

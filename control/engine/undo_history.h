// The undo and redo histories: edit records kept newest first, each list
// with the byte count of the text it holds, and the undo list bounded by a
// byte budget. The histories only keep records; applying them to the
// document is the editor's business.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

namespace tarn {

// One edit: what to undo (a TxUndoAction value), where (non-wrapped
// coordinates) and the bytes inserted or deleted, or a box record text.
struct TEditRecord {
    std::uint8_t Action = 0;
    int X = 0;
    int Y = 0;
    std::string Text;
    // Undone and redone in one step with the record below it: the pieces
    // of one user action recorded at different places (a drag that moves
    // text deletes here and inserts there).
    bool WithOlder = false;
};

// One history. Index 0 is the newest record; dropping the oldest is cheap.
class TEditRecordList {
public:
    bool Empty() const noexcept { return records_.empty(); }
    int Count() const noexcept { return static_cast<int>(records_.size()); }
    std::int64_t Bytes() const noexcept { return bytes_; }

    // Index 0 is the newest; throws ERangeError outside 0..Count()-1.
    const TEditRecord& At(int index) const;
    const TEditRecord& Newest() const { return At(0); }

    void PushNewest(TEditRecord r);
    TEditRecord PopNewest();
    void DropOldest();
    // Replaces the text of the newest record, keeping the byte count true.
    void SetNewestText(std::string text);
    // Ties the newest count records into one step (the oldest of them
    // stands alone below them).
    void Tie(int count);
    void Clear() noexcept;

private:
    std::deque<TEditRecord> records_;
    std::int64_t bytes_ = 0;
};

class TUndoHistory {
public:
    TEditRecordList Undo;
    TEditRecordList Redo;

    // Set whenever a record was dropped or refused for lack of budget: the
    // undo list can no longer lead back to the unmodified document.
    bool Truncated() const noexcept { return truncated_; }

    // Makes room for a record of text within budget by dropping the oldest
    // records, then keeps it. False, and nothing kept, when the text alone
    // is larger than the budget.
    bool Record(std::uint8_t action, std::string text, int x, int y, std::int64_t budget);
    // How many records were ever kept, to count the records of one action.
    std::uint64_t Recorded() const noexcept { return recorded_; }

    // Moves the newest record of one list to the front of the other with
    // its kind turned round, on its own (untied). Throws ERangeError when
    // the source is empty.
    void Move(std::uint8_t newAction, bool undoToRedo);

    void Clear() noexcept;

private:
    bool truncated_ = false;
    std::uint64_t recorded_ = 0;
};

}  // namespace tarn

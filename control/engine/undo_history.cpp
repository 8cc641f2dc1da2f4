#include "control/engine/undo_history.h"

#include <algorithm>

#include <utility>

#include "control/engine/tarn_strings.h"

namespace tarn {

const TEditRecord& TEditRecordList::At(int index) const {
    if (index < 0 || index >= Count()) TTarnStrings::Error();
    return records_[static_cast<std::size_t>(index)];
}

void TEditRecordList::PushNewest(TEditRecord r) {
    bytes_ += static_cast<std::int64_t>(r.Text.size());
    records_.push_front(std::move(r));
}

TEditRecord TEditRecordList::PopNewest() {
    if (records_.empty()) TTarnStrings::Error();
    TEditRecord r = std::move(records_.front());
    records_.pop_front();
    bytes_ -= static_cast<std::int64_t>(r.Text.size());
    return r;
}

void TEditRecordList::Tie(int count) {
    const int n = std::min(count, Count());
    for (int i = 0; i < n; ++i) records_[static_cast<std::size_t>(i)].WithOlder = i + 1 < n;
}

void TEditRecordList::DropOldest() {
    if (records_.empty()) return;
    bytes_ -= static_cast<std::int64_t>(records_.back().Text.size());
    records_.pop_back();
}

void TEditRecordList::SetNewestText(std::string text) {
    if (records_.empty()) TTarnStrings::Error();
    TEditRecord& r = records_.front();
    bytes_ += static_cast<std::int64_t>(text.size()) - static_cast<std::int64_t>(r.Text.size());
    r.Text = std::move(text);
}

void TEditRecordList::Clear() noexcept {
    records_.clear();
    bytes_ = 0;
}

bool TUndoHistory::Record(std::uint8_t action, std::string text, int x, int y, std::int64_t budget) {
    const auto len = static_cast<std::int64_t>(text.size());
    while (Undo.Bytes() + len > budget && !Undo.Empty()) {
        Undo.DropOldest();
        truncated_ = true;
    }
    if (len > budget) {
        truncated_ = true;
        return false;
    }
    Undo.PushNewest({action, x, y, std::move(text)});
    ++recorded_;
    return true;
}

void TUndoHistory::Move(std::uint8_t newAction, bool undoToRedo) {
    TEditRecordList& from = undoToRedo ? Undo : Redo;
    TEditRecordList& to = undoToRedo ? Redo : Undo;
    TEditRecord r = from.PopNewest();
    r.Action = newAction;
    r.WithOlder = false;
    to.PushNewest(std::move(r));
}

void TUndoHistory::Clear() noexcept {
    Undo.Clear();
    Redo.Clear();
    truncated_ = false;
}

}  // namespace tarn

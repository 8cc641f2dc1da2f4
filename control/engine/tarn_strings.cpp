#include "control/engine/tarn_strings.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>

#include "control/engine/char_routines.h"
#include "control/engine/line_feed.h"
#include "control/engine/line_loader.h"

namespace tarn {

ERangeError::ERangeError() : std::out_of_range(Message()) {}
const char* ERangeError::Message() noexcept { return "インデックスがリストの範囲を超えています"; }

void TTarnStrings::Error() { throw ERangeError(); }

TTarnStrings::TTarnStrings() = default;
TTarnStrings::~TTarnStrings() = default;
TTarnStrings::TTarnStrings(TTarnStrings&&) noexcept = default;
TTarnStrings& TTarnStrings::operator=(TTarnStrings&&) noexcept = default;

// ---- Lines still to come ------------------------------------------------------

namespace {
// What one step of settling splits: a few milliseconds of work.
constexpr std::size_t kSettleStep = 64 * 1024;
}  // namespace

void TTarnStrings::Defer(std::unique_ptr<LineFeed> feed, std::unique_ptr<LineShaper> shaper) {
    Clear();
    if (!feed) return;
    feedBytes_ = feed->Remaining();
    // The index of hard breaks is kept from the first line on, so that the
    // first edit after the idle splitting finds it made.
    breaks_.Clear();
    breaksValid_ = true;
    feed_ = std::move(feed);
    shaper_ = std::move(shaper);
}

void TTarnStrings::DropPending() {
    feedEnd_.reset();
    feed_.reset();
    shaper_.reset();
    std::deque<std::string>().swap(tail_);
    rows_ = std::vector<std::string>();
}

void TTarnStrings::StepFeed(std::size_t bytes) const {
    auto keep = [this](std::string&& row) {
        if (count_ >= kMaxCount) Error();
        // The index of hard breaks covers the split lines and grows with them.
        if (breaksValid_ && HasLineBreak(row)) breaks_.Append(count_);
        tail_.push_back(std::move(row));
        ++count_;
    };
    // What the shaper made of a line (or of its end).
    auto keepRows = [&] {
        for (std::string& r : rows_) keep(std::move(r));
        rows_.clear();
    };
    const LineFeed::Sink sink = [&](std::string&& line) {
        if (!shaper_) return keep(std::move(line));
        shaper_->Shape(line, rows_);
        keepRows();
    };
    if (feed_->Step(bytes, sink)) return;
    if (shaper_) {
        shaper_->Finish(rows_);
        keepRows();
    }
    feedEnd_ = feed_->Error();
    feed_.reset();
    shaper_.reset();
    rows_ = std::vector<std::string>();
}

void TTarnStrings::Settle(int index) const {
    while (feed_ && count_ <= index) StepFeed(kSettleStep);
}

bool TTarnStrings::SettleSome(std::size_t bytes) {
    if (feed_) {
        StepFeed(bytes);
        return true;
    }
    // About as much work per call as a step of splitting.
    return MergeSome(std::max<std::size_t>(1, bytes / 8));
}

int TTarnStrings::EstimatedCount() const noexcept {
    if (!feed_) return count_;
    const std::int64_t done = feedBytes_ - feed_->Remaining();
    // Before anything was split, a guess of one line per 64 bytes.
    const double perByte = done > 0 && count_ > 0 ? static_cast<double>(count_) / static_cast<double>(done) : 1.0 / 64;
    const double guess = count_ + perByte * static_cast<double>(feed_->Remaining()) + 1;
    return static_cast<int>(std::min<double>(kMaxCount, guess));
}

void TTarnStrings::MergeTail() {
    if (tail_.empty()) return;
    const std::int64_t want = static_cast<std::int64_t>(lines_.Length()) + static_cast<std::int64_t>(tail_.size());
    if (want > capacity_) {
        lines_.Reallocate(static_cast<std::ptrdiff_t>(want));
        capacity_ = static_cast<int>(want);
    }
    for (std::string& s : tail_) lines_.Insert(lines_.Length(), std::move(s));
    tail_.clear();
}

// The first rows of the tail to the end of the line array, the array sized
// once for all of them and some room besides, so that the first edits that
// add lines do not move the whole array again; true while rows are left.
bool TTarnStrings::MergeSome(std::size_t rows) {
    if (tail_.empty()) return false;
    const std::int64_t need = static_cast<std::int64_t>(lines_.Length()) + static_cast<std::int64_t>(tail_.size());
    if (need > capacity_) {
        const int room = static_cast<int>(std::min<std::int64_t>(kMaxCount, need + std::max<std::int64_t>(need / 16, 32)));
        lines_.Reallocate(room);
        capacity_ = room;
    }
    for (; rows > 0 && !tail_.empty(); --rows) {
        lines_.Insert(lines_.Length(), std::move(tail_.front()));
        tail_.pop_front();
    }
    return !tail_.empty();
}

// ---- Lines ----------------------------------------------------------------------

void TTarnStrings::CheckIndex(int index) const {
    if (index >= count_ && index >= 0) Settle(index);
    if (index < 0 || index >= count_) Error();
}

const std::string& TTarnStrings::Line(int index) const {
    CheckIndex(index);
    return At(index);
}

void TTarnStrings::Put(int index, std::string s) {
    CheckIndex(index);
    std::string& line = At(index);
    const bool wasHard = HasLineBreak(line);
    line = std::move(s);
    NoteChanged(index, wasHard);
}

void TTarnStrings::NoteChanged(int index, bool wasHard) {
    const bool hard = HasLineBreak(At(index));
    if (breaksValid_ && hard != wasHard) breaks_.LineChanged(index, hard);
}

const HardLineIndex& TTarnStrings::Breaks() const {
    if (!breaksValid_) {
        breaks_.Clear();
        for (int i = 0; i < count_; ++i)
            if (HasLineBreak(At(i))) breaks_.Append(i);
        breaksValid_ = true;
    }
    return breaks_;
}

int TTarnStrings::HardBreaksBefore(int index) const {
    if (index <= 0) return 0;
    Settle(index - 1);
    return Breaks().CountBefore(index);
}

int TTarnStrings::HardBreakCount() const {
    SettleAll();
    return Breaks().Size();
}

bool TTarnStrings::HasHardBreak(int k) const {
    if (k < 0) return false;
    while (Breaks().Size() <= k && feed_) StepFeed(kSettleStep);
    return k < Breaks().Size();
}

int TTarnStrings::HardBreakLine(int k) const {
    if (!HasHardBreak(k)) Error();
    return Breaks().At(k);
}

void TTarnStrings::Adopt(std::vector<std::string>&& list) {
    if (list.size() > static_cast<std::size_t>(kMaxCount)) Error();
    DropPending();
    lines_.Adopt(std::move(list));
    list.clear();
    count_ = capacity_ = static_cast<int>(lines_.Length());
    breaksValid_ = false;
}

void TTarnStrings::Grow() {
    // Room in the line array only: lines still pending stay pending.
    const int n = static_cast<int>(std::min<std::int64_t>(
        kMaxCount, std::int64_t{capacity_} + std::max(static_cast<int>(lines_.Length()) / 128, 32)));
    if (n <= capacity_) Error();
    lines_.Reallocate(n);
    capacity_ = n;
}

int TTarnStrings::Add(std::string s) {
    SettleAll();
    Insert(count_, std::move(s));
    return count_ - 1;
}

void TTarnStrings::Insert(int index, std::string s) {
    // Inserting before a line still pending needs that line split first.
    if (index >= count_ && index >= 0) Settle(index);
    if (index < 0 || index > count_) Error();
    if (index > lines_.Length()) MergeTail();
    if (lines_.Length() == capacity_) Grow();
    const bool hard = HasLineBreak(s);
    lines_.Insert(index, std::move(s));
    ++count_;
    if (breaksValid_) breaks_.LineInserted(index, hard);
}

void TTarnStrings::Delete(int index) { DeleteRange(index, 1); }

void TTarnStrings::DeleteRange(int index, int n) {
    if (n >= 0 && index >= 0) Settle(static_cast<int>(std::min<std::int64_t>(kMaxCount, std::int64_t{index} + n - 1)));
    if (n < 0 || index < 0 || n > count_ - index) Error();
    if (n == 0) return;
    if (index + n > lines_.Length()) MergeTail();
    lines_.DeleteRange(index, n);
    count_ -= n;
    if (breaksValid_) breaks_.LinesRemoved(index, n);
}

void TTarnStrings::Clear() {
    DropPending();
    if (capacity_ == 0 && count_ == 0) return;
    lines_.Clear();
    count_ = capacity_ = 0;
    breaksValid_ = false;
}

void TTarnStrings::Swap(TTarnStrings& other) noexcept { std::swap(*this, other); }

void TTarnStrings::AddStrings(const std::vector<std::string>& list) {
    SetCapacity(std::max<int>(capacity_, count_ + static_cast<int>(list.size())));
    for (const auto& s : list) Add(s);
}

void TTarnStrings::Assign(const std::vector<std::string>& list) {
    Clear();
    AddStrings(list);
}

void TTarnStrings::SetCapacity(int n) {
    SettleAll();
    MergeTail();
    if (n < count_ || n > kMaxCount) Error();
    if (n == capacity_) return;
    lines_.Reallocate(n);
    capacity_ = n;
}

void TTarnStrings::SetCount(int n) {
    SettleAll();
    MergeTail();
    if (n < 0 || n > kMaxCount) Error();
    if (n > capacity_) SetCapacity(n);
    lines_.Resize(n);
    count_ = n;
    breaksValid_ = false;
}

void TTarnStrings::ReserveMore(std::int64_t extraLines) {
    // Only a hint: not worth splitting what is still pending.
    if (feed_) return;
    std::int64_t want = std::min<std::int64_t>(kMaxCount, count_ + extraLines);
    if (want > capacity_) SetCapacity(static_cast<int>(want));
}

std::int64_t TTarnStrings::ByteLength() const {
    SettleAll();
    std::int64_t n = 0;
    for (int i = 0; i < count_; ++i) n += static_cast<std::int64_t>(At(i).size());
    return n;
}

std::string TTarnStrings::GetTextStr() const {
    std::string out;
    out.reserve(static_cast<std::size_t>(ByteLength()));
    for (int i = 0; i < count_; ++i) out += At(i);
    return out;
}

void TTarnStrings::SetTextStr(std::string_view text) {
    Clear();
    if (text.empty()) return;
    Defer(LineFeed::FromText(std::string(text)));
}

void TTarnStrings::InsertText(int& index, std::string_view text) {
    if (index >= count_ && index >= 0) Settle(index);
    if (index < 0 || index > count_) Error();
    ReserveMore(static_cast<std::int64_t>(text.size() / 28));
    TextSplitter splitter(*this, TextSplitter::kOpenLast, index);
    splitter.Feed(text);
    splitter.Finish();
    index = splitter.NextIndex() - 1;
    // No trim here: a pasted line in a long document would otherwise pay
    // for moving the whole line array on its next insertion.
}

std::string TTarnStrings::GetCommaText() const {
    SettleAll();
    std::string out;
    for (int i = 0; i < count_; ++i) {
        const std::string& s = At(i);
        if (i > 0) out += ',';
        bool quote = s.find_first_of(" ,") != std::string::npos;
        if (quote) out += '"';
        out += s;
        if (quote) out += '"';
    }
    return out;
}

void TTarnStrings::SetCommaText(std::string_view text) {
    Clear();
    std::size_t p = 0;
    const std::size_t n = text.size();
    auto at = [&](std::size_t i) { return i < n ? text[i] : '\0'; };
    while (p < n) {
        std::size_t start, end;
        if (text[p] == '"') {
            start = p + 1;
            end = start;
            while (end < n && text[end] != '"' && text[end] != '\r' && text[end] != '\0') ++end;
            Add(std::string(text.substr(start, end - start)));
            p = end + (at(end) == '"' ? 1 : 0);
        } else {
            start = p;
            end = p;
            while (end < n && text[end] != ',' && text[end] != '"' && text[end] != '\r' && text[end] != '\0') ++end;
            Add(std::string(text.substr(start, end - start)));
            p = end;
        }
        ++p;  // the byte after the item
    }
}

int TTarnStrings::IndexOf(std::string_view s) const {
    for (int i = 0; Has(i); ++i)
        if (At(i) == s) return i;
    return -1;
}

void TTarnStrings::SaveToStream(std::ostream& out) const {
    SettleAll();
    for (int i = 0; i < count_; ++i) out.write(At(i).data(), static_cast<std::streamsize>(At(i).size()));
}

void TTarnStrings::LoadFromStream(std::istream& in) {
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SetTextStr(all);
}

void TTarnStrings::LoadFromFile(const std::filesystem::path& name) {
    // Opening throws before the content is touched.
    Defer(LineFeed::FromFile(name));
}

void TTarnStrings::SaveToFile(const std::filesystem::path& name) const { SaveLinesToFile(name, *this); }

}  // namespace tarn

#include "control/engine/tarn_strings.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>

#include "control/engine/char_routines.h"
#include "control/engine/line_loader.h"

namespace tarn {

ERangeError::ERangeError() : std::out_of_range(Message()) {}
const char* ERangeError::Message() noexcept { return "インデックスがリストの範囲を超えています"; }

void TTarnStrings::Error() { throw ERangeError(); }

void TTarnStrings::CheckIndex(int index) const {
    if (index < 0 || index >= count_) Error();
}

const std::string& TTarnStrings::Line(int index) const {
    CheckIndex(index);
    return lines_[index];
}

void TTarnStrings::Put(int index, std::string s) {
    CheckIndex(index);
    const bool wasHard = HasLineBreak(lines_[index]);
    lines_[index] = std::move(s);
    NoteChanged(index, wasHard);
}

void TTarnStrings::NoteChanged(int index, bool wasHard) {
    const bool hard = HasLineBreak(lines_[index]);
    if (breaksValid_ && hard != wasHard) breaks_.LineChanged(index, hard);
}

const HardLineIndex& TTarnStrings::Breaks() const {
    if (!breaksValid_) {
        breaks_.Clear();
        for (int i = 0; i < count_; ++i)
            if (HasLineBreak(lines_[i])) breaks_.Append(i);
        breaksValid_ = true;
    }
    return breaks_;
}

int TTarnStrings::HardBreaksBefore(int index) const {
    if (index <= 0) return 0;
    return Breaks().CountBefore(index);
}

int TTarnStrings::HardBreakCount() const { return Breaks().Size(); }

int TTarnStrings::HardBreakLine(int k) const {
    const HardLineIndex& b = Breaks();
    if (k < 0 || k >= b.Size()) Error();
    return b.At(k);
}

void TTarnStrings::Adopt(std::vector<std::string>&& list) {
    if (list.size() > static_cast<std::size_t>(kMaxCount)) Error();
    lines_.Adopt(std::move(list));
    list.clear();
    count_ = capacity_ = static_cast<int>(lines_.Length());
    breaksValid_ = false;
}

void TTarnStrings::Grow() {
    SetCapacity(capacity_ + std::max(count_ / 128, 32));
}

int TTarnStrings::Add(std::string s) {
    Insert(count_, std::move(s));
    return count_ - 1;
}

void TTarnStrings::Insert(int index, std::string s) {
    if (index < 0 || index > count_) Error();
    if (count_ == capacity_) Grow();
    const bool hard = HasLineBreak(s);
    lines_.Insert(index, std::move(s));
    ++count_;
    if (breaksValid_) breaks_.LineInserted(index, hard);
}

void TTarnStrings::Delete(int index) { DeleteRange(index, 1); }

void TTarnStrings::DeleteRange(int index, int n) {
    if (n < 0 || index < 0 || n > count_ - index) Error();
    if (n > 0) CheckIndex(index);
    lines_.DeleteRange(index, n);
    count_ -= n;
    if (breaksValid_) breaks_.LinesRemoved(index, n);
}

void TTarnStrings::Clear() {
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
    if (n < count_ || n > kMaxCount) Error();
    if (n == capacity_) return;
    lines_.Reallocate(n);
    capacity_ = n;
}

void TTarnStrings::SetCount(int n) {
    if (n < 0 || n > kMaxCount) Error();
    if (n > capacity_) SetCapacity(n);
    lines_.Resize(n);
    count_ = n;
    breaksValid_ = false;
}

void TTarnStrings::ReserveMore(std::int64_t extraLines) {
    std::int64_t want = std::min<std::int64_t>(kMaxCount, count_ + extraLines);
    if (want > capacity_) SetCapacity(static_cast<int>(want));
}

void TTarnStrings::TrimCapacity() { SetCapacity(count_); }

std::int64_t TTarnStrings::ByteLength() const {
    std::int64_t n = 0;
    for (int i = 0; i < count_; ++i) n += static_cast<std::int64_t>(lines_[i].size());
    return n;
}

std::string TTarnStrings::GetTextStr() const {
    std::string out;
    out.reserve(static_cast<std::size_t>(ByteLength()));
    for (int i = 0; i < count_; ++i) out += lines_[i];
    return out;
}

void TTarnStrings::SetTextStr(std::string_view text) {
    Clear();
    if (text.empty()) return;
    ReserveMore(static_cast<std::int64_t>(text.size() / 28));
    TextSplitter splitter(*this, TextSplitter::kTerminateLast);
    splitter.Feed(text);
    splitter.Finish();
    TrimCapacity();
}

void TTarnStrings::InsertText(int& index, std::string_view text) {
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
    std::string out;
    for (int i = 0; i < count_; ++i) {
        const std::string& s = lines_[i];
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
    for (int i = 0; i < count_; ++i)
        if (lines_[i] == s) return i;
    return -1;
}

void TTarnStrings::SaveToStream(std::ostream& out) const {
    for (int i = 0; i < count_; ++i) out.write(lines_[i].data(), static_cast<std::streamsize>(lines_[i].size()));
}

void TTarnStrings::LoadFromStream(std::istream& in) {
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SetTextStr(all);
}

void TTarnStrings::LoadFromFile(const std::filesystem::path& name) {
    TTarnStrings fresh;
    LoadLinesFromFile(name, fresh);
    Swap(fresh);
}

void TTarnStrings::SaveToFile(const std::filesystem::path& name) const { SaveLinesToFile(name, *this); }

}  // namespace tarn

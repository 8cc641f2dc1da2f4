// The line store: the whole document of one editor as stored lines, each
// keeping its own ending (CR LF, the end-of-text NUL, or nothing for a wrap
// segment), so that joining them gives the document back byte for byte.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "control/engine/hard_line_index.h"
#include "control/engine/split_vector.h"

namespace tarn {

// The store's range error; its message is the one the host sees.
class ERangeError : public std::out_of_range {
public:
    ERangeError();
    static const char* Message() noexcept;
};

// A file that could not be opened, read or written.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class LineFeed;

// Turns each stored line a feed gives into the stored lines kept (a wrapped
// editor cuts it into rows); Finish gives what a line still held back.
class LineShaper {
public:
    virtual ~LineShaper() = default;
    virtual void Shape(std::string_view line, std::vector<std::string>& rows) = 0;
    virtual void Finish(std::vector<std::string>& /*rows*/) {}
};

class TTarnStrings {
public:
    static constexpr int kMaxCount = 0x7FFFFFF;

    TTarnStrings();
    ~TTarnStrings();
    TTarnStrings(const TTarnStrings&) = delete;
    TTarnStrings& operator=(const TTarnStrings&) = delete;
    TTarnStrings(TTarnStrings&&) noexcept;
    TTarnStrings& operator=(TTarnStrings&&) noexcept;

    // Every count and every line is exact: what the feed still holds is
    // split (and shaped) as far as the question needs, at the latest here.
    int Count() const {
        SettleAll();
        return count_;
    }
    int Capacity() const {
        SettleAll();
        return capacity_ + static_cast<int>(tail_.size());
    }

    // ---- Lines still to come -------------------------------------------
    // Replaces the content by what feed gives, shaped by shaper (none: kept
    // as given). Nothing is split yet.
    void Defer(std::unique_ptr<LineFeed> feed, std::unique_ptr<LineShaper> shaper = nullptr);
    bool Settling() const noexcept { return feed_ != nullptr; }
    // True when stored line index exists; splits only as far as index.
    bool Has(int index) const {
        if (index < count_) return index >= 0;
        Settle(index);
        return index < count_;
    }
    // The lines split so far (all of them once nothing is pending).
    int SettledCount() const noexcept { return count_; }
    // Splits about `bytes` more of the pending text, and once all of it is
    // split moves a share of the split lines into the line array (where
    // edits that add or remove lines find them); false when nothing is left
    // to do. For idle time: no line may be held across it.
    bool SettleSome(std::size_t bytes);
    void SettleAll() const {
        if (feed_) Settle(kMaxCount);
    }
    // The count expected when everything is split: exact when nothing is
    // pending, else extrapolated from the bytes split so far.
    int EstimatedCount() const noexcept;
    // Once after a feed has given everything (however the splitting came
    // about): why it ended before its source did (a file that failed to
    // read on), empty when it did not. Nothing before or after that.
    std::optional<std::string> TakeFeedEnd() { return std::exchange(feedEnd_, std::nullopt); }

    // Reads without copying; index must be valid (checked).
    const std::string& Line(int index) const;
    std::string Get(int index) const { return Line(index); }
    void Put(int index, std::string s);
    int Add(std::string s);
    void Insert(int index, std::string s);
    void Delete(int index);
    // Removes stored lines [index, index + n).
    void DeleteRange(int index, int n);
    void Clear();
    void AddStrings(const std::vector<std::string>& list);
    void Assign(const std::vector<std::string>& list);
    void Swap(TTarnStrings& other) noexcept;

    void SetCount(int n);
    void SetCapacity(int n);

    std::string GetTextStr() const;
    void SetTextStr(std::string_view text);
    // Inserts the pieces of text from index on; index ends on the last piece.
    void InsertText(int& index, std::string_view text);

    std::string GetCommaText() const;
    void SetCommaText(std::string_view text);
    int IndexOf(std::string_view s) const;

    // Throws EFileError on any file failure. Loading replaces the content
    // only once the file is open and its start read; the rest is read as it
    // is split (a later failure ends the lines there, see TakeFeedError).
    void LoadFromFile(const std::filesystem::path& name);
    void SaveToFile(const std::filesystem::path& name) const;
    void SaveToStream(std::ostream& out) const;
    void LoadFromStream(std::istream& in);

    // Total bytes of all stored lines.
    std::int64_t ByteLength() const;

    // The stored lines that end with a line break (LF as their last byte),
    // counted without walking the store: how many lie before index, how
    // many there are, and which stored line is the k-th (from 0).
    int HardBreaksBefore(int index) const;
    int HardBreakCount() const;
    int HardBreakLine(int k) const;
    // Whether there is a k-th; splits only until it is found.
    bool HasHardBreak(int k) const;

    // Replaces the content by list, taking its strings.
    void Adopt(std::vector<std::string>&& list);

    [[noreturn]] static void Error();

private:
    void Settle(int index) const;
    void StepFeed(std::size_t bytes) const;
    void MergeTail();
    bool MergeSome(std::size_t rows);
    void DropPending();
    const std::string& At(int index) const noexcept {
        const int head = static_cast<int>(lines_.Length());
        return index < head ? lines_[index] : tail_[static_cast<std::size_t>(index - head)];
    }
    std::string& At(int index) noexcept {
        return const_cast<std::string&>(static_cast<const TTarnStrings&>(*this).At(index));
    }
    void Grow();
    void ReserveMore(std::int64_t extraLines);
    void CheckIndex(int index) const;
    friend class LineSink;

    const HardLineIndex& Breaks() const;
    void NoteChanged(int index, bool wasHard);

    SplitVector<std::string> lines_;
    // Lines split from the feed after lines_. A deque, so that splitting
    // while a caller holds a line moves nothing; an edit that reaches them
    // moves them into lines_ first.
    mutable std::deque<std::string> tail_;
    mutable std::unique_ptr<LineFeed> feed_;
    mutable std::unique_ptr<LineShaper> shaper_;
    std::int64_t feedBytes_ = 0;  // what the feed held when it came
    mutable std::optional<std::string> feedEnd_;
    mutable std::vector<std::string> rows_;  // scratch of the shaper
    // Built on first use after a wholesale change, then kept up to date.
    mutable HardLineIndex breaks_;
    mutable bool breaksValid_ = false;
    mutable int count_ = 0;  // lines_ and tail_
    int capacity_ = 0;       // of lines_
};

}  // namespace tarn

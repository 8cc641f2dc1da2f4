// The line store: the whole document of one editor as stored lines, each
// keeping its own ending (CR LF, the end-of-text NUL, or nothing for a wrap
// segment), so that joining them gives the document back byte for byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
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

class TTarnStrings {
public:
    static constexpr int kMaxCount = 0x7FFFFFF;

    TTarnStrings() = default;
    TTarnStrings(const TTarnStrings&) = delete;
    TTarnStrings& operator=(const TTarnStrings&) = delete;
    TTarnStrings(TTarnStrings&&) noexcept = default;
    TTarnStrings& operator=(TTarnStrings&&) noexcept = default;

    int Count() const noexcept { return count_; }
    int Capacity() const noexcept { return capacity_; }

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
    // only when the whole file was read.
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

    // Replaces the content by list, taking its strings.
    void Adopt(std::vector<std::string>&& list);

    [[noreturn]] static void Error();

private:
    void Grow();
    void ReserveMore(std::int64_t extraLines);
    void TrimCapacity();
    void CheckIndex(int index) const;
    friend class LineSink;

    const HardLineIndex& Breaks() const;
    void NoteChanged(int index, bool wasHard);

    SplitVector<std::string> lines_;
    // Built on first use after a wholesale change, then kept up to date.
    mutable HardLineIndex breaks_;
    mutable bool breaksValid_ = false;
    int count_ = 0;
    int capacity_ = 0;
};

}  // namespace tarn

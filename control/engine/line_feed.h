// A document split into stored lines only as far as somebody looks: opening
// a long file shows its first screen without first reading, cutting and
// wrapping everything behind it.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>

#include "control/engine/line_loader.h"

namespace tarn {

class LineFeed {
public:
    using Sink = TextSplitter::Sink;

    // Opens the file and reads as far as its first break (which decides how
    // it splits, as when a file is loaded at once); the rest is read as it
    // is split. Throws EFileError when the file cannot be opened or read.
    static std::unique_ptr<LineFeed> FromFile(const std::filesystem::path& name);
    // A text split by the store's own rules, its last line terminated.
    static std::unique_ptr<LineFeed> FromText(std::string text);
    ~LineFeed();

    // Splits about `bytes` more of the source, giving each stored line to
    // sink in order; false once everything has been given. A file that
    // fails to read on ends the document where it failed (see Error).
    bool Step(std::size_t bytes, const Sink& sink);
    // Bytes not yet split (of a file: as its size was when opened).
    std::int64_t Remaining() const noexcept { return remaining_; }
    // Why a file ended early; empty when it did not.
    const std::string& Error() const noexcept { return error_; }

private:
    LineFeed() = default;
    bool NextPiece(std::string_view& piece);
    bool Exhausted() const noexcept;
    Sink ToStepSink();
    void FeedSplitter(std::string_view piece);
    void FinishSplitter();

    std::unique_ptr<BlockReader> reader_;
    std::deque<FileBlock> blocks_;  // read, not yet split
    std::string text_;     // the source of FromText
    std::size_t pos_ = 0;  // in the first block (or the text)
    std::int64_t remaining_ = 0;
    std::string error_;
    bool endWithNul_ = false;  // a CR LF file: a NUL behind it ends the document
    std::unique_ptr<TextSplitter> textSplitter_;
    std::unique_ptr<BreakByteSplitter> byteSplitter_;
    const Sink* sink_ = nullptr;  // the sink of the step running
};

}  // namespace tarn

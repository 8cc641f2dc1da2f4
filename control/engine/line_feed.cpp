#include "control/engine/line_feed.h"

#include <algorithm>

namespace tarn {
namespace {
// Large enough that reading costs few calls; small enough that a block is
// read in well under a millisecond and given back soon after.
constexpr std::size_t kFileBlock = 2 << 20;
}  // namespace

LineFeed::~LineFeed() = default;

std::unique_ptr<LineFeed> LineFeed::FromFile(const std::filesystem::path& name) {
    std::unique_ptr<LineFeed> f(new LineFeed);
    f->reader_ = std::make_unique<BlockReader>(name);
    BreakDetector detector;
    bool decided = false;
    while (!decided && !f->reader_->AtEnd()) {
        FileBlock b = f->reader_->Next(kFileBlock);
        if (b.size == 0) continue;
        decided = detector.Feed(b.View());
        f->blocks_.push_back(std::move(b));
    }
    std::int64_t held = 0;
    for (const FileBlock& b : f->blocks_) held += static_cast<std::int64_t>(b.size);
    f->remaining_ = f->reader_->AtEnd() ? held : std::max(held, f->reader_->Size());
    const Sink forward = f->ToStepSink();
    switch (detector.Kind()) {
        case LineBreakKind::CRLF:
            f->endWithNul_ = true;
            f->textSplitter_ = std::make_unique<TextSplitter>(TextSplitter::kTerminateLast, forward);
            break;
        case LineBreakKind::CR: f->byteSplitter_ = std::make_unique<BreakByteSplitter>('\r', forward); break;
        case LineBreakKind::LF:
        case LineBreakKind::Empty:  // the finishing step gives the lone NUL line
            f->byteSplitter_ = std::make_unique<BreakByteSplitter>('\n', forward);
            break;
    }
    return f;
}

std::unique_ptr<LineFeed> LineFeed::FromText(std::string text) {
    std::unique_ptr<LineFeed> f(new LineFeed);
    f->remaining_ = static_cast<std::int64_t>(text.size());
    f->text_ = std::move(text);
    f->textSplitter_ = std::make_unique<TextSplitter>(TextSplitter::kTerminateLast, f->ToStepSink());
    return f;
}

// The splitters live as long as the feed; each line goes to the sink of
// the step that is running.
LineFeed::Sink LineFeed::ToStepSink() {
    return [this](std::string&& line) { (*sink_)(std::move(line)); };
}

// What is left of the first unsplit block, reading the next one when none
// is held; false at the end of the source (or where reading failed).
bool LineFeed::NextPiece(std::string_view& piece) {
    if (!reader_) {
        if (pos_ >= text_.size()) return false;
        piece = std::string_view(text_).substr(pos_);
        return true;
    }
    while (!blocks_.empty() && pos_ >= blocks_.front().size) {
        // A split block goes back at once.
        blocks_.pop_front();
        pos_ = 0;
    }
    if (blocks_.empty()) {
        if (!error_.empty() || reader_->AtEnd()) return false;
        try {
            FileBlock b = reader_->Next(kFileBlock);
            if (b.size == 0) return false;
            blocks_.push_back(std::move(b));
        } catch (const std::exception& e) {
            error_ = e.what();
            return false;
        }
    }
    piece = blocks_.front().View().substr(pos_);
    return true;
}

bool LineFeed::Exhausted() const noexcept {
    if (!reader_) return pos_ >= text_.size();
    if (!error_.empty()) return true;
    const bool held = blocks_.size() > 1 || (blocks_.size() == 1 && pos_ < blocks_.front().size);
    return !held && reader_->AtEnd();
}

void LineFeed::FeedSplitter(std::string_view piece) {
    if (textSplitter_) textSplitter_->Feed(piece);
    else byteSplitter_->Feed(piece);
}

void LineFeed::FinishSplitter() {
    if (textSplitter_) {
        if (endWithNul_) textSplitter_->Feed(std::string_view("\0", 1));
        textSplitter_->Finish();
    } else {
        byteSplitter_->Finish();
    }
}

bool LineFeed::Step(std::size_t bytes, const Sink& sink) {
    if (!textSplitter_ && !byteSplitter_) return false;
    sink_ = &sink;
    bytes = std::max<std::size_t>(bytes, 1);
    std::string_view piece;
    bool more = true;
    while (bytes > 0 && (more = NextPiece(piece))) {
        const std::size_t n = std::min(bytes, piece.size());
        FeedSplitter(piece.substr(0, n));
        pos_ += n;
        remaining_ = std::max<std::int64_t>(0, remaining_ - static_cast<std::int64_t>(n));
        bytes -= n;
        // Split text goes back at once (pos_ stays past its end).
        if (!reader_ && pos_ >= text_.size()) std::string().swap(text_);
    }
    if (more && !Exhausted()) {
        sink_ = nullptr;
        return true;
    }
    // Nothing is left (or the file failed): the document ends here.
    FinishSplitter();
    textSplitter_.reset();
    byteSplitter_.reset();
    remaining_ = 0;
    sink_ = nullptr;
    return false;
}

}  // namespace tarn

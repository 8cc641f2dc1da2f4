#include "control/engine/tarn_edit.h"

#include <algorithm>

#include "control/engine/line_feed.h"

namespace tarn {

bool TTarnEdit::LoadFromFile(const std::filesystem::path& name) {
    std::unique_ptr<LineFeed> feed;
    try {
        feed = LineFeed::FromFile(name);
    } catch (const std::exception&) {
        // A file that cannot be opened or begun leaves the document as it was.
        return false;
    }
    ResetState();
    ShowNewDocument(std::move(feed));
    return true;
}

void TTarnEdit::ShowNewDocument(std::unique_ptr<LineFeed> feed) {
    // The rows come from the feed already shaped for the present layout;
    // what is not on the first screen is split when the view is idle.
    Lines.Defer(std::move(feed), FeedShaper());
    // A short document is split at once, a long one as far as a few
    // milliseconds go; the view asks for the rows of its first screen.
    constexpr std::size_t kFirstSlice = 256 * 1024;
    if (Lines.SettleSome(kFirstSlice)) View().SettleLater();
    View().UpdateScrollRanges();
    View().RepaintAll();
    MoveCaret(0, 0, Txmovemode::normal, true, true);
}

bool TTarnEdit::SettleSome(std::size_t bytes) {
    const bool more = Lines.SettleSome(bytes);
    const std::optional<std::string> end = Lines.TakeFeedEnd();
    if (!end) return more;
    if (!end->empty()) {
        // The file failed after its start was shown: what is there is not
        // the file, so it is not to be edited (and saved) as if it were.
        ReadOnly = true;
        ShowMessage(*end);
    }
    // All rows are in: the scroll range and the gutter are exact now, and a
    // view scrolled by an estimate past the end comes back to it.
    const int top = std::min(ClOffsetY, VerticalMaximum());
    const bool moved = top != ClOffsetY;
    ClOffsetY = top;
    View().UpdateScrollRanges();
    if (moved) View().RepaintAll();
    return more;
}

bool TTarnEdit::SaveToFile(const std::filesystem::path& name) const {
    try {
        Lines.SaveToFile(name);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace tarn

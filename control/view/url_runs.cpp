#include "control/view/url_runs.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "control/engine/char_routines.h"
#include "platform/codepage/codepage.h"

namespace tarn::view {
namespace {

std::string Lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool UrlStops(unsigned char c) { return c != 0 && std::strchr("\t <>[\\]`{|}", c) != nullptr; }
bool TagStops(unsigned char c) { return c != 0 && std::strchr("\t\"*,/:;<>?|", c) != nullptr; }

enum class State { none, url, tagBeforeDot, tagAfterDot };

class Scanner {
public:
    Scanner(const TTarnStrings& lines, bool singleByte) : lines_(lines), single_(singleByte) {}

    void Row(int i, std::vector<UrlRun>& out) {
        const std::string& raw = lines_.Line(i);
        if (raw == "\r\n") {
            state_ = State::none;
            return;
        }
        const bool hardEnd = IsLineTerminated(raw);
        const std::string text = Lowered(VisibleText(raw));
        const std::string next = lines_.Has(i + 1) ? Lowered(VisibleText(lines_.Line(i + 1))) : std::string();
        const std::string look = text + next;
        const int n = static_cast<int>(text.size());
        int pos = 0;  // 0-based here
        int start = 0;
        auto closeRun = [&](int endExclusive) {
            if (endExclusive > start) out.push_back({i, start + 1, endExclusive});
        };
        // A run carried over from the previous row.
        if (state_ != State::none) {
            pos = Extend(text, 0);
            start = 0;
            closeRun(pos);
            if (pos < n || hardEnd) state_ = State::none;
            if (state_ != State::none) return;
        }
        while (pos < n) {
            const unsigned char c = static_cast<unsigned char>(text[static_cast<std::size_t>(pos)]);
            if (!single_ && platform::codepage::IsLeadByte(c) && pos + 1 < n) {
                pos += 2;
                continue;
            }
            const std::string_view at = std::string_view(look).substr(static_cast<std::size_t>(pos));
            if (at.starts_with("http://") || at.starts_with("https:/") || at.starts_with("mailto:") ||
                at.starts_with("mail:")) {
                start = pos;
                state_ = State::url;
                pos = Extend(text, std::min(n, pos + 5));
            } else if (at.starts_with("tag:")) {
                start = pos;
                state_ = State::tagBeforeDot;
                pos = Extend(text, pos + 4);
            } else {
                ++pos;
                continue;
            }
            closeRun(pos);
            // Reaching the row's end keeps the run open onto a soft-wrapped
            // next row.
            if (pos < n || hardEnd) state_ = State::none;
        }
    }

private:
    // Extends the open run over text from pos; returns where it stopped.
    int Extend(const std::string& text, int pos) {
        const int n = static_cast<int>(text.size());
        while (pos < n) {
            const unsigned char c = static_cast<unsigned char>(text[static_cast<std::size_t>(pos)]);
            switch (state_) {
                case State::url:
                    if (UrlStops(c)) return pos;
                    if (!single_ && platform::codepage::IsLeadByte(c)) return pos;
                    ++pos;
                    break;
                case State::tagBeforeDot:
                    if (c == '.') state_ = State::tagAfterDot;
                    // A pair is one character: its trail byte is never the dot.
                    pos += (!single_ && platform::codepage::IsLeadByte(c) && pos + 1 < n) ? 2 : 1;
                    break;
                case State::tagAfterDot:
                    if (TagStops(c)) return pos;
                    ++pos;
                    break;
                case State::none:
                    return pos;
            }
        }
        return n;
    }

    const TTarnStrings& lines_;
    bool single_;
    State state_ = State::none;
};

}  // namespace

std::vector<UrlRun> FindUrlRuns(const TTarnStrings& lines, int a, int b, bool singleByte) {
    std::vector<UrlRun> runs;
    if (!lines.Has(0)) return runs;
    // Rows are looked at only as far as b: a document still being read is
    // not split beyond it.
    auto clampRow = [&](int y) { return y <= 0 ? 0 : lines.Has(y) ? y : lines.Count() - 1; };
    a = clampRow(a);
    b = clampRow(b);
    int first = a;
    while (first > 0 && IsWrapSegment(lines.Line(first - 1))) --first;
    Scanner scan(lines, singleByte);
    for (int i = first; i <= b; ++i) scan.Row(i, runs);
    return runs;
}

}  // namespace tarn::view

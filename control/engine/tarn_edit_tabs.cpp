#include "control/engine/tarn_edit.h"

#include <algorithm>
#include <cstdint>

#include "platform/codepage/codepage.h"

namespace tarn {

int TTarnEdit::GetTabcount(int x) const {
    // The tab stop after column x (1-based); computed wide, so that any x a
    // host passes gives a width in 1..TabCount.
    const std::int64_t t = tabCount_;
    return static_cast<int>(t - (((static_cast<std::int64_t>(x) - 1) % t + t) % t));
}

std::string TTarnEdit::Tabtospace(std::string_view s) const {
    if (s.find('\t') == std::string_view::npos) return std::string(s);
    std::string out;
    out.reserve(s.size() + 16);
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (!SingleByteMode && platform::codepage::IsLeadByte(c) && i + 1 < s.size()) {
            // A pair is one character: its trail byte is never a tab.
            out.push_back(c);
            out.push_back(s[++i]);
        } else if (c == '\t') {
            out.append(static_cast<std::size_t>(GetTabcount(static_cast<int>(out.size()) + 1)), ' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string TTarnEdit::Tabtospc(int index) const {
    index = RowIn(index);
    return Tabtospace(Lines.Line(index));
}

int TTarnEdit::CurposX2() const {
    std::string row = RowText(CurposY, FreeCaretMode() ? CurposX : 0);
    std::size_t n = std::min<std::size_t>(row.size(), static_cast<std::size_t>(std::max(0, CurposX)));
    return static_cast<int>(Tabtospace(std::string_view(row).substr(0, n)).size());
}

}  // namespace tarn

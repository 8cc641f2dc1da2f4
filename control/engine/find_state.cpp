#include "control/engine/find_state.h"

#include <algorithm>

#include "control/engine/char_routines.h"

namespace tarn {
namespace {
// The part of stored line i inside the range, from column col.
std::string_view RangePart(const TTarnStrings& lines, int i, int col, int endLine, int endDistance) {
    std::string_view s = lines.Line(i);
    std::size_t end = s.size();
    if (i == endLine) end = end > static_cast<std::size_t>(std::max(0, endDistance)) ? end - static_cast<std::size_t>(std::max(0, endDistance)) : 0;
    // The end-of-text mark is not text anyone can find or replace.
    if (end == s.size() && HasEofMark(s)) --end;
    const std::size_t from = std::min(static_cast<std::size_t>(std::max(0, col)), end);
    return s.substr(from, end - from);
}
}  // namespace

std::string BuildSearchText(const TTarnStrings& lines, int line, int col, int endLine, int endDistance,
                            std::size_t want, int& firstPart) {
    firstPart = 0;
    if (line < 0 || line >= lines.Count() || line > endLine) return std::string();
    endLine = std::min(endLine, lines.Count() - 1);
    std::string text(RangePart(lines, line, col, endLine, endDistance));
    firstPart = static_cast<int>(text.size());
    // Enough of the lines below that a match starting anywhere in this
    // line's part can be completed.
    const std::size_t need = text.size() + (want > 0 ? want - 1 : 0);
    for (int i = line + 1; i <= endLine && text.size() < need; ++i) text += RangePart(lines, i, 0, endLine, endDistance);
    return text;
}

std::optional<TTextHit> SanitizeHit(std::string_view text, int firstPart, int x, int len, bool singleByte) {
    const int size = static_cast<int>(text.size());
    firstPart = std::min(firstPart, size);
    if (x < 1 || x > firstPart) return std::nullopt;
    int start = x - 1;
    int end = start + std::clamp(len, 1, size - start);
    // A hit begins and ends on character boundaries; a match reported from
    // inside a character is taken to mean the whole character.
    if (start > 0 && (SplitsCharacter(text, start, singleByte) || (text[start] == '\n' && text[start - 1] == '\r')))
        --start;
    if (end < size && (SplitsCharacter(text, end, singleByte) || (text[end] == '\n' && text[end - 1] == '\r'))) ++end;
    return TTextHit{start, end - start};
}

}  // namespace tarn

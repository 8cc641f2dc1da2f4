// The small byte routines the whole engine leans on: where a double-byte
// character starts, how a stored line ends, and what of it is visible.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace tarn {

enum ByteType { kSingleByte = 0, kLeadByte = 1, kTrailByte = 2 };

// Classifies the byte at 1-based position pos of s. Single-byte mode, and a
// position outside 1..length, give kSingleByte.
ByteType GetByteType(std::string_view s, int pos, bool singleByte) noexcept;

inline bool IsLineTerminated(std::string_view s) noexcept {
    return !s.empty() && (s.back() == '\n' || s.back() == '\0');
}
inline bool HasEofMark(std::string_view s) noexcept { return !s.empty() && s.back() == '\0'; }
inline bool HasLineBreak(std::string_view s) noexcept { return !s.empty() && s.back() == '\n'; }
// A stored line that continues on the next stored line.
inline bool IsWrapSegment(std::string_view s) noexcept { return !IsLineTerminated(s); }

// The visible text: without a final NUL, or without the CR LF before a final LF.
std::string_view VisibleText(std::string_view s) noexcept;
inline int VisibleLength(std::string_view s) noexcept { return static_cast<int>(VisibleText(s).size()); }
inline std::string StripLineEnd(std::string_view s) { return std::string(VisibleText(s)); }
inline std::string StripEofMark(std::string_view s) {
    return std::string(HasEofMark(s) ? s.substr(0, s.size() - 1) : s);
}

template <class T>
void OrderPair(T& a, T& b) noexcept {
    if (b < a) std::swap(a, b);
}

// True when column col (0-based) of s lies between the two bytes of a
// double-byte character.
inline bool SplitsCharacter(std::string_view s, int col, bool singleByte) noexcept {
    return col > 0 && col < static_cast<int>(s.size()) && GetByteType(s, col + 1, singleByte) == kTrailByte;
}

// Byte length of the character starting at 0-based column col (1 or 2).
int CharLengthAt(std::string_view s, int col, bool singleByte) noexcept;
// Byte length of the character that ends just before column col (1 or 2).
int CharLengthBefore(std::string_view s, int col, bool singleByte) noexcept;

}  // namespace tarn

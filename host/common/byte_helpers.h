// Byte measures of text in the code page. The editor control counts columns
// in Shift_JIS bytes, while the host holds UTF-16 text; these helpers bridge
// the two without converting whole strings.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quenby {

// Bytes one UTF-16 unit takes in the code page: 1 or 2, or 0 when the code
// page has no such character (it is written as '?'). Only meaningful for
// units that are not surrogates; LenBin handles those. Taken from
// platform::codepage::Encode, once, on first use.
const std::array<std::uint8_t, 0x10000>& CodePageWidths();
inline int CodePageWidth(char16_t c) { return CodePageWidths()[c]; }

// The number of bytes s takes in the code page, exactly what
// platform::codepage::Encode produces: a character the code page cannot hold
// counts 1 (it becomes '?'), a surrogate pair counts 1 (one '?' for the whole
// character), and a lone surrogate counts 1 (a carried invalid byte
// U+DC80..U+DCFF goes back out as that byte, any other becomes '?').
// Saturates at INT32_MAX.
std::int32_t LenBin(std::u16string_view s);

// The 1-based byte position of the first s2 in s1, searched from the 1-based
// character position start: LenBin of the first k characters of s1, where k
// is the character position of the hit, so for a hit whose first character
// takes two bytes this is the position of its second byte. 0 when there is
// no hit.
//
// Character positions are UTF-16 code units (a character outside the BMP
// is two positions), as everywhere else in the host.
// compare 0: exact; any other value: letters compared without case, for the
// ASCII and the full-width Latin letters.
// start < 1 counts as 1; start beyond the end of s1 (and an empty s1) gives
// 0. An empty s2 is found at start, as the classic InStr has it, so the
// result is LenBin of the first start characters.
std::int32_t InStrByte(std::int32_t start, std::u16string_view s1, std::u16string_view s2, std::int32_t compare);

}  // namespace quenby

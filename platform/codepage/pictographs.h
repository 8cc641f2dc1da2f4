// The handsets' pictographs: two-byte codes with lead byte F8 or F9, inside
// the code page's user-defined area. Decode and Encode carry them as the
// private-use characters the code page gives that area, which other programs
// show as nothing in particular; here they are tied to the Unicode emoji
// they stand for (Unicode's own table of handset codes, read when the
// system is built), for the edges where text leaves or enters the control.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage/codepage.h"

namespace platform::codepage {

// The 166 pictographs every handset has: F89F-F8FC, F940-F949, F972-F97E,
// F980-F9B0.
bool IsBasicPictograph(std::uint16_t code) noexcept;
// A basic pictograph, or an extended one Unicode has an emoji for.
bool IsPictograph(std::uint16_t code) noexcept;

// The pictograph whose code starts at bytes[i] (which must be a character
// boundary), or 0.
std::uint16_t PictographAt(std::string_view bytes, std::size_t i) noexcept;

// Every pictograph in bytes, walked character by character, with the
// offset of its lead byte.
struct PictographPlace {
    std::size_t offset = 0;
    std::uint16_t code = 0;
};
std::vector<PictographPlace> FindPictographs(std::string_view bytes);

// The emoji for a code as UTF-16, without presentation selectors (as
// Unicode's table gives it); empty when there is none.
std::u16string PictographToUnicode(std::uint16_t code);

// Every code that has an emoji: basic codes first, then the extended ones.
std::span<const std::uint16_t> MappedPictographs() noexcept;

struct PictographMatch {
    std::uint16_t code = 0;   // 0: no emoji starts here
    std::size_t length = 0;   // UTF-16 units taken, selectors included
};
// The longest emoji sequence starting at text[pos] that a pictograph stands
// for. A variation selector (U+FE0F, or U+FE0E) may follow any of its code
// points and is taken with it. Where two codes share an emoji the basic one
// wins.
PictographMatch PictographFromUnicode(std::u16string_view text, std::size_t pos);

// Palette numbers 1..166 of the basic pictographs, in the order the
// handsets number them (the program's pictures are named by them).
std::uint16_t PictographCodeOfNumber(int n) noexcept;
int PictographNumber(std::uint16_t code) noexcept;  // 0 when not basic

// Decode, with every pictograph that has an emoji written as that emoji:
// what other programs are given. Other pictographs stay as Decode gives them.
Decoded DecodeForExchange(std::string_view bytes);
// Encode, with every emoji a pictograph stands for written as that
// pictograph's code; `defaulted` counts what still became kDefaultChar.
Encoded EncodeForExchange(std::u16string_view text);

}  // namespace platform::codepage

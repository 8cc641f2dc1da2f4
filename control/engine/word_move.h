// Where the word moves and word deletions of the keyboard land. A word is a
// run of characters of one class; the classes keep hiragana, katakana,
// kanji, full-width letters, full-width symbols, half-width katakana, ASCII
// words and ASCII punctuation apart, so that a move stops where Japanese
// text changes script.
#pragma once

#include <string_view>

namespace tarn {

enum WordClass {
    kClassHiragana = 0,
    kClassKatakana = 1,
    kClassKanji = 2,  // and every double-byte code not listed elsewhere
    kClassWideAlnum = 3,
    kClassWideSymbol = 4,
    kClassHalfKana = 5,
    kClassWord = 6,   // ASCII digits, letters and @[\]^_`{|}~
    kClassBlank = 7,  // controls, space and the other ASCII punctuation
};

// The class of a single byte (code < 0x100) or of a double-byte character
// (lead * 256 + trail).
WordClass CharClassOfCode(unsigned code) noexcept;

// The class of the character starting at column col of s.
WordClass CharClassAt(std::string_view s, int col, bool singleByte) noexcept;

// The column at the end of the run of same-class characters after col. The
// run never passes a NUL, TAB or CR (nor, with freeCaret, an LF); when the
// character after col is one of those, col itself comes back.
int WordRightColumn(std::string_view line, int col, bool singleByte, bool freeCaret) noexcept;

// The column at the start of the run of same-class characters before col;
// 0 at the start of the line.
int WordLeftColumn(std::string_view line, int col, bool singleByte) noexcept;

}  // namespace tarn

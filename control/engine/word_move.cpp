#include "control/engine/word_move.h"

#include <algorithm>

#include "control/engine/char_routines.h"

namespace tarn {

WordClass CharClassOfCode(unsigned code) noexcept {
    if (code < 0x100) {
        if ((code >= 0x30 && code <= 0x39) || (code >= 0x40 && code <= 0x7F)) return kClassWord;
        if (code >= 0x80 && code <= 0xA5) return kClassKanji;
        if (code >= 0xA6 && code <= 0xDF) return kClassHalfKana;
        return kClassBlank;
    }
    if (code >= 0x829F && code <= 0x82FF) return kClassHiragana;
    if (code >= 0x8340 && code <= 0x8396) return kClassKatakana;
    if (code >= 0x824F && code <= 0x829E) return kClassWideAlnum;
    if ((code >= 0x8140 && code <= 0x824E) || (code >= 0x8397 && code <= 0x889E)) return kClassWideSymbol;
    return kClassKanji;
}

namespace {
unsigned Byte(std::string_view s, int i) noexcept { return static_cast<unsigned char>(s[static_cast<std::size_t>(i)]); }

// A character fits only when both of its bytes are there.
int LengthAt(std::string_view s, int col, bool singleByte) noexcept {
    const int len = CharLengthAt(s, col, singleByte);
    return col + len <= static_cast<int>(s.size()) ? len : 1;
}

unsigned CodeAt(std::string_view s, int col, int len) noexcept {
    return len == 2 ? Byte(s, col) * 256 + Byte(s, col + 1) : Byte(s, col);
}

bool StopsRun(unsigned b, bool freeCaret) noexcept {
    return b == 0 || b == '\t' || b == '\r' || (freeCaret && b == '\n');
}
}  // namespace

WordClass CharClassAt(std::string_view s, int col, bool singleByte) noexcept {
    if (col < 0 || col >= static_cast<int>(s.size())) return kClassBlank;
    const int len = LengthAt(s, col, singleByte);
    return CharClassOfCode(CodeAt(s, col, len));
}

int WordRightColumn(std::string_view line, int col, bool singleByte, bool freeCaret) noexcept {
    const int n = static_cast<int>(line.size());
    if (col < 0) col = 0;
    if (col >= n || StopsRun(Byte(line, col), freeCaret)) return std::min(col, n);
    const WordClass cls = CharClassAt(line, col, singleByte);
    while (col < n && !StopsRun(Byte(line, col), freeCaret)) {
        const int len = LengthAt(line, col, singleByte);
        if (CharClassOfCode(CodeAt(line, col, len)) != cls) break;
        col += len;
    }
    return col;
}

int WordLeftColumn(std::string_view line, int col, bool singleByte) noexcept {
    col = std::clamp(col, 0, static_cast<int>(line.size()));
    if (col == 0) return 0;
    auto before = [&](int c) {
        const int len = CharLengthBefore(line, c, singleByte);
        return std::min(len, c);
    };
    const int first = before(col);
    const WordClass cls = CharClassOfCode(CodeAt(line, col - first, first));
    while (col > 0) {
        const int len = before(col);
        if (CharClassOfCode(CodeAt(line, col - len, len)) != cls) break;
        col -= len;
    }
    return col;
}

}  // namespace tarn

#include "control/engine/word_move.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/codepage/codepage.h"

namespace tarn {
namespace {

std::string J(std::string_view utf8) { return platform::codepage::Utf8ToBytes(utf8); }
int Len(std::string_view utf8) { return static_cast<int>(J(utf8).size()); }

TEST(CharClass, EachRowOfTheTableAtItsEdges) {
    EXPECT_EQ(CharClassOfCode(0x829F), kClassHiragana);
    EXPECT_EQ(CharClassOfCode(0x82FF), kClassHiragana);
    EXPECT_EQ(CharClassOfCode(0x8340), kClassKatakana);
    EXPECT_EQ(CharClassOfCode(0x8396), kClassKatakana);
    EXPECT_EQ(CharClassOfCode(0x824F), kClassWideAlnum);
    EXPECT_EQ(CharClassOfCode(0x829E), kClassWideAlnum);
    EXPECT_EQ(CharClassOfCode(0x8140), kClassWideSymbol);
    EXPECT_EQ(CharClassOfCode(0x824E), kClassWideSymbol);
    EXPECT_EQ(CharClassOfCode(0x8397), kClassWideSymbol);
    EXPECT_EQ(CharClassOfCode(0x889E), kClassWideSymbol);
    EXPECT_EQ(CharClassOfCode(0x889F), kClassKanji);
    EXPECT_EQ(CharClassOfCode(0x813F), kClassKanji);
    EXPECT_EQ(CharClassOfCode(0xE040), kClassKanji);

    EXPECT_EQ(CharClassOfCode(0x80), kClassKanji);
    EXPECT_EQ(CharClassOfCode(0xA5), kClassKanji);
    EXPECT_EQ(CharClassOfCode(0xA6), kClassHalfKana);
    EXPECT_EQ(CharClassOfCode(0xDF), kClassHalfKana);
    EXPECT_EQ(CharClassOfCode('0'), kClassWord);
    EXPECT_EQ(CharClassOfCode('9'), kClassWord);
    EXPECT_EQ(CharClassOfCode('@'), kClassWord);
    EXPECT_EQ(CharClassOfCode('_'), kClassWord);
    EXPECT_EQ(CharClassOfCode('~'), kClassWord);
    EXPECT_EQ(CharClassOfCode(0x7F), kClassWord);
    EXPECT_EQ(CharClassOfCode(' '), kClassBlank);
    EXPECT_EQ(CharClassOfCode('/'), kClassBlank);
    EXPECT_EQ(CharClassOfCode(':'), kClassBlank);
    EXPECT_EQ(CharClassOfCode('?'), kClassBlank);
    EXPECT_EQ(CharClassOfCode(0xE0), kClassBlank);
    EXPECT_EQ(CharClassOfCode(0xFF), kClassBlank);
}

TEST(CharClass, ReadsCharactersFromText) {
    const std::string s = J("あア亜Ａ、ｱa ");
    EXPECT_EQ(CharClassAt(s, 0, false), kClassHiragana);
    EXPECT_EQ(CharClassAt(s, 2, false), kClassKatakana);
    EXPECT_EQ(CharClassAt(s, 4, false), kClassKanji);
    EXPECT_EQ(CharClassAt(s, 6, false), kClassWideAlnum);
    EXPECT_EQ(CharClassAt(s, 8, false), kClassWideSymbol);
    EXPECT_EQ(CharClassAt(s, 10, false), kClassHalfKana);
    EXPECT_EQ(CharClassAt(s, 11, false), kClassWord);
    EXPECT_EQ(CharClassAt(s, 12, false), kClassBlank);
    // In single-byte mode a lead byte is a character of its own.
    EXPECT_EQ(CharClassAt(s, 0, true), CharClassOfCode(static_cast<unsigned char>(s[0])));
    // A lead byte with no trail at the end counts alone.
    EXPECT_EQ(CharClassAt("\x82", 0, false), kClassKanji);
    EXPECT_EQ(CharClassAt(s, 99, false), kClassBlank);
}

// "ひらがなカタカナ漢字ＡＢＣabc123ｶﾀｶﾅ、。 x"
class WordRun : public ::testing::Test {
protected:
    const std::string line = J("ひらがなカタカナ漢字ＡＢＣabc123ｶﾀｶﾅ、。  x\r\n");
    const int hira = Len("ひらがな");
    const int kata = hira + Len("カタカナ");
    const int kanji = kata + Len("漢字");
    const int wide = kanji + Len("ＡＢＣ");
    const int ascii = wide + Len("abc123");
    const int half = ascii + Len("ｶﾀｶﾅ");
    const int sym = half + Len("、。");
    const int blanks = sym + 2;
    const int end = blanks + 1;
};

TEST_F(WordRun, RightStopsWhereTheScriptChanges) {
    std::vector<int> stops;
    int c = 0;
    for (int guard = 0; guard < 20; ++guard) {
        const int n = WordRightColumn(line, c, false, false);
        if (n == c) break;
        stops.push_back(n);
        c = n;
    }
    EXPECT_EQ(stops, (std::vector<int>{hira, kata, kanji, wide, ascii, half, sym, blanks, end}));
    // From inside a run the move goes to that run's end.
    EXPECT_EQ(WordRightColumn(line, 2, false, false), hira);
    EXPECT_EQ(WordRightColumn(line, wide + 1, false, false), ascii);
}

TEST_F(WordRun, LeftStopsWhereTheScriptChanges) {
    std::vector<int> stops;
    int c = end;
    while (c > 0) {
        const int n = WordLeftColumn(line, c, false);
        ASSERT_LT(n, c);
        stops.push_back(n);
        c = n;
    }
    EXPECT_EQ(stops, (std::vector<int>{blanks, sym, half, ascii, wide, kanji, kata, hira, 0}));
    EXPECT_EQ(WordLeftColumn(line, 0, false), 0);
    EXPECT_EQ(WordLeftColumn(line, kata - 2, false), hira);
}

TEST(WordRunStops, RightNeverPassesTabCrOrEnd) {
    EXPECT_EQ(WordRightColumn("ab\tcd", 0, false, false), 2);
    EXPECT_EQ(WordRightColumn("ab\tcd", 2, false, false), 2);  // before the TAB: no run
    EXPECT_EQ(WordRightColumn(std::string("ab\0", 3), 0, false, false), 2);
    EXPECT_EQ(WordRightColumn(std::string("ab\0", 3), 2, false, false), 2);
    // Space and TAB share a class, yet the TAB still ends the run.
    EXPECT_EQ(WordRightColumn("  \t ", 0, false, false), 2);
    EXPECT_EQ(WordRightColumn("ab\r\n", 0, false, false), 2);
    EXPECT_EQ(WordRightColumn("ab\r\n", 2, false, false), 2);
    // A lone LF ends the run only in free-caret mode.
    EXPECT_EQ(WordRightColumn("..\n", 0, false, false), 3);
    EXPECT_EQ(WordRightColumn("..\n", 0, false, true), 2);
    EXPECT_EQ(WordRightColumn("ab", 5, false, false), 2);
    EXPECT_EQ(WordRightColumn("", 0, false, false), 0);
}

TEST(WordRunStops, SingleByteModeSplitsKana) {
    const std::string s = J("あい");  // 82 A0 82 A2
    EXPECT_EQ(WordRightColumn(s, 0, false, false), 4);
    // Byte by byte: 0x82 is class 2, 0xA0 class 2, so the run still crosses;
    // 0xA2 is 0x80..0xA5 too.
    EXPECT_EQ(WordRightColumn(s, 0, true, false), 4);
    const std::string k = J("ア");  // 83 41: 0x83 class 2, 'A' class 6
    EXPECT_EQ(WordRightColumn(k, 0, true, false), 1);
    EXPECT_EQ(WordRightColumn(k, 0, false, false), 2);
}

TEST(WordRunStops, LeftOverATabAndAtLineStart) {
    EXPECT_EQ(WordLeftColumn("ab\tcd", 3, false), 2);
    EXPECT_EQ(WordLeftColumn("ab cd", 3, false), 2);
    EXPECT_EQ(WordLeftColumn("abcd", 4, false), 0);
    EXPECT_EQ(WordLeftColumn("abcd", 9, false), 0);  // clamped to the line
}

}  // namespace
}  // namespace tarn

#include "host/common/byte_helpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "platform/codepage/codepage.h"

namespace {

using quenby::CodePageWidth;
using quenby::InStrByte;
using quenby::LenBin;

// ---- LenBin -------------------------------------------------------------------

struct LenCase {
    const char* name;
    std::u16string text;
    std::int32_t bytes;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const LenCase& c, std::ostream* os) { *os << c.name; }

class LenBinCases : public testing::TestWithParam<LenCase> {};

TEST_P(LenBinCases, CountsCodePageBytes) {
    const LenCase& c = GetParam();
    EXPECT_EQ(LenBin(c.text), c.bytes);
    EXPECT_EQ(static_cast<std::size_t>(LenBin(c.text)), platform::codepage::ToBytes(c.text).size());
}

INSTANTIATE_TEST_SUITE_P(
    Text, LenBinCases,
    testing::Values(LenCase{"Empty", u"", 0},
                    LenCase{"Ascii", u"<BR>", 4},
                    LenCase{"Hiragana", u"あいう", 6},
                    LenCase{"Mixed", u"<P>日本語</P>", 13},
                    LenCase{"HalfWidthKatakana", u"ｱｲｳ", 3},
                    LenCase{"FullWidthLatin", u"ＡＢ", 4},
                    LenCase{"HangulIsOneQuestionMark", u"a한b", 3},
                    LenCase{"EmojiPairIsOneQuestionMark", u"a\U0001F600b", 3},
                    LenCase{"LoneHighSurrogate", u"a\xD800", 2},
                    LenCase{"LoneLowSurrogate", u"\xDC00z", 2},
                    LenCase{"CarriedInvalidBytes", u"\xDC80\xDCFF\xDCA0", 3},
                    LenCase{"HighThenCarriedByteIsAPair", u"\xD800\xDC80", 1},
                    LenCase{"TwoHighSurrogates", u"\xD800\xD800", 2},
                    LenCase{"CircledDigit", u"①", 2}),
    [](const testing::TestParamInfo<LenCase>& info) { return std::string(info.param.name); });

// The table behind LenBin is taken from the code page once; every BMP
// character must come out as the converter writes it.
TEST(LenBinTable, EveryBmpCharacterAgreesWithTheCodePage) {
    for (std::uint32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const auto u = static_cast<char16_t>(c);
        const auto e = platform::codepage::Encode(std::u16string_view(&u, 1));
        ASSERT_EQ(LenBin(std::u16string_view(&u, 1)), static_cast<std::int32_t>(e.bytes.size())) << std::hex << c;
        ASSERT_EQ(CodePageWidth(u), e.defaulted ? 0 : static_cast<int>(e.bytes.size())) << std::hex << c;
    }
}

// ---- InStrByte ------------------------------------------------------------------

struct FindCase {
    const char* name;
    std::int32_t start;
    std::u16string s1;
    std::u16string s2;
    std::int32_t compare;
    std::int32_t byte;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class InStrByteCases : public testing::TestWithParam<FindCase> {};

TEST_P(InStrByteCases, GivesTheBytePosition) {
    const FindCase& c = GetParam();
    EXPECT_EQ(InStrByte(c.start, c.s1, c.s2, c.compare), c.byte);
}

INSTANTIATE_TEST_SUITE_P(
    Search, InStrByteCases,
    testing::Values(
        FindCase{"AsciiHit", 1, u"ab<cd", u"<", 0, 3},
        // The design's sentence: a double-byte hit gives its second byte.
        FindCase{"DoubleByteHitGivesItsSecondByte", 1, u"ab日本", u"日", 0, 4},
        FindCase{"DoubleByteHitAtTheStart", 1, u"日本", u"日本", 0, 2},
        FindCase{"HitAfterDoubleByteCharacters", 1, u"日本<B>", u"<", 0, 5},
        FindCase{"HitAfterHalfWidthKatakana", 1, u"ｱｲ<", u"<", 0, 3},
        FindCase{"HitAfterUnmappableCharacter", 1, u"한<", u"<", 0, 2},
        FindCase{"HitAfterSurrogatePair", 1, u"\U0001F600<", u"<", 0, 2},
        FindCase{"NoHit", 1, u"日本語", u"<", 0, 0},
        FindCase{"SearchLongerThanText", 1, u"ab", u"abc", 0, 0},
        FindCase{"StartSkipsAnEarlierHit", 2, u"<a>日<b>", u"<", 0, 6},
        FindCase{"StartOnTheHit", 5, u"<a>日<b>", u"<", 0, 6},
        FindCase{"StartAfterTheLastHit", 6, u"<a>日<b>", u"<", 0, 0},
        FindCase{"StartZeroCountsAsOne", 0, u"x<", u"<", 0, 2},
        FindCase{"NegativeStartCountsAsOne", -7, u"x<", u"<", 0, 2},
        FindCase{"StartOnTheLastCharacter", 3, u"ab<", u"<", 0, 3},
        FindCase{"StartBeyondTheEnd", 4, u"ab<", u"<", 0, 0},
        FindCase{"EmptyText", 1, u"", u"<", 0, 0},
        FindCase{"ExactIsCaseSensitive", 1, u"<A HREF>", u"href", 0, 0},
        FindCase{"TextCompareFoldsAscii", 1, u"<A HREF>", u"href", 1, 4},
        FindCase{"TextCompareFoldsFullWidthLatin", 1, u"日ＡＢＣ", u"ｂｃ", 1, 6},
        FindCase{"ExactKeepsFullWidthCase", 1, u"日ＡＢＣ", u"ｂｃ", 0, 0},
        FindCase{"FullWidthIsNotAscii", 1, u"ＡＢＣ", u"b", 1, 0},
        FindCase{"TextCompareLeavesKanaAlone", 1, u"アあ", u"あ", 1, 4},
        // An empty search text is found at start, as the classic InStr does.
        FindCase{"EmptySearchAtStart", 1, u"日本語", u"", 0, 2},
        FindCase{"EmptySearchAtLaterStart", 3, u"日本語", u"", 0, 6},
        FindCase{"EmptySearchBeyondTheEnd", 4, u"日本語", u"", 0, 0},
        FindCase{"EmptySearchInEmptyText", 1, u"", u"", 0, 0}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

// The tag colouring paints from column b - 1 for LenBin(tag) bytes: the
// tag's bytes in the code page must be exactly those.
TEST(InStrByteColumns, TagFoundAfterJapaneseStartsAtItsByteColumn) {
    const std::u16string line = u"見出し<A HREF=x.htm>リンク</A>";
    const std::u16string tag = u"<A HREF=x.htm>";
    const std::int32_t b = InStrByte(1, line, u"<", 0);
    const std::string bytes = platform::codepage::ToBytes(line);
    const std::string tagBytes = platform::codepage::ToBytes(tag);
    ASSERT_EQ(b, 7);
    EXPECT_EQ(bytes.substr(static_cast<std::size_t>(b - 1), static_cast<std::size_t>(LenBin(tag))), tagBytes);
}

}  // namespace

#include "host/common/utf8.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/codepage/codepage.h"

namespace {

using quenby::DecodeUtf8;
using quenby::DecodeUtf8Counted;
using quenby::IsUtf8;

std::string Bytes(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}

std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

// ---- recognition ----------------------------------------------------------

struct RecognitionCase {
    const char* name;
    std::string bytes;
    std::size_t count;
    bool utf8;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const RecognitionCase& c, std::ostream* os) { *os << c.name; }

class IsUtf8Cases : public testing::TestWithParam<RecognitionCase> {};

TEST_P(IsUtf8Cases, Judges) {
    const RecognitionCase& c = GetParam();
    EXPECT_EQ(IsUtf8(c.bytes, c.count), c.utf8);
}

const std::string kAi = U8(u8"あい");  // two three-byte sequences

INSTANTIATE_TEST_SUITE_P(
    Walk, IsUtf8Cases,
    testing::Values(
        RecognitionCase{"TwoJapaneseCharacters", kAi, 1024, true},
        RecognitionCase{"OneJapaneseCharacterAlone", U8(u8"あ"), 1024, false},
        RecognitionCase{"OneAmongAscii", U8(u8"<p>あ</p>"), 1024, false},
        RecognitionCase{"PureAscii", "<html><body>text</body></html>", 1024, false},
        RecognitionCase{"EmptyBytes", "", 1024, false},
        RecognitionCase{"ZeroCount", kAi, 0, false},
        RecognitionCase{"TwoByteSequencesCount", U8(u8"éü"), 1024, true},
        RecognitionCase{"ShiftJisText", platform::codepage::ToBytes(u"あいうえお"), 1024, false},
        // Two good sequences are not enough once a later byte breaks the rules.
        RecognitionCase{"ContinuationWhereLeadExpected", kAi + Bytes({0x82, 0xA0}), 1024, false},
        RecognitionCase{"LeadFollowedByAscii", kAi + Bytes({0xC3, 'a'}), 1024, false},
        RecognitionCase{"LeadWithSecondContinuationWrong", kAi + Bytes({0xE3, 0x81, 'x', 'y'}), 1024, false},
        // Shift_JIS half-width katakana followed by a kanji: 0xB1 is a
        // continuation byte standing where a lead byte belongs.
        RecognitionCase{"ShiftJisKatakana", Bytes({0xB1, 0xB2, 0x8A, 0xBF}), 1024, false},
        // The window: a sequence cut by it is not judged, bytes beyond it are
        // not looked at, and a count beyond the data means the whole data.
        RecognitionCase{"CutSequenceAtTheEndNotJudged", kAi + Bytes({0xE3, 0x81}), 1024, true},
        RecognitionCase{"SecondSequenceCutByWindow", kAi, 5, false},
        RecognitionCase{"SecondSequenceJustInsideWindow", kAi, 6, true},
        RecognitionCase{"BadByteBeyondWindowIgnored", kAi + Bytes({0x80}), 6, true},
        RecognitionCase{"BadByteAtWindowEdgeSeen", kAi + Bytes({0x80}), 7, false},
        RecognitionCase{"CutSequenceIsNotCheckedEither", kAi + Bytes({0xE3, 'x', 'y'}), 8, true},
        // The loose rule of the old reader: long and overlong lead bytes are
        // counted, 0xFE and 0xFF are passed over.
        RecognitionCase{"FiveByteSequences", Bytes({0xF8, 0x80, 0x80, 0x80, 0x80, 0xF8, 0x80, 0x80, 0x80, 0x80}),
                        1024, true},
        RecognitionCase{"SixByteSequences",
                        Bytes({0xFC, 0x80, 0x80, 0x80, 0x80, 0x80, 0xFD, 0xBF, 0xBF, 0xBF, 0xBF, 0xBF}), 1024, true},
        RecognitionCase{"OverlongTwoByteCounted", Bytes({0xC0, 0x80, 0xC1, 0xBF}), 1024, true},
        RecognitionCase{"FeFfSkipped", Bytes({0xFE, 0xFF}) + kAi, 1024, true},
        RecognitionCase{"FeFfAloneIsNotUtf8", Bytes({0xFE, 0xFF, 0xFE}), 1024, false}),
    [](const testing::TestParamInfo<RecognitionCase>& info) { return std::string(info.param.name); });

// Long ASCII stretches are skipped in blocks; a multi-byte sequence or a
// stray byte at any offset must still be seen.
TEST(IsUtf8Offsets, SequencesAndStrayBytesSeenAtEveryOffset) {
    for (std::size_t lead = 0; lead < 24; ++lead) {
        for (std::size_t gap = 0; gap < 12; ++gap) {
            std::string s(lead, 'a');
            s += U8(u8"あ");
            s += std::string(gap, 'b');
            s += U8(u8"い");
            s += std::string(9, 'c');
            EXPECT_TRUE(IsUtf8(s, s.size())) << lead << ' ' << gap;
            std::string bad = s;
            bad.insert(lead + 3 + gap, 1, '\x80');
            EXPECT_FALSE(IsUtf8(bad, bad.size())) << lead << ' ' << gap;
            std::string one(lead, 'a');
            one += U8(u8"あ");
            one += std::string(gap, 'b');
            EXPECT_FALSE(IsUtf8(one, one.size())) << lead << ' ' << gap;
        }
    }
}

// ---- decoding -------------------------------------------------------------

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string text;  // with "?" as the replacement
    std::size_t replaced;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeUtf8Cases : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Cases, Decodes) {
    const DecodeCase& c = GetParam();
    const auto d = DecodeUtf8Counted(c.bytes, u"?");
    EXPECT_EQ(d.text, c.text);
    EXPECT_EQ(d.replaced, c.replaced);
    EXPECT_EQ(DecodeUtf8(c.bytes, u"?"), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, DecodeUtf8Cases,
    testing::Values(
        DecodeCase{"Empty", "", u"", 0},
        DecodeCase{"Ascii", "<a href=x>", u"<a href=x>", 0},
        DecodeCase{"ThreeByteHiragana", Bytes({0xE3, 0x81, 0x82}), u"\u3042", 0},
        DecodeCase{"TwoByteLowest", Bytes({0xC2, 0x80}), u"\u0080", 0},
        DecodeCase{"TwoByteHighest", Bytes({0xDF, 0xBF}), u"\u07FF", 0},
        DecodeCase{"ThreeByteHighest", Bytes({0xEF, 0xBF, 0xBF}), u"\uFFFF", 0},
        DecodeCase{"MixedWithAscii", U8(u8"a日本b"), u"a日本b", 0},
        DecodeCase{"OverlongTwoByteReplacedTwice", Bytes({0xC0, 0x80}), u"??", 2},
        DecodeCase{"C1LeadReplaced", Bytes({0xC1, 0xBF}), u"??", 2},
        DecodeCase{"FourByteEmojiReplacedPerByte", Bytes({0xF0, 0x9F, 0x98, 0x80}), u"????", 4},
        DecodeCase{"OverlongThreeByteKept", Bytes({0xE0, 0x81, 0x81}), u"A", 0},
        DecodeCase{"OverlongThreeByteNul", Bytes({0xE0, 0x80, 0x80}), std::u16string(1, u'\0'), 0},
        DecodeCase{"SurrogateCodePointKept", Bytes({0xED, 0xA0, 0x80}), u"\xD800", 0},
        DecodeCase{"StrayContinuation", Bytes({'a', 0x80, 'b', 0xBF}), u"a?b?", 2},
        DecodeCase{"TruncatedAtEnd", Bytes({'x', 0xE3, 0x81}), u"x??", 2},
        DecodeCase{"ThreeByteBrokenAtThird", Bytes({0xE3, 0x81, 'A'}), u"??A", 2},
        DecodeCase{"ThreeByteBrokenAtSecond", Bytes({0xE3, 'A', 0x82}), u"?A?", 2},
        DecodeCase{"TwoByteBroken", Bytes({0xC2, 'A'}), u"?A", 1},
        DecodeCase{"LeadThenLead", Bytes({0xE3, 0xE3, 0x81, 0x82}), u"?\u3042", 1},
        DecodeCase{"FeFf", Bytes({0xFE, 0xFF}), u"??", 2},
        DecodeCase{"ShiftJisBytes", platform::codepage::ToBytes(u"あい"), u"????", 4}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(DecodeUtf8Replacement, EmptyReplacementAppendsNothing) {
    const auto d = DecodeUtf8Counted(Bytes({'a', 0xC0, 0x80, 'b', 0xF0, 0x9F, 0x98, 0x80}), u"");
    EXPECT_EQ(d.text, u"ab");
    EXPECT_EQ(d.replaced, 6u);
}

TEST(DecodeUtf8Replacement, LongReplacementGoesInWhole) {
    // More output than input: every replaced byte gives three units.
    std::string bytes;
    std::u16string expected;
    for (int i = 0; i < 5000; ++i) {
        bytes += '\x80';
        expected += u"<?>";
        if (i % 7 == 0) {
            bytes += U8(u8"あ");
            expected += u"あ";
        }
    }
    const auto d = DecodeUtf8Counted(bytes, u"<?>");
    EXPECT_EQ(d.text, expected);
    EXPECT_EQ(d.replaced, 5000u);
}

TEST(DecodeUtf8Replacement, ReplacementMayBeNonAscii) {
    EXPECT_EQ(DecodeUtf8(Bytes({0x80, 'x'}), u"\uFFFD"), u"\uFFFDx");
}

TEST(DecodeUtf8Offsets, AsciiBlocksJoinMultiByteCharactersAtEveryOffset) {
    for (std::size_t lead = 0; lead < 20; ++lead) {
        for (std::size_t tail = 0; tail < 20; ++tail) {
            const std::string bytes = std::string(lead, 'a') + U8(u8"漢") + std::string(tail, 'z') + "\x80";
            const std::u16string text = std::u16string(lead, u'a') + u"漢" + std::u16string(tail, u'z') + u"?";
            EXPECT_EQ(DecodeUtf8(bytes, u"?"), text) << lead << ' ' << tail;
        }
    }
}

// Every BMP code point written in its shortest form (surrogates included,
// which the decoder lets through) comes back as the same unit.
TEST(DecodeUtf8Offsets, EveryBmpCodePointRoundTrips) {
    std::string bytes;
    std::u16string expected;
    for (std::uint32_t c = 1; c < 0x10000; ++c) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
        expected += static_cast<char16_t>(c);
    }
    const auto d = DecodeUtf8Counted(bytes, u"?");
    EXPECT_EQ(d.replaced, 0u);
    ASSERT_EQ(d.text.size(), expected.size());
    EXPECT_TRUE(d.text == expected);
}

}  // namespace

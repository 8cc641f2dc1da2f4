#include "platform/codepage/codepage.h"

#include <gtest/gtest.h>

namespace cp = platform::codepage;

namespace {
std::string Bytes(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}
}  // namespace

TEST(CodepageLeadByte, RangesMatchTheSystemTest) {
    for (int b = 0; b < 256; ++b) {
        bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(cp::IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(CodepageDecode, JapaneseAndAscii) {
    // "あa" in CP932
    auto d = cp::Decode(Bytes({0x82, 0xA0, 'a'}));
    EXPECT_EQ(d.text, u"\u3042a");
    EXPECT_EQ(d.undecodable, 0u);
    EXPECT_EQ(cp::ToBytes(u"\u3042a"), Bytes({0x82, 0xA0, 'a'}));
}

TEST(CodepageDecode, PictographSurvivesTheRoundTrip) {
    std::string pict = Bytes({0xF8, 0x9F, 0xF9, 0x40, 0xF8, 0xA0});
    auto d = cp::Decode(pict);
    EXPECT_EQ(d.undecodable, 0u);
    EXPECT_EQ(cp::ToBytes(d.text), pict);
}

TEST(CodepageDecode, EveryDoubleByteCodeRoundTripsToTheSameCharacter) {
    // Walk every lead/trail pair. CP932 holds a few characters twice (the NEC
    // and IBM rows); those come back as the preferred code of the same
    // character. Everything else, and the whole user-defined area where the
    // pictographs live (F040-F9FC), must come back byte for byte.
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!cp::IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            std::string s = Bytes({lead, trail});
            auto d = cp::Decode(s);
            std::string back = cp::ToBytes(d.text);
            if (lead >= 0xF0 && lead <= 0xF9) {
                ASSERT_EQ(back, s) << std::hex << lead << ' ' << trail;
            } else if (back != s) {
                ASSERT_EQ(d.undecodable, 0u);
                ASSERT_EQ(cp::ToUtf16(back), d.text) << std::hex << lead << ' ' << trail;
            }
        }
    }
}

TEST(CodepageDecode, UndecodableBytesAreKeptAsEscapes) {
    std::string s = Bytes({'a', 0x80, 0xA0, 0xFD, 0xFF, 0x81, 0x20, 'z', 0x82});
    auto d = cp::Decode(s);
    EXPECT_GT(d.undecodable, 0u);
    EXPECT_EQ(d.text.front(), u'a');
    EXPECT_EQ(d.text[1], char16_t(0xDC80));
    EXPECT_EQ(cp::ToBytes(d.text), s);
}

TEST(CodepageEncode, UnmappableBecomesDefaultChar) {
    // U+00E9 (é) and an emoji outside the code page; the pair counts once.
    auto e = cp::Encode(u"a\u00E9b\U0001F600c");
    EXPECT_EQ(e.bytes, "a?b?c");
    EXPECT_EQ(e.defaulted, 2u);
}

TEST(CodepageEncode, LoneSurrogateOutsideEscapeRangeIsDefaulted) {
    std::u16string s = u"x";
    s.push_back(char16_t(0xD800));
    s.push_back(u'y');
    EXPECT_EQ(cp::ToBytes(s), "x?y");
}

TEST(CodepageUtf8, ConvertsBothWays) {
    std::string bytes = cp::Utf8ToBytes("日本語abc");
    EXPECT_EQ(bytes, Bytes({0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA, 'a', 'b', 'c'}));
    EXPECT_EQ(cp::BytesToUtf8(bytes), "日本語abc");
    EXPECT_EQ(cp::BytesToUtf8(""), "");
}

TEST(CodepageDecode, LargeInputIsConvertedWhole) {
    std::string s;
    for (int i = 0; i < 100000; ++i) s += Bytes({0x82, 0xA0, 'x', 0x80});
    auto d = cp::Decode(s);
    EXPECT_EQ(d.text.size(), 300000u);
    EXPECT_EQ(d.undecodable, 100000u);
    EXPECT_EQ(cp::ToBytes(d.text), s);
}

#include "platform/codepage/pictographs.h"

#include <gtest/gtest.h>

#include <set>

namespace cp = platform::codepage;

namespace {

std::string CodeBytes(std::uint16_t code) {
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::vector<std::uint16_t> BasicCodes() {
    std::vector<std::uint16_t> codes;
    for (int c = 0xF800; c <= 0xF9FF; ++c)
        if (cp::IsBasicPictograph(static_cast<std::uint16_t>(c))) codes.push_back(static_cast<std::uint16_t>(c));
    return codes;
}

// The emoji with an emoji-presentation selector after each of its points.
std::u16string WithSelectors(std::u16string_view emoji) {
    std::u16string out;
    for (std::size_t i = 0; i < emoji.size(); ++i) {
        out.push_back(emoji[i]);
        if (emoji[i] >= 0xD800 && emoji[i] <= 0xDBFF) continue;
        out.push_back(u'\uFE0F');
    }
    return out;
}

}  // namespace

TEST(PictographTable, BasicSetIsTheHandsets166) {
    const auto basic = BasicCodes();
    ASSERT_EQ(basic.size(), 166u);
    std::set<std::uint16_t> numbered;
    for (int n = 1; n <= 166; ++n) {
        const std::uint16_t code = cp::PictographCodeOfNumber(n);
        ASSERT_TRUE(cp::IsBasicPictograph(code)) << n;
        ASSERT_EQ(cp::PictographNumber(code), n) << std::hex << code;
        numbered.insert(code);
    }
    EXPECT_EQ(numbered.size(), 166u);
    EXPECT_EQ(cp::PictographCodeOfNumber(0), 0);
    EXPECT_EQ(cp::PictographCodeOfNumber(167), 0);
    EXPECT_EQ(cp::PictographNumber(0xF950), 0);
}

TEST(PictographTable, MappedCodesComeBasicFirstAndCoverMostOfTheBasicSet) {
    const auto mapped = cp::MappedPictographs();
    ASSERT_GT(mapped.size(), 200u);
    std::size_t basic = 0;
    bool extendedSeen = false;
    for (std::uint16_t code : mapped) {
        const bool isBasic = cp::IsBasicPictograph(code);
        EXPECT_FALSE(isBasic && extendedSeen) << std::hex << code << " comes after an extended code";
        extendedSeen |= !isBasic;
        basic += isBasic;
        EXPECT_TRUE(cp::IsPictograph(code));
    }
    // Unicode has no emoji for a handful of the basic ones (keys, lettering).
    EXPECT_GE(basic, 150u);
    EXPECT_LT(basic, 166u);
}

TEST(PictographTable, EveryMappedCodeRoundTripsThroughItsEmoji) {
    for (std::uint16_t code : cp::MappedPictographs()) {
        const std::u16string emoji = cp::PictographToUnicode(code);
        ASSERT_FALSE(emoji.empty()) << std::hex << code;
        // The private-use character the code page carries is never the emoji.
        EXPECT_NE(emoji, cp::ToUtf16(CodeBytes(code))) << std::hex << code;

        cp::PictographMatch m = cp::PictographFromUnicode(emoji, 0);
        EXPECT_EQ(m.code, code) << std::hex << code;
        EXPECT_EQ(m.length, emoji.size()) << std::hex << code;

        const std::u16string selected = WithSelectors(emoji);
        m = cp::PictographFromUnicode(u"x" + selected + u"y", 1);
        EXPECT_EQ(m.code, code) << std::hex << code;
        EXPECT_EQ(m.length, selected.size()) << std::hex << code;

        const std::string bytes = "a" + CodeBytes(code) + "b";
        const cp::Decoded out = cp::DecodeForExchange(bytes);
        EXPECT_EQ(out.text, u"a" + emoji + u"b");
        const cp::Encoded back = cp::EncodeForExchange(out.text);
        EXPECT_EQ(back.bytes, bytes) << std::hex << code;
        EXPECT_EQ(back.defaulted, 0u);
        EXPECT_EQ(cp::EncodeForExchange(selected).bytes, CodeBytes(code)) << std::hex << code;
    }
}

TEST(PictographTable, AllBasicCodesInOneTextComeBackByteForByte) {
    std::string page;
    for (std::uint16_t code : BasicCodes()) page += CodeBytes(code) + "\x82\xa0";  // each followed by あ
    const cp::Decoded out = cp::DecodeForExchange(page);
    EXPECT_EQ(out.undecodable, 0u);
    const cp::Encoded back = cp::EncodeForExchange(out.text);
    EXPECT_EQ(back.bytes, page);
    EXPECT_EQ(back.defaulted, 0u);
}

TEST(PictographMatching, KeycapsNeedTheirKeycapMark) {
    const std::uint16_t hash = cp::PictographFromUnicode(u"#\u20E3", 0).code;
    EXPECT_EQ(hash, 0xF985);
    EXPECT_EQ(cp::PictographFromUnicode(u"#\uFE0F\u20E3", 0).length, 3u);
    EXPECT_EQ(cp::PictographFromUnicode(u"#", 0).code, 0);
    EXPECT_EQ(cp::PictographFromUnicode(u"#\uFE0F", 0).code, 0);
    // Plain digits and marks stay what they are.
    EXPECT_EQ(cp::EncodeForExchange(u"#1 ok").bytes, "#1 ok");
    EXPECT_EQ(cp::EncodeForExchange(u"1\u20E3#").bytes, CodeBytes(0xF987) + "#");
}

TEST(PictographMatching, SelectorAfterAnEmojiIsTakenWithIt) {
    // U+2600 (sun) is F89F; the text form selector is taken along too.
    EXPECT_EQ(cp::EncodeForExchange(u"\u2600\uFE0F\u2600\uFE0E\u2600").bytes,
              CodeBytes(0xF89F) + CodeBytes(0xF89F) + CodeBytes(0xF89F));
    EXPECT_EQ(cp::PictographFromUnicode(u"a\u2600", 0).code, 0);
    EXPECT_EQ(cp::PictographFromUnicode(u"", 0).code, 0);
    EXPECT_EQ(cp::PictographFromUnicode(u"\u2600", 1).code, 0);
}

TEST(PictographExchange, EmojiWithoutACodeBecomeDefaultCharsAndAreCounted) {
    // A unicorn has no handset code; a surrogate pair is one character.
    const cp::Encoded e = cp::EncodeForExchange(u"\u65E5\U0001F984\u2600x\U0001F984");
    EXPECT_EQ(e.bytes, "\x93\xfa?" + CodeBytes(0xF89F) + "x?");
    EXPECT_EQ(e.defaulted, 2u);
}

TEST(PictographExchange, OtherBytesConvertAsTheCodePageDoes) {
    // Decode keeps giving the private-use characters; only the exchange
    // form swaps in emoji.
    EXPECT_EQ(cp::Decode(CodeBytes(0xF89F)).text, u"\uE63E");
    EXPECT_EQ(cp::ToBytes(u"\uE63E"), CodeBytes(0xF89F));
    // A basic code Unicode has no emoji for stays private-use and survives.
    ASSERT_TRUE(cp::PictographToUnicode(0xF975).empty());
    const std::string s = "z" + CodeBytes(0xF975) + "\x80\xff" + "\x82";
    const cp::Decoded d = cp::DecodeForExchange(s);
    EXPECT_EQ(d.text, cp::Decode(s).text);
    EXPECT_EQ(d.undecodable, 3u);
    EXPECT_EQ(cp::EncodeForExchange(d.text).bytes, s);
    // Not pictographs: the lead byte alone, and codes outside the sets.
    EXPECT_EQ(cp::PictographAt("\xf8", 0), 0);
    EXPECT_EQ(cp::PictographAt(CodeBytes(0xF8FD), 0), 0);
    EXPECT_EQ(cp::PictographAt(CodeBytes(0xF9B1), 0), 0);
    EXPECT_EQ(cp::PictographAt("a" + CodeBytes(0xF940), 1), 0xF940);
}

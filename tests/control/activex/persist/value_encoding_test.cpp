#include "control/activex/persist/stream_reader.h"
#include "control/activex/persist/stream_writer.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace tarn::persist {
namespace {

using test::Bytes;
using test::Hex;

std::string Encode(const Value& v) {
    std::string out;
    EXPECT_TRUE(AppendValue(out, v));
    return out;
}

// Reads back one value through a whole stream, as the loader sees it.
Value DecodeOne(const std::string& encoded) {
    ReadResult r = ReadStream(test::StreamOf(test::Entry("P", encoded)));
    EXPECT_TRUE(r.ok()) << (r.error ? r.error->message : "");
    if (!r.ok() || r.properties.size() != 1) return Value{false};
    return r.properties[0].value;
}

struct IntCase {
    std::int32_t value;
    std::string encoded;
};

// Keeps the listed test names stable: the default print shows heap bytes.
void PrintTo(const IntCase& c, std::ostream* os) { *os << c.value; }

class IntegerWidth : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntegerWidth, SmallestTypeThatHoldsTheValue) {
    const IntCase& c = GetParam();
    EXPECT_EQ(Hex(Encode(Value{c.value})), Hex(c.encoded)) << c.value;
    EXPECT_EQ(DecodeOne(c.encoded), Value{c.value});
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, IntegerWidth,
    ::testing::Values(IntCase{0, Bytes({2, 0})}, IntCase{1, Bytes({2, 1})}, IntCase{-1, Bytes({2, 0xFF})},
                      IntCase{127, Bytes({2, 0x7F})}, IntCase{128, Bytes({3, 0x80, 0x00})},
                      IntCase{-128, Bytes({2, 0x80})}, IntCase{-129, Bytes({3, 0x7F, 0xFF})},
                      IntCase{255, Bytes({3, 0xFF, 0x00})}, IntCase{32767, Bytes({3, 0xFF, 0x7F})},
                      IntCase{32768, Bytes({4, 0x00, 0x80, 0x00, 0x00})},
                      IntCase{-32768, Bytes({3, 0x00, 0x80})},
                      IntCase{-32769, Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF})},
                      IntCase{1015808, Bytes({4, 0x00, 0x80, 0x0F, 0x00})},
                      IntCase{999999999, Bytes({4, 0xFF, 0xC9, 0x9A, 0x3B})},
                      IntCase{INT32_MAX, Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F})},
                      IntCase{INT32_MIN, Bytes({4, 0x00, 0x00, 0x00, 0x80})}),
    [](const ::testing::TestParamInfo<IntCase>& info) {
        std::int64_t v = info.param.value;
        return (v < 0 ? "minus" + std::to_string(-v) : "plus" + std::to_string(v));
    });

TEST(ValueEncoding, WiderTypesThanNeededStillRead) {
    EXPECT_EQ(DecodeOne(Bytes({3, 5, 0})), Value{std::int32_t{5}});
    EXPECT_EQ(DecodeOne(Bytes({4, 0xFE, 0xFF, 0xFF, 0xFF})), Value{std::int32_t{-2}});
}

TEST(ValueEncoding, Booleans) {
    EXPECT_EQ(Hex(Encode(Value{false})), "08");
    EXPECT_EQ(Hex(Encode(Value{true})), "09");
    EXPECT_EQ(DecodeOne(Bytes({8})), Value{false});
    EXPECT_EQ(DecodeOne(Bytes({9})), Value{true});
}

TEST(ValueEncoding, ShortStringIsLengthByteThenBytes) {
    EXPECT_EQ(Hex(Encode(Value{std::string(">")})), "06 01 3E");
    EXPECT_EQ(Hex(Encode(Value{std::string()})), "06 00");
    EXPECT_EQ(DecodeOne(Bytes({6, 2, 0x82, 0xA0})), Value{std::string("\x82\xA0")});
}

TEST(ValueEncoding, StringLongerThan255BytesIsWrittenAsLongString) {
    std::string s255(255, 'a'), s256(256, 'b');
    EXPECT_EQ(Encode(Value{s255}), Bytes({6, 255}) + s255);
    EXPECT_EQ(Encode(Value{s256}), Bytes({12, 0x00, 0x01, 0x00, 0x00}) + s256);
    EXPECT_EQ(DecodeOne(Encode(Value{s256})), Value{s256});
}

TEST(ValueEncoding, LongStringOfAnyLengthIsAccepted) {
    EXPECT_EQ(DecodeOne(Bytes({12, 3, 0, 0, 0}) + "abc"), Value{std::string("abc")});
    EXPECT_EQ(DecodeOne(Bytes({12, 0, 0, 0, 0})), Value{std::string()});
}

TEST(ValueEncoding, IdentifierIsAShortString) {
    EXPECT_EQ(Encode(Value{Identifier{"clTeal"}}), Bytes({7, 6}) + "clTeal");
    EXPECT_EQ(DecodeOne(Bytes({7, 7}) + "crIBeam"), Value{Identifier{"crIBeam"}});
}

TEST(ValueEncoding, SetIsNamesEndedByAnEmptyName) {
    EXPECT_EQ(Hex(Encode(Value{SetValue{}})), "0B 00");
    SetValue two{{"fsBold", "fsItalic"}};
    EXPECT_EQ(Encode(Value{two}), Bytes({11, 6}) + "fsBold" + Bytes({8}) + "fsItalic" + Bytes({0}));
    EXPECT_EQ(DecodeOne(Encode(Value{two})), Value{two});
}

TEST(ValueEncoding, WideStringIsCountThenUtf16LittleEndian) {
    EXPECT_EQ(Hex(Encode(Value{std::u16string(u"A\u30B4")})), "12 02 00 00 00 41 00 B4 30");
    EXPECT_EQ(DecodeOne(Bytes({18, 1, 0, 0, 0, 0x2D, 0xFF})), Value{std::u16string(u"\uFF2D")});
    // Lone surrogates are kept as they are: nothing is lost on the way.
    std::u16string odd{char16_t{0xD800}, u'x'};
    EXPECT_EQ(DecodeOne(Encode(Value{odd})), Value{odd});
}

TEST(ValueEncoding, UnwritableValuesAreRefused) {
    std::string out;
    EXPECT_FALSE(AppendValue(out, Value{Identifier{std::string(256, 'x')}}));
    out.clear();
    EXPECT_FALSE(AppendValue(out, Value{SetValue{{"fsBold", ""}}}));
    out.clear();
    EXPECT_FALSE(AppendValue(out, Value{SetValue{{std::string(256, 'y')}}}));
}

}  // namespace
}  // namespace tarn::persist

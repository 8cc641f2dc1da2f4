#include "control/activex/persist/host_property_sets.h"
#include "control/activex/persist/stream_reader.h"
#include "control/activex/persist/stream_writer.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <random>

namespace tarn::persist {
namespace {

using test::Bytes;
using test::Entry;
using test::Head;
using test::StreamOf;

StreamErrorCode ErrorOf(const std::string& stream) {
    ReadResult r = ReadStream(stream);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.properties.empty());
    return r.error ? r.error->code : StreamErrorCode::NotWritable;
}

TEST(StreamReader, EmptyPropertyList) {
    ReadResult r = ReadStream(StreamOf(""));
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.properties.empty());
    EXPECT_EQ(r.component_name, "");
}

TEST(StreamReader, PropertiesComeBackInStreamOrder) {
    std::string body = Entry("TopMargin", Bytes({2, 11})) + Entry("ShowRuler", Bytes({9})) +
                       Entry("TopMargin", Bytes({2, 0}));
    ReadResult r = ReadStream(StreamOf(body));
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.properties.size(), 3u);
    EXPECT_EQ(r.properties[0], (Property{"TopMargin", Value{std::int32_t{11}}}));
    EXPECT_EQ(r.properties[1], (Property{"ShowRuler", Value{true}}));
    EXPECT_EQ(r.properties[2], (Property{"TopMargin", Value{std::int32_t{0}}}));
}

TEST(StreamReader, ComponentNameIsKept) {
    std::string s = std::string("TPF0") + Bytes({9}) + "TTarnEdit" + Bytes({4}) + "Edit" + Bytes({0, 0});
    ReadResult r = ReadStream(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.component_name, "Edit");
}

TEST(StreamReader, WrongSignature) {
    EXPECT_EQ(ErrorOf("TPF1" + StreamOf("").substr(4)), StreamErrorCode::BadSignature);
    EXPECT_EQ(ErrorOf(std::string(64, '\0')), StreamErrorCode::BadSignature);
}

TEST(StreamReader, WrongClass) {
    std::string s = std::string("TPF0") + Bytes({5}) + "TEdit" + Bytes({0, 0, 0});
    EXPECT_EQ(ErrorOf(s), StreamErrorCode::WrongClass);
}

TEST(StreamReader, ClassNameIgnoresAsciiCaseLikeOtherIdentifiers) {
    std::string s = std::string("TPF0") + Bytes({9}) + "TTARNEDIT" + Bytes({0, 0, 0});
    EXPECT_TRUE(ReadStream(s).ok());
}

TEST(StreamReader, EmptyInput) { EXPECT_EQ(ErrorOf(""), StreamErrorCode::Truncated); }

TEST(StreamReader, ValueTypesWithoutKnownLayoutStopTheStream) {
    for (int t = 0; t < 256; ++t) {
        if (IsKnownValueType(static_cast<std::uint8_t>(t))) continue;
        std::string s = StreamOf(Entry("Column", Bytes({t, 1, 2, 3, 4})));
        ReadResult r = ReadStream(s);
        ASSERT_FALSE(r.ok()) << t;
        EXPECT_EQ(r.error->code, StreamErrorCode::UnknownValueType) << t;
        EXPECT_EQ(r.error->offset, Head().size() + 7) << t;  // the type byte
    }
}

TEST(StreamReader, HugeWideStringCountIsAnErrorNotAnAllocation) {
    // 2^31 characters claimed in a stream of a few dozen bytes.
    std::string s = StreamOf(Entry("Font.Name", Bytes({18, 0x00, 0x00, 0x00, 0x80, 0x41, 0x00})));
    EXPECT_EQ(ErrorOf(s), StreamErrorCode::LengthBeyondEnd);
    s = StreamOf(Entry("Font.Name", Bytes({18, 0xFF, 0xFF, 0xFF, 0xFF})));
    EXPECT_EQ(ErrorOf(s), StreamErrorCode::LengthBeyondEnd);
}

TEST(StreamReader, HugeLongStringLengthIsAnError) {
    std::string s = StreamOf(Entry("Version", Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'})));
    EXPECT_EQ(ErrorOf(s), StreamErrorCode::LengthBeyondEnd);
}

TEST(StreamReader, ShortStringPastTheEnd) {
    std::string s = Head() + Entry("Version", Bytes({6, 200})) + "abc";
    EXPECT_EQ(ErrorOf(s), StreamErrorCode::LengthBeyondEnd);
    EXPECT_EQ(ErrorOf(Head() + Bytes({50}) + "Col"), StreamErrorCode::LengthBeyondEnd);
}

TEST(StreamReader, SetWithoutItsEndMarker) {
    EXPECT_EQ(ErrorOf(Head() + Entry("Font.Style", Bytes({11, 6})) + "fsBold"), StreamErrorCode::Truncated);
}

TEST(StreamReader, ChildComponentsAreRefused) {
    std::string s = Head() + Bytes({0}) + Bytes({9}) + "TTarnEdit" + Bytes({0, 0, 0});
    EXPECT_EQ(ErrorOf(s), StreamErrorCode::ChildComponents);
}

TEST(StreamReader, BytesAfterTheEndAreRefused) {
    EXPECT_EQ(ErrorOf(StreamOf("") + "x"), StreamErrorCode::TrailingBytes);
}

TEST(StreamReader, ErrorsCarryAMessageWithTheOffset) {
    ReadResult r = ReadStream(StreamOf(Entry("Column", Bytes({5}))));
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error->message.find("value type 5"), std::string::npos) << r.error->message;
    EXPECT_NE(r.error->message.find("offset"), std::string::npos);
}

// Cutting a valid stream anywhere must give an error, never a crash or a
// read past the end (the sanitized twin checks the latter).
TEST(StreamReader, EveryTruncationOfBothHostSetsIsAnError) {
    for (const PropertyList& set : {SampleEditProperties(), TarnEditX1Properties()}) {
        WriteResult w = WriteStream(set);
        ASSERT_TRUE(w.ok());
        for (std::size_t n = 0; n < w.bytes.size(); ++n) {
            // A fresh allocation of exactly n bytes, so a read past it is caught.
            std::string cut(w.bytes.data(), n);
            ReadResult r = ReadStream(cut);
            ASSERT_FALSE(r.ok()) << "cut at " << n;
            EXPECT_TRUE(r.error->code == StreamErrorCode::Truncated ||
                        r.error->code == StreamErrorCode::LengthBeyondEnd ||
                        r.error->code == StreamErrorCode::BadSignature)
                << n;
        }
        EXPECT_TRUE(ReadStream(w.bytes).ok());
    }
}

TEST(StreamReader, RandomGarbageAfterAValidHeadNeverCrashes) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> byte(0, 255), len(0, 64);
    for (int i = 0; i < 5000; ++i) {
        std::string s = Head();
        int n = len(rng);
        for (int k = 0; k < n; ++k) s.push_back(static_cast<char>(byte(rng)));
        ReadResult r = ReadStream(s);
        if (r.ok()) {
            // Whatever was accepted must write and read back the same.
            WriteResult w = WriteStream(r.properties);
            ASSERT_TRUE(w.ok());
            ReadResult again = ReadStream(w.bytes);
            ASSERT_TRUE(again.ok());
            EXPECT_EQ(again.properties, r.properties);
        }
    }
}

TEST(StreamReader, SingleByteCorruptionsOfAHostSetNeverCrash) {
    WriteResult w = WriteStream(TarnEditX1Properties());
    ASSERT_TRUE(w.ok());
    for (std::size_t at = 0; at < w.bytes.size(); ++at) {
        for (int b : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::string s = w.bytes;
            s[at] = static_cast<char>(b);
            (void)ReadStream(s);
        }
    }
}

}  // namespace
}  // namespace tarn::persist

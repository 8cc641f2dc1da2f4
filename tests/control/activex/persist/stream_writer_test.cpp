#include "control/activex/persist/stream_reader.h"
#include "control/activex/persist/stream_writer.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

namespace tarn::persist {
namespace {

using test::Bytes;
using test::Hex;

TEST(StreamWriter, EmptyListIsHeadAndTwoEndMarkers) {
    WriteResult w = WriteStream({});
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(Hex(w.bytes), "54 50 46 30 09 54 54 61 72 6E 45 64 69 74 00 00 00");
}

TEST(StreamWriter, PropertiesInTheOrderGiven) {
    WriteResult w = WriteStream({{"Width", Value{std::int32_t{245}}}, {"Left", Value{std::int32_t{8}}}});
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.bytes, test::StreamOf(test::Entry("Width", Bytes({3, 245, 0})) + test::Entry("Left", Bytes({2, 8}))));
}

TEST(StreamWriter, EmptyNameIsRefusedBecauseItWouldEndTheList) {
    WriteResult w = WriteStream({{"", Value{true}}});
    ASSERT_FALSE(w.ok());
    EXPECT_EQ(w.error->code, StreamErrorCode::NotWritable);
    EXPECT_TRUE(w.bytes.empty());
}

TEST(StreamWriter, OverlongNameIsRefused) {
    EXPECT_TRUE(WriteStream({{std::string(255, 'n'), Value{true}}}).ok());
    EXPECT_FALSE(WriteStream({{std::string(256, 'n'), Value{true}}}).ok());
}

TEST(StreamWriter, BadValueNamesTheProperty) {
    WriteResult w = WriteStream({{"Font.Style", Value{SetValue{{""}}}}});
    ASSERT_FALSE(w.ok());
    EXPECT_NE(w.error->message.find("Font.Style"), std::string::npos);
}

}  // namespace
}  // namespace tarn::persist

#include <gtest/gtest.h>

#include <thread>

#include "platform/com/error_guard.h"
#include "platform/com/error_info.h"
#include "platform/com/utf.h"

namespace com = platform::com;

TEST(ErrorInfo, IsKeptPerThread) {
    com::ClearErrorInfo();
    EXPECT_EQ(com::ReportError(com::E_FAIL, u"here"), com::E_FAIL);
    std::thread other([] {
        com::ErrorInfo info;
        EXPECT_EQ(com::GetErrorInfo(&info), com::S_FALSE);
        com::ReportError(com::E_FAIL, u"there");
    });
    other.join();
    com::ErrorInfo info;
    ASSERT_EQ(com::GetErrorInfo(&info), com::S_OK);
    EXPECT_EQ(info.description, u"here");
}

TEST(ErrorGuard, TurnsExceptionsIntoCodesAndDescriptions) {
    com::ErrorInfo info;
    EXPECT_EQ(com::Guarded(u"Editor", [] {}), com::S_OK);
    EXPECT_EQ(com::Guarded(u"Editor", [] { throw std::out_of_range("line 5 is out of range"); }), com::E_UNEXPECTED);
    ASSERT_EQ(com::GetErrorInfo(&info), com::S_OK);
    EXPECT_EQ(info.description, u"line 5 is out of range");
    EXPECT_EQ(info.source, u"Editor");
    EXPECT_EQ(com::Guarded(u"Editor", [] { throw com::ComError(com::E_INVALIDARG, std::string("bad")); }),
              com::E_INVALIDARG);
    EXPECT_EQ(com::Guarded(u"Editor", [] { throw std::bad_alloc(); }), com::E_OUTOFMEMORY);
    EXPECT_EQ(com::Guarded(u"Editor", [] { throw 42; }), com::E_UNEXPECTED);
    ASSERT_EQ(com::GetErrorInfo(&info), com::S_OK);
    EXPECT_EQ(info.description, u"Unknown failure");
}

TEST(Utf, ConvertsBothWaysAndReplacesWhatIsMalformed) {
    EXPECT_EQ(com::Utf8ToUtf16("a\xE3\x81\x82\xF0\x9F\x98\x80"), u"a\u3042\U0001F600");
    EXPECT_EQ(com::Utf16ToUtf8(u"a\u3042\U0001F600"), "a\xE3\x81\x82\xF0\x9F\x98\x80");
    EXPECT_EQ(com::Utf8ToUtf16("\xFF" "a"), u"\uFFFDa");             // not a lead byte
    EXPECT_EQ(com::Utf8ToUtf16("\xE3\x81"), u"\uFFFD\uFFFD");      // cut short
    EXPECT_EQ(com::Utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD");      // overlong
    EXPECT_EQ(com::Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // a surrogate
    std::u16string lone(1, char16_t{0xD800});
    EXPECT_EQ(com::Utf16ToUtf8(lone + u"x"), "\xEF\xBF\xBDx");
}

#include "control/view/url_runs.h"

#include <gtest/gtest.h>

#include "platform/codepage/codepage.h"

namespace tarn::view {
namespace {

TTarnStrings Rows(std::initializer_list<std::string> rows) {
    TTarnStrings s;
    for (const std::string& r : rows) s.Add(r);
    return s;
}

TEST(UrlRuns, SchemesAndTheirEnds) {
    TTarnStrings s = Rows({"see http://a.jp/x?y=1 now\r\n", "mailto:me@a.jp>\r\n", std::string("HTTPS://B.JP\0", 13)});
    auto runs = FindUrlRuns(s, 0, 2, false);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (UrlRun{0, 5, 21}));
    EXPECT_EQ(runs[1], (UrlRun{1, 1, 14}));  // stops before ">"
    EXPECT_EQ(runs[2], (UrlRun{2, 1, 12}));
}

TEST(UrlRuns, NotASchemeWithOneSlash) {
    TTarnStrings s = Rows({std::string("http:/a.jp http:x\0", 18)});
    EXPECT_TRUE(FindUrlRuns(s, 0, 0, false).empty());
}

TEST(UrlRuns, ContinuesOverAWrapButNotOverALineBreak) {
    // Row 0 is a wrap segment (no ending): the run goes on in row 1.
    TTarnStrings s = Rows({"x http://a.jp/lo", "ng/path end\r\n", "more\r\n", std::string("\0", 1)});
    auto runs = FindUrlRuns(s, 0, 3, false);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (UrlRun{0, 3, 16}));
    EXPECT_EQ(runs[1], (UrlRun{1, 1, 7}));
    // Asking for row 1 alone still finds the run begun on row 0.
    runs = FindUrlRuns(s, 1, 1, false);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1], (UrlRun{1, 1, 7}));
    // A hard line end stops it.
    s = Rows({"http://a.jp\r\n", std::string("next\0", 5)});
    runs = FindUrlRuns(s, 0, 1, false);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], (UrlRun{0, 1, 11}));
}

TEST(UrlRuns, DoubleByteCharactersEndARunAndHideTrailBytes) {
    const std::string jp = platform::codepage::Utf8ToBytes("http://a.jp日本");
    TTarnStrings s = Rows({jp + "\r\n"});
    auto runs = FindUrlRuns(s, 0, 0, false);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].last, 11);
    // A trail byte that reads as "h" never starts a scheme: 0x82 0x68 is
    // one character.
    TTarnStrings t = Rows({std::string("\x82" "http://x\r\n")});
    runs = FindUrlRuns(t, 0, 0, false);
    EXPECT_TRUE(runs.empty());
    // In single-byte mode the same bytes are separate characters.
    runs = FindUrlRuns(t, 0, 0, true);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].first, 2);
}

TEST(UrlRuns, TagRunsGoPastTheFirstDot) {
    TTarnStrings s = Rows({"a tag:x y.z/q\r\n"});
    auto runs = FindUrlRuns(s, 0, 0, false);
    ASSERT_EQ(runs.size(), 1u);
    // Spaces do not end a tag run; "/" does, after the dot.
    EXPECT_EQ(runs[0], (UrlRun{0, 3, 11}));
    // With no dot the rest of the row is painted.
    s = Rows({"tag:abc\r\n"});
    runs = FindUrlRuns(s, 0, 0, false);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], (UrlRun{0, 1, 7}));
}

TEST(UrlRuns, LineBreakAloneResetsTheScan) {
    TTarnStrings s = Rows({"tag:ab", "\r\n", std::string("c.d\0", 4)});
    auto runs = FindUrlRuns(s, 0, 2, false);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].row, 0);
}

}  // namespace
}  // namespace tarn::view

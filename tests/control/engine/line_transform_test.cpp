#include "control/engine/line_transform.h"

#include <gtest/gtest.h>

#include "control/engine/tarn_edit.h"
#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;

namespace {
const std::string kWide = B({0x81, 0x40});

struct Lines : ::testing::Test {
    RecordingView view;
    TTarnEdit e{&view};
    void SetUp() override {
        Measure(e);
        e.SetWordWrap(false, false);
    }
};
}  // namespace

TEST(TrimBlanks, SpacesTabsAndOnRequestFullWidthSpaces) {
    EXPECT_EQ(TrimBlanks(" \ta b\t ", true, true, false, false), "a b");
    EXPECT_EQ(TrimBlanks(" \ta b\t ", true, false, false, false), "a b\t ");
    EXPECT_EQ(TrimBlanks(" \ta b\t ", false, true, false, false), " \ta b");
    const std::string w = kWide + " x" + kWide;
    EXPECT_EQ(TrimBlanks(w, true, true, false, false), w);
    EXPECT_EQ(TrimBlanks(w, true, true, true, false), "x");
    EXPECT_EQ(TrimBlanks("   ", true, true, false, false), "");
    // A trail byte that happens to be 0x40 after a lead byte other than 0x81
    // is part of its character, not a half of a blank.
    const std::string notBlank = "a" + B({0x82, 0x40});
    EXPECT_EQ(TrimBlanks(notBlank, false, true, true, false), notBlank);
    // Whole characters only: a space that is really a trail byte stays.
    const std::string pair = B({0x81, 0x20});
    EXPECT_EQ(TrimBlanks(pair, false, true, false, false), pair);
    EXPECT_EQ(TrimBlanks(pair, false, true, false, true), B({0x81}));
}

TEST(AlignLine, LeftCentreRight) {
    EXPECT_EQ(AlignLine("  abc ", MLeft, 10, false), "abc");
    EXPECT_EQ(AlignLine("abc", MCenter, 10, false), "   abc");
    EXPECT_EQ(AlignLine("abc", MCenter, 4, false), "abc");
    EXPECT_EQ(AlignLine("abc", MRight, 10, false), "       abc");
    EXPECT_EQ(AlignLine("abcdefghijkl", MRight, 10, false), "abcdefghijkl");
    EXPECT_EQ(AlignLine("abcdefghijkl", MCenter, 10, false), "abcdefghijkl");
    EXPECT_EQ(AlignLine(kWide + " " + kWide, MRight, 10, false), "");
    EXPECT_EQ(AlignLine("abc", MRight, -5, false), "abc");
    // An absurd width is bounded instead of allocating gigabytes.
    EXPECT_LE(AlignLine("abc", MRight, 0x7FFFFFFF, false).size(), 0x10000u);
}

TEST(SplitField, PopsFieldsOffADelimitedList) {
    std::string s = "a,b,c";
    EXPECT_EQ(TTarnEdit::TarnSplit(s, ","), "a");
    EXPECT_EQ(s, "b,c");
    EXPECT_EQ(TTarnEdit::TarnSplit(s, ","), "b");
    EXPECT_EQ(TTarnEdit::TarnSplit(s, ","), "c");
    EXPECT_EQ(s, "");
    s = "abc";
    EXPECT_EQ(TTarnEdit::TarnSplit(s, ";"), "abc");
    EXPECT_EQ(s, "");
    // Only the delimiter's first byte is removed.
    s = "a<>b";
    EXPECT_EQ(TTarnEdit::TarnSplit(s, "<>"), "a");
    EXPECT_EQ(s, ">b");
    s = "ab";
    EXPECT_EQ(TTarnEdit::TarnSplit(s, ""), "ab");
}

TEST_F(Lines, TrimFamilyRewritesTheRangeOnly) {
    e.SetText(" a \r\n\t b\t\r\n" + kWide + "c" + kWide + "\r\n d ");
    int i1 = 1, i2 = 2;
    e.TarnTrim(i1, i2, false);
    EXPECT_EQ(e.Text(), " a \r\nb\r\n" + kWide + "c" + kWide + "\r\n d ");
    i1 = 2, i2 = 2;
    e.TarnTrim(i1, i2, true);
    EXPECT_EQ(e.Text(), " a \r\nb\r\nc\r\n d ");
    i1 = -5, i2 = 99;
    e.TarnTrimRight(i1, i2, false);
    EXPECT_EQ(e.Text(), " a\r\nb\r\nc\r\n d");
    i1 = 0, i2 = 3;
    e.TarnTrimLeft(i1, i2, false);
    EXPECT_EQ(e.Text(), "a\r\nb\r\nc\r\nd");
    // A reversed range does nothing.
    e.SetText(" x ");
    i1 = 1, i2 = 0;
    e.TarnTrim(i1, i2, false);
    EXPECT_EQ(e.Text(), " x ");
}

TEST_F(Lines, TabsToSpacesKeepsTheDocumentEnding) {
    e.SetTabCount(4);
    e.SetText("a\tb\r\n\tc");
    int i1 = 0, i2 = 1;
    e.LineTabTospc(i1, i2);
    EXPECT_EQ(e.Text(), "a   b\r\n    c");
    EXPECT_EQ(LinesOf(e.Lines).back(), "    c" + kNul);
    e.SetText("\tx\r\n");
    i1 = 0, i2 = 1;
    e.LineTabTospc(i1, i2);
    EXPECT_EQ(e.Text(), "    x\r\n");
}

TEST_F(Lines, MovestrAlignsEachLine) {
    e.SetText("abc\r\n   \r\n  abcdefghijkl ");
    int i1 = 0, i2 = 2;
    e.Movestr(i1, i2, MCenter, 10);
    EXPECT_EQ(e.Text(), "   abc\r\n\r\nabcdefghijkl");
    i1 = 0, i2 = 0;
    e.Movestr(i1, i2, MRight, 5);
    EXPECT_EQ(e.Text(), "  abc\r\n\r\nabcdefghijkl");
}

TEST_F(Lines, GetLimWordReadsBetweenDelimitersAndMovesOn) {
    e.SetText("foo bar,baz\r\nnext");
    int x = 5, y = 0;
    EXPECT_EQ(e.GetLimWord(x, y, ","), "bar");
    EXPECT_EQ(x, 8);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(e.GetLimWord(x, y, ","), "baz");
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(e.GetLimWord(x, y, ","), "next");
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 1);
    // Double-byte delimiters are whole characters; a trail byte equal to a
    // single-byte delimiter is not one.
    const std::string dot = B({0x81, 0x42});
    e.SetText("a" + dot + "b" + B({0x82, 0x7C}) + "c");
    x = 0, y = 0;
    EXPECT_EQ(e.GetLimWord(x, y, dot), "a");
    EXPECT_EQ(e.GetLimWord(x, y, dot), "b" + B({0x82, 0x7C}) + "c");
    // Skipping delimiters runs over line ends.
    e.SetText("a  \r\n  b");
    x = 0, y = 0;
    EXPECT_EQ(e.GetLimWord(x, y, ""), "a");
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 1);
    EXPECT_THROW(e.GetLimWord(x = 0, y = 9, ""), ERangeError);
}

TEST_F(Lines, GetLimWordJoinsAWordThatWrapSplit) {
    // A text line stored as two segments, the way word wrap keeps it.
    e.Lines.Clear();
    e.Lines.Add("ab cd");
    e.Lines.Add("ef gh" + kNul);
    int x = 4, y = 0;
    EXPECT_EQ(e.GetLimWord(x, y, ""), "cdef");
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 1);
    x = 1, y = 1;
    EXPECT_EQ(e.GetLimWord(x, y, ""), "cdef");
}

TEST_F(Lines, TagSearchFindsTheLinkUnderAPosition) {
    e.SetText("see http://ab.c/d more\r\nx MAILTO:me@x.y, tag:name.part\"q\r\nplain");
    int x = 8, y = 0;
    EXPECT_EQ(e.TagSearch(x, y, false), "http://ab.c/d");
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 1);
    x = 1, y = 0;
    EXPECT_EQ(e.TagSearch(x, y, false), "");
    x = 5, y = 1;
    EXPECT_EQ(e.TagSearch(x, y, false), "MAILTO:me@x.y,");
    x = 22, y = 1;
    EXPECT_EQ(e.TagSearch(x, y, false), "tag:name.part");
    // Walking the document text line by text line.
    x = 0, y = 0;
    std::vector<std::string> tops;
    while (y != -1) tops.push_back(e.TagSearch(x, y, true));
    EXPECT_EQ(tops, (std::vector<std::string>{"http://ab.c/d", "MAILTO:me@x.y,", "plain"}));
    EXPECT_EQ(e.TagSearch(x, y, true), "");
    y = 7;
    EXPECT_THROW(e.TagSearch(x, y, false), ERangeError);
}

TEST_F(Lines, TagSearchLinksStopAtDoubleByteAndRunOverWrapCuts) {
    e.Lines.Clear();
    e.Lines.Add("go https://ex");
    e.Lines.Add("ample.jp/" + B({0x82, 0xA0}) + "x\r\n");
    e.Lines.Add("tag:ab");
    e.Lines.Add("c.de<" + kNul);
    int x = 1, y = 1;
    EXPECT_EQ(e.TagSearch(x, y, false), "https://example.jp/");
    EXPECT_EQ(y, 2);
    x = 0;
    EXPECT_EQ(e.TagSearch(x, y, false), "tag:abc.de");
    EXPECT_EQ(y, -1);
}

TEST_F(Lines, TransformsWithWrapOnWorkOnTextLinesAndUndoInOneStep) {
    e.SetColumn(10);
    e.SetWordWrap(true, false);
    e.SetText("   0123456789abcdef   \r\n  x  \r\nkeep");
    ASSERT_GT(e.LineCount(), 3);
    // Stored line 1 is the second segment of text line 0; the range is
    // widened to whole text lines.
    int i1 = 1, i2 = 3;
    e.TarnTrim(i1, i2, false);
    EXPECT_EQ(e.Text(), "0123456789abcdef\r\nx\r\nkeep");
    EXPECT_TRUE(e.WordWrap());
    for (int i = 0; i < e.LineCount(); ++i) EXPECT_LE(VisibleLength(e.Lines.Line(i)), 10) << i;
    e.Undo();
    EXPECT_EQ(e.Text(), "   0123456789abcdef   \r\n  x  \r\nkeep");
}

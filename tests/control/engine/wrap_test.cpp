#include <gtest/gtest.h>

#include <random>

#include "edit_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;

namespace {
struct Wrapped : ::testing::Test {
    RecordingView view;
    RecordingEdit e{&view};
    void SetUp() override {
        Measure(e);
        e.SetColumn(10);
    }
    void Put(const std::string& s) {
        e.SetText(s);
        ASSERT_TRUE(Invariants(e));
    }
};
const std::string k10 = "0123456789";
}  // namespace

TEST_F(Wrapped, SegmentsOfTheWrapWidthTheLastKeepingTheEnding) {
    Put(k10 + k10 + "abcde\r\nx");
    EXPECT_EQ(LinesOf(e.Lines), (V{k10, k10, "abcde\r\n", "x" + kNul}));
    EXPECT_EQ(e.Text(), k10 + k10 + "abcde\r\nx");
    // The line break takes a cell: a line exactly as wide as the wrap width
    // leaves it on a row of its own; the end-of-text mark does not.
    Put(k10 + "\r\n" + "012345678\r\n" + k10);
    EXPECT_EQ(LinesOf(e.Lines), (V{k10, "\r\n", "012345678\r\n", k10 + kNul}));
}

TEST_F(Wrapped, DoubleByteCharactersAreNeverSplit) {
    Put("123456789" + kA + "x");
    EXPECT_EQ(LinesOf(e.Lines), (V{"123456789", kA + "x" + kNul}));
    // A trail byte that looks like a single-byte character does not fool it.
    Put(kHyou + kHyou + kHyou + kHyou + "x" + kHyou + "yz");
    EXPECT_EQ(LinesOf(e.Lines), (V{kHyou + kHyou + kHyou + kHyou + "x", kHyou + "yz" + kNul}));
    e.SingleByteMode = true;
    e.RefreshWrap();
    EXPECT_EQ(LinesOf(e.Lines), (V{kHyou + kHyou + kHyou + kHyou + "x" + kHyou[0], kHyou.substr(1) + "yz" + kNul}));
}

TEST_F(Wrapped, TabsCountExpanded) {
    e.SetTabCount(4);
    Put("ab\tcdefghij");  // ab + 2 spaces + cdef fits ten columns
    EXPECT_EQ(LinesOf(e.Lines), (V{"ab\tcdefgh", "ij" + kNul}));
}

TEST_F(Wrapped, WordWrapOffJoinsAndOnCutsAgainCarryingTheCaret) {
    Put(k10 + k10 + "abc\r\nxyz");
    e.CurSet(3, 2, Txmovemode::normal);  // 'd'... column 3 of "abc\r\n"
    EXPECT_EQ(e.CurposX, 3);
    e.SetWordWrap(false, true);
    EXPECT_EQ(LinesOf(e.Lines), (V{k10 + k10 + "abc\r\n", "xyz" + kNul}));
    EXPECT_EQ(e.CurposX, 23);
    EXPECT_EQ(e.CurposY, 0);
    ASSERT_TRUE(Invariants(e));
    e.CurSet(15, 0, Txmovemode::normal);
    e.SetWordWrap(true, true);
    EXPECT_EQ(e.CurposX, 5);
    EXPECT_EQ(e.CurposY, 1);
    // A column exactly at a cut stays at the end of the earlier segment.
    e.SetWordWrap(false, false);
    e.CurSet(10, 0, Txmovemode::normal);
    e.SetWordWrap(true, false);
    EXPECT_EQ(e.CurposX, 10);
    EXPECT_EQ(e.CurposY, 0);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Wrapped, ConversionsRoundTripOverEveryPosition) {
    Put(k10 + kA + k10 + "\r\n\r\nab" + kI + "cdefghijkl" + kA + "\r\nend");
    int lines = 0;
    const std::string text = e.Text();
    for (std::size_t p = 0; p <= text.size(); p = text.find("\r\n", p) + 2, ++lines)
        if (text.find("\r\n", p) == std::string::npos) break;
    for (int y = 0; y <= lines; ++y) {
        int len = 0;
        {
            std::size_t start = static_cast<std::size_t>(OffsetOfUnwrapped(text, 0, y));
            std::size_t end = text.find("\r\n", start);
            len = static_cast<int>((end == std::string::npos ? text.size() : end) - start);
        }
        for (int x = 0; x <= len; ++x) {
            int wx = x, wy = y;
            e.NtoWcurpos(wx, wy);
            EXPECT_EQ(OffsetOf(e, wx, wy), OffsetOfUnwrapped(text, x, y)) << x << "," << y;
            int nx = wx, ny = wy;
            e.WtoNcurpos(nx, ny);
            EXPECT_EQ(nx, x);
            EXPECT_EQ(ny, y);
        }
    }
    // The start of a following segment converts to the cut column too.
    int x = 0, y = 1;
    e.WtoNcurpos(x, y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 0);
    // Beyond the document: the last stored line.
    x = 0, y = 99;
    e.NtoWcurpos(x, y);
    EXPECT_EQ(y, e.LastLine());
}

TEST_F(Wrapped, TextLineQueries) {
    Put(k10 + k10 + "ab\r\nshort\r\n" + k10 + "z");
    // rows: 0 k10, 1 k10, 2 ab, 3 short, 4 k10, 5 z
    EXPECT_EQ(e.GetWrapTopIndex(2), 0);
    EXPECT_EQ(e.GetWrapTopIndex(0), 0);
    EXPECT_EQ(e.GetWrapTopIndex(-5), 0);
    EXPECT_EQ(e.GetWrapTopIndex(3), 3);
    EXPECT_EQ(e.GetWrapendIndex(0), 2);
    EXPECT_EQ(e.GetWrapendIndex(4), 5);
    EXPECT_TRUE(e.ISInnerWrap(0));
    EXPECT_TRUE(e.ISInnerWrap(2));  // the last segment of a cut line
    EXPECT_FALSE(e.ISInnerWrap(3));
    EXPECT_TRUE(e.ISInnerWrap(5));
    EXPECT_EQ(e.GetNonWrapStr(1), k10 + k10 + "ab");
    EXPECT_EQ(e.GetNonWrapStr(3), "short");
    EXPECT_EQ(e.GetNonWrapStr(99), k10 + "z");
    int i1 = 1, i2 = -7;
    e.GetWrapColumn(i1, i2);
    EXPECT_EQ(i1, 0);
    EXPECT_EQ(i2, 2);
    e.SetWordWrap(false, false);
    i1 = 99, i2 = -7;
    e.GetWrapColumn(i1, i2);
    EXPECT_EQ(i1, e.LastLine());
    EXPECT_EQ(i2, -7);  // left as passed
    EXPECT_EQ(e.GetNonWrapStr(0), k10 + k10 + "ab");
}

TEST_F(Wrapped, ColumnIsAtLeastTenAndRewraps) {
    Put(k10 + k10 + k10);
    e.SetColumn(5);
    EXPECT_EQ(e.Column(), 10);
    e.SetColumn(15);
    EXPECT_EQ(LinesOf(e.Lines), (V{k10 + "01234", "56789" + k10 + kNul}));
    // AutoWrap narrows the wrap width to the text area.
    e.AutoWrap = true;
    e.DwclientX = 12;
    e.Resized();
    EXPECT_EQ(LinesOf(e.Lines)[0], "012345678901");
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Wrapped, CutLengthWithUnevenWidthsSearchesTheFittingLength) {
    UnevenView uneven;
    e.SetView(&uneven);
    e.SetColumn(20);  // 20 units
    // 'i' is 1 wide, 'a' 2, 'm' 3, a double-byte character 3.
    EXPECT_EQ(e.CutLength(std::string(40, 'i')), 20);
    EXPECT_EQ(e.CutLength(std::string(40, 'a')), 10);
    EXPECT_EQ(e.CutLength(std::string(40, 'm')), 6);
    EXPECT_EQ(e.CutLength("iiiiiiiiii" + std::string(20, 'a')), 15);
    // Six pairs are 18 units; the lead byte of the seventh still fits by
    // width, and the row then gives it back.
    const std::string pairs = kA + kA + kA + kA + kA + kA + kA + "ii";
    EXPECT_EQ(e.CutLength(pairs), 13);
    std::vector<std::string> rows;
    e.WrapInto(pairs + kNul, rows);
    EXPECT_EQ(rows, (V{pairs.substr(0, 12), kA + "ii" + kNul}));
    EXPECT_EQ(e.CutLength("short\r\n"), 7);
    // Cut rows never exceed the width unless one character is wider.
    std::mt19937 rng(3);
    const std::vector<std::string> pieces = {"i", "a", "m", "W", ".", kA, kHyou, "\t", " "};
    for (int round = 0; round < 200; ++round) {
        std::string s;
        for (int n = static_cast<int>(rng() % 80); n > 0; --n) s += pieces[rng() % pieces.size()];
        std::vector<std::string> rows;
        e.WrapInto(s + "\r\n", rows);
        std::string joined;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            joined += rows[r];
            if (r + 1 < rows.size()) {
                EXPECT_LE(e.ExpandedWidth(rows[r]), 20) << s;
                EXPECT_FALSE(IsLineTerminated(rows[r]));
                // Nothing more would have fitted: the next character is too wide.
                const std::string& next = rows[r + 1];
                const int n = CharLengthAt(next, 0, false);
                EXPECT_GT(e.ExpandedWidth(rows[r] + next.substr(0, static_cast<std::size_t>(n))), 20) << s;
            }
        }
        EXPECT_EQ(joined, s + "\r\n");
    }
}

TEST_F(Wrapped, ArithmeticAndMeasuredWidthsCutAlike) {
    // The same widths, once promised fixed-pitch (counted) and once not
    // (measured through the view): the cuts must agree, also for wrap widths
    // that are not a whole number of characters.
    MeasuredFixedView measured;
    std::mt19937 rng(11);
    const std::vector<std::string> pieces = {"a", "b", " ", "\t", kA, kHyou, "\t\t", "xyz"};
    for (int round = 0; round < 300; ++round) {
        std::string s;
        for (int n = static_cast<int>(rng() % 120); n > 0; --n) s += pieces[rng() % pieces.size()];
        s += (rng() % 2) ? std::string("\r\n") : kNul;
        e.SetView(&view);
        e.Fontwidth = 1 + static_cast<int>(rng() % 3);
        e.SetColumn(10 + static_cast<int>(rng() % 30));
        e.SetTabCount(1 + static_cast<int>(rng() % 8));
        e.AutoWrap = rng() % 3 == 0;
        e.DwclientX = 20 + static_cast<int>(rng() % 100);
        std::vector<std::string> counted, measuredRows;
        e.WrapInto(s, counted);
        const int cut = e.CutLength(s);
        e.SetView(&measured);
        e.WrapInto(s, measuredRows);
        EXPECT_EQ(counted, measuredRows) << "round " << round;
        EXPECT_EQ(cut, e.CutLength(s));
    }
}

TEST_F(Wrapped, NoFontMeansNoCut) {
    e.Fontwidth = 0;
    EXPECT_EQ(e.CutLength(std::string(50, 'a')), 50);
}

TEST_F(Wrapped, TypingAtTheEndOfASegmentCarriesOverflowAndCaret) {
    Put(k10 + "abcde\r\nnext");
    e.CurSet(10, 0, Txmovemode::normal);
    e.TypeText("X");
    EXPECT_EQ(LinesOf(e.Lines), (V{k10, "Xabcde\r\n", "next" + kNul}));
    EXPECT_EQ(e.CurposX, 1);
    EXPECT_EQ(e.CurposY, 1);
    ASSERT_TRUE(Invariants(e));
    // Typing in the first segment pushes a character over the cut.
    e.CurSet(0, 0, Txmovemode::normal);
    e.TypeText("Y");
    EXPECT_EQ(LinesOf(e.Lines), (V{"Y012345678", "9Xabcde\r\n", "next" + kNul}));
    EXPECT_EQ(e.CurposX, 1);
    EXPECT_EQ(e.CurposY, 0);
    // Typed up to the cut, the caret stands at the start of the next row.
    e.CurSet(9, 0, Txmovemode::normal);
    e.TypeText("Z");
    EXPECT_EQ(LinesOf(e.Lines), (V{"Y01234567Z", "89Xabcde\r\n", "next" + kNul}));
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 1);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Wrapped, DeletingPullsTextBackAcrossCuts) {
    Put(k10 + "abcdefghij" + "XYZ\r\nn");
    // Backspace in the middle segment pulls from the one after it.
    e.CurSet(3, 1, Txmovemode::normal);
    e.BackSpace();
    EXPECT_EQ(LinesOf(e.Lines), (V{k10, "abdefghijX", "YZ\r\n", "n" + kNul}));
    EXPECT_EQ(e.CurposX, 2);
    EXPECT_EQ(e.CurposY, 1);
    // Backspace at the start of a segment takes the last character of the
    // previous one, which refills from the row it came from.
    e.CurSet(0, 1, Txmovemode::normal);
    e.BackSpace();
    EXPECT_EQ(LinesOf(e.Lines), (V{"012345678a", "bdefghijXY", "Z\r\n", "n" + kNul}));
    EXPECT_EQ(e.CurposX, 9);
    EXPECT_EQ(e.CurposY, 0);
    // Delete at the end of a segment removes the first character of the next.
    e.CurSet(10, 0, Txmovemode::normal);
    e.DeleteKey();
    EXPECT_EQ(LinesOf(e.Lines), (V{"012345678a", "defghijXYZ", "\r\n", "n" + kNul}));
    ASSERT_TRUE(Invariants(e));
    // Deleting the break of a short line joins the next one into it.
    e.CurSet(0, 2, Txmovemode::normal);
    e.DeleteKey();
    EXPECT_EQ(LinesOf(e.Lines), (V{"012345678a", "defghijXYZ", "n" + kNul}));
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Wrapped, TypingBesideDoubleByteCharactersAndLineBreaks) {
    Put("12345678" + kA + "x\r\nq");
    EXPECT_EQ(LinesOf(e.Lines), (V{"12345678" + kA, "x\r\n", "q" + kNul}));
    e.CurSet(0, 0, Txmovemode::normal);
    e.TypeText("0");  // the pair no longer fits and moves whole
    EXPECT_EQ(LinesOf(e.Lines), (V{"012345678", kA + "x\r\n", "q" + kNul}));
    e.CurSet(3, 1, Txmovemode::normal);
    e.TypeText("1234567");  // ten visible: the break goes to its own row
    EXPECT_EQ(LinesOf(e.Lines), (V{"012345678", kA + "x1234567", "\r\n", "q" + kNul}));
    EXPECT_EQ(e.CurposY, 2);
    EXPECT_EQ(e.CurposX, 0);
    e.BackSpace();
    EXPECT_EQ(LinesOf(e.Lines), (V{"012345678", kA + "x123456\r\n", "q" + kNul}));
    EXPECT_EQ(e.CurposY, 1);
    EXPECT_EQ(e.CurposX, 9);
    ASSERT_TRUE(Invariants(e));
}

TEST_F(Wrapped, RelayoutKeepsTheFreeCaretInsideItsLine) {
    Put("abc\r\ndef");
    e.SetFreeCaretMode(true);
    e.CurposX = 8;
    e.CurposY = 0;
    e.SetWordWrap(false, true);
    EXPECT_EQ(e.CurposX, 3);
}

TEST(WrappedUneven, EditsRewrapAsAFreshWrapWould) {
    // With widths that differ by character, re-wrapping from the row before
    // an edit must still give the rows a whole new wrap gives.
    UnevenView view;
    RecordingEdit e(&view);
    Measure(e);
    e.SetColumn(12);
    std::mt19937 rng(5);
    const std::vector<std::string> pieces = {"i", "m", "a", "W", kA, kHyou, " ", "\t", "\r\n"};
    std::string model;
    e.SetText(model);
    for (int step = 0; step < 400; ++step) {
        const int y = static_cast<int>(rng() % static_cast<unsigned>(e.LineCount()));
        e.CurSet(static_cast<int>(rng() % 30), y, Txmovemode::normal);
        if (rng() % 3 == 0 && model.size() > 0) {
            e.BackSpace();
        } else {
            e.TypeText(pieces[rng() % pieces.size()]);
        }
        model = e.Text();
        ASSERT_TRUE(Invariants(e)) << step;
        ASSERT_EQ(LinesOf(e.Lines), FreshLayout(e, model, &view)) << step;
    }
}

TEST_F(Wrapped, RelayoutRepaintsOnlyWhenAsked) {
    Put(k10 + k10);
    view.repaints = 0;
    e.SetWordWrap(false, false);
    e.SetWordWrap(true, false);
    EXPECT_EQ(view.repaints, 0);
    e.SetWordWrap(false, true);
    EXPECT_GE(view.repaints, 1);
    view.repaints = 0;
    e.RefreshLine();  // unwrapped: repaints everything
    EXPECT_EQ(view.repaints, 1);
}

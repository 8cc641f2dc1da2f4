#include <gtest/gtest.h>

#include "control/engine/find_state.h"
#include "control/engine/tarn_edit.h"
#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;

namespace {

struct PaintedHit {
    int x, y, len;
    std::uint32_t text, back;
};

class FindView : public RecordingView {
public:
    std::vector<PaintedHit> painted;
    void PaintFindHit(int x, int y, int len, std::uint32_t text, std::uint32_t back) override {
        painted.push_back({x, y, len, text, back});
    }
};

struct Hit {
    int x, y, len, count;
    friend bool operator==(const Hit&, const Hit&) = default;
    friend std::ostream& operator<<(std::ostream& o, const Hit& h) {
        return o << "(" << h.x << "," << h.y << "," << h.len << ",#" << h.count << ")";
    }
};

struct Finder : ::testing::Test {
    FindView view;
    TTarnEdit e{&view};
    std::vector<Hit> hits;
    int noHits = 0;
    int asked = 0;
    void SetUp() override {
        Measure(e);
        e.SetWordWrap(false, false);
        // The host's plain byte search.
        e.OnFind = [this](const std::string& s, const std::string& f, int, int& x, int& len) {
            ++asked;
            const auto p = s.find(f);
            x = p == std::string::npos ? 0 : static_cast<int>(p) + 1;
            len = static_cast<int>(f.size());
        };
        e.OnFindHit = [this](const std::string&, int x, int y, int len, int count) { hits.push_back({x, y, len, count}); };
        e.OnFindNoHit = [this](const std::string&) { ++noHits; };
    }
    void Put(const std::string& s) { e.SetText(s); }
    // The document still keeps its shape: one NUL, at the very end.
    void ExpectWellFormed() {
        const std::string all = e.Lines.GetTextStr();
        ASSERT_FALSE(all.empty());
        EXPECT_EQ(all.back(), '\0');
        EXPECT_EQ(all.find('\0'), all.size() - 1);
    }
};

}  // namespace

TEST(SearchText, TakesTheRangeAndEnoughOfTheLinesBelow) {
    TTarnStrings s;
    s.SetTextStr(std::string("abc\r\ndef\r\nghi") + kNul);
    int first = 0;
    // One byte to find: the line alone.
    EXPECT_EQ(BuildSearchText(s, 0, 1, 2, 0, 1, first), "bc\r\n");
    EXPECT_EQ(first, 4);
    // A long find string pulls in lines below; never the end-of-text mark.
    EXPECT_EQ(BuildSearchText(s, 0, 0, 2, 0, 8, first), "abc\r\ndef\r\nghi");
    EXPECT_EQ(first, 5);
    // The end line is cut at its end distance.
    EXPECT_EQ(BuildSearchText(s, 2, 0, 2, 3, 1, first), "g");
    EXPECT_EQ(BuildSearchText(s, 0, 0, 1, 3, 9, first), "abc\r\nde");
    // Outside the range or the store: nothing.
    EXPECT_EQ(BuildSearchText(s, 3, 0, 3, 0, 1, first), "");
    EXPECT_EQ(first, 0);
    EXPECT_EQ(BuildSearchText(s, 0, 99, 2, 0, 1, first), "");
}

TEST(SearchText, NonsenseAnswersAreNoHitOrAreMadeSound) {
    const std::string t = "ab\r\ncd";
    EXPECT_FALSE(SanitizeHit(t, 4, 0, 1, false));
    EXPECT_FALSE(SanitizeHit(t, 4, -3, 1, false));
    EXPECT_FALSE(SanitizeHit(t, 4, 5, 1, false));  // starts on the next line
    EXPECT_FALSE(SanitizeHit(t, 99, 7, 1, false));  // past the text
    auto h = SanitizeHit(t, 4, 1, -5, false);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->Start, 0);
    EXPECT_EQ(h->Len, 1);
    h = SanitizeHit(t, 4, 2, 1 << 30, false);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->Len, 5);
    // Half a CR LF is the whole pair.
    h = SanitizeHit(t, 4, 3, 1, false);
    EXPECT_EQ(h->Len, 2);
    h = SanitizeHit(t, 4, 4, 1, false);
    EXPECT_EQ(h->Start, 2);
    EXPECT_EQ(h->Len, 2);
    // Half a double-byte character is the whole character.
    const std::string d = "a" + B({0x82, 0xA0}) + "b";
    h = SanitizeHit(d, 4, 3, 1, false);
    EXPECT_EQ(h->Start, 1);
    EXPECT_EQ(h->Len, 2);
    h = SanitizeHit(d, 4, 2, 1, false);
    EXPECT_EQ(h->Len, 2);
    h = SanitizeHit(d, 4, 3, 1, true);
    EXPECT_EQ(h->Start, 2);
    EXPECT_EQ(h->Len, 1);
}

TEST_F(Finder, WithoutAnAnsweringHandlerNothingIsFound) {
    Put("abc\r\nabc");
    e.OnFind = nullptr;
    e.FindInit("abc");
    e.FindDown();
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(noHits, 1);
    e.OnFind = [](const std::string&, const std::string&, int, int&, int&) {};
    e.FindDown();
    EXPECT_EQ(noHits, 2);
}

TEST_F(Finder, FindDownWalksTheHitsAndStartsOverAfterTheLast) {
    Put("xab ab\r\n\r\nab");
    e.FindInit("ab");
    e.FindDown();
    e.FindDown();
    e.FindDown();
    EXPECT_EQ(hits, (std::vector<Hit>{{1, 0, 2, 1}, {4, 0, 2, 2}, {0, 2, 2, 3}}));
    EXPECT_EQ(e.CurposX, 0);
    EXPECT_EQ(e.CurposY, 2);
    EXPECT_EQ(noHits, 0);
    e.FindDown();
    EXPECT_EQ(noHits, 1);
    hits.clear();
    e.FindDown();
    EXPECT_EQ(hits, (std::vector<Hit>{{1, 0, 2, 1}}));
}

TEST_F(Finder, FirstSearchStartsAfterTheCaretAndASelectionChangeStartsOver) {
    Put("ab ab ab");
    e.CurSet(2, 0, Txmovemode::normal);
    e.FindInit("ab");
    e.FindDown();
    EXPECT_EQ(hits.back().x, 3);
    e.CurSet(0, 0, Txmovemode::normal);
    e.SelectionChanged();
    e.FindDown();
    EXPECT_EQ(hits.back().x, 0);
    e.AllSel();
    EXPECT_TRUE(e.FindState().FirstSearch);
}

TEST_F(Finder, AHitReportedBeyondTheLinePartWaitsForItsOwnLine) {
    Put("ab\r\ncd\r\nef");
    // A handler that always points into the second line of what it gets.
    e.OnFind = [](const std::string& s, const std::string& f, int, int& x, int& len) {
        const auto p = s.find(f);
        x = p == std::string::npos ? 0 : static_cast<int>(p) + 1;
        len = static_cast<int>(f.size());
    };
    e.FindInit("\r\ncd");
    e.FindDown();
    // Found from line 0, where it starts (the CR LF of line 0).
    EXPECT_EQ(hits, (std::vector<Hit>{{2, 0, 4, 1}}));
    hits.clear();
    e.FindInit("d\r\ne");
    e.FindDown();
    EXPECT_EQ(hits, (std::vector<Hit>{{1, 1, 4, 1}}));
}

TEST_F(Finder, MatchesRunOverLineBreaksFromLateInALongLine) {
    Put("0123456789ab\r\ncd");
    e.FindInit("b\r\nc");
    e.FindDown();
    EXPECT_EQ(hits, (std::vector<Hit>{{11, 0, 4, 1}}));
}

TEST_F(Finder, FindUpTakesTheLastHitBeforeTheCaretThenEarlierOnes) {
    Put("ab ab\r\nab xab");
    e.CurSet(6, 1, Txmovemode::normal);
    e.FindInit("ab");
    e.FindUP();
    e.FindUP();
    e.FindUP();
    e.FindUP();
    EXPECT_EQ(hits, (std::vector<Hit>{{4, 1, 2, 1}, {0, 1, 2, 2}, {3, 0, 2, 3}, {0, 0, 2, 4}}));
    e.FindUP();
    EXPECT_EQ(noHits, 1);
    // Run out at the top: the next one starts at the bottom, counting anew.
    e.FindUP();
    EXPECT_EQ(hits.back(), (Hit{4, 1, 2, 1}));
}

TEST_F(Finder, TurningRoundGoesOnFromTheLastHit) {
    Put("ab ab ab ab");
    e.FindInit("ab");
    e.FindDown();
    e.FindDown();
    e.FindDown();
    e.FindUP();
    EXPECT_EQ(hits.back().x, 3);
    e.FindDown();
    EXPECT_EQ(hits.back().x, 6);
}

TEST_F(Finder, HitsInsideADoubleByteCharacterCoverTheWholeCharacter) {
    // 0x82 0x41 is one character whose trail byte is an "A".
    Put("x" + B({0x82, 0x41}) + "A");
    e.FindInit("A");
    e.FindDown();
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].x, 1);
    EXPECT_EQ(hits[0].len, 2);
    EXPECT_EQ(e.CurposX, 1);
    e.FindDown();
    EXPECT_EQ(hits.back().x, 3);
}

TEST_F(Finder, RememberedHitIsPaintedUntilTheCaretMoves) {
    Put("abc abc");
    e.FindInit("bc");
    e.SetFindHitFocus(0x0000C8);
    EXPECT_TRUE(view.painted.empty());
    e.OnFindHit = [this](const std::string&, int, int, int, int) { e.SetFindHitFocus(0x0000C8); };
    e.FindDown();
    ASSERT_EQ(view.painted.size(), 1u);
    EXPECT_EQ(view.painted[0].x, 1);
    EXPECT_EQ(view.painted[0].len, 2);
    EXPECT_EQ(view.painted[0].text, 0x0000C8u);
    EXPECT_EQ(view.painted[0].back, 0xFFFF37u);
    e.CurSet(0, 0, Txmovemode::normal);
    e.SetFindHitFocus(0x0000C8);
    EXPECT_EQ(view.painted.size(), 1u);
}

TEST_F(Finder, ReplaceAllDoesNotSearchTheReplacementAgain) {
    Put("ab ab\r\nab");
    int endCount = -1;
    std::string endChange;
    e.OnFindChangeEnd = [&](const std::string&, const std::string& c, int n) {
        endCount = n;
        endChange = c;
    };
    e.FindChange("ab", "xabx", true, false, true);
    EXPECT_EQ(e.Text(), "xabx xabx\r\nxabx");
    EXPECT_EQ(endCount, 3);
    EXPECT_EQ(endChange, "xabx");
}

TEST_F(Finder, ReplaceRunsOverLineBreaksAndMayAddOrRemoveLines) {
    Put("ab\r\ncd\r\nab\r\ncd");
    e.FindChange("b\r\nc", "-", true, false, true);
    EXPECT_EQ(e.Text(), "a-d\r\na-d");
    e.FindChange("-", "\r\n\r\n", true, false, true);
    EXPECT_EQ(e.Text(), "a\r\n\r\nd\r\na\r\n\r\nd");
    ExpectWellFormed();
}

TEST_F(Finder, ReplaceFromTheCaretOrFromTheTop) {
    Put("ab ab ab");
    e.CurSet(2, 0, Txmovemode::normal);
    e.FindChange("ab", "X", true, false, false);
    EXPECT_EQ(e.Text(), "ab X X");
}

TEST_F(Finder, ReplaceInsideASelectionStopsAtItsEndColumn) {
    Put("ab ab\r\nab ab\r\nab ab");
    // Selected from line 0 column 3 to line 1 column 4, made backwards.
    e.SetselLine(4, 1, 3, 0);
    e.FindChange("ab", "X", false, false, false);
    EXPECT_EQ(e.Text(), "ab X\r\nX ab\r\nab ab");
}

TEST_F(Finder, ConfirmationSkipsStopsOrLetsTheRestRun) {
    Put("a a a a a");
    int asks = 0;
    int endCount = -1;
    e.OnFindChangeEnd = [&](const std::string&, const std::string&, int n) { endCount = n; };
    e.OnFindChange = [&](const std::string&, const std::string&, int, int, int, int, bool& change, bool&, bool&) {
        ++asks;
        change = asks != 2;  // leave the second one
    };
    e.FindChange("a", "b", true, true, true);
    EXPECT_EQ(e.Text(), "b a b b b");
    EXPECT_EQ(endCount, 4);

    Put("a a a a a");
    asks = 0;
    e.OnFindChange = [&](const std::string&, const std::string&, int, int, int, int count, bool&, bool&, bool& abort) {
        EXPECT_EQ(count, asks);
        abort = ++asks == 3;
    };
    e.FindChange("a", "b", true, true, true);
    EXPECT_EQ(e.Text(), "b b a a a");
    EXPECT_EQ(endCount, 2);

    Put("a a a a a");
    asks = 0;
    e.OnFindChange = [&](const std::string&, const std::string&, int, int, int, int, bool&, bool& confirm, bool&) {
        ++asks;
        confirm = false;
    };
    e.FindChange("a", "b", true, true, true);
    EXPECT_EQ(e.Text(), "b b b b b");
    EXPECT_EQ(asks, 1);
    EXPECT_EQ(endCount, 5);
}

TEST_F(Finder, NonsenseHandlersNeitherCrashNorLoop) {
    struct Answer {
        int x, len;
    };
    const Answer answers[] = {{1 << 30, 3}, {-7, 3}, {1, -9}, {1, 1 << 30}, {1, 0}, {2, 1}, {0x7FFFFFFF, 0x7FFFFFFF}};
    for (const Answer a : answers) {
        SCOPED_TRACE(testing::Message() << a.x << "," << a.len);
        Put("ab" + B({0x82, 0xA0}) + "\r\ncd\r\nef");
        e.OnFind = [&](const std::string&, const std::string&, int, int& x, int& len) {
            ++asked;
            x = a.x;
            len = a.len;
        };
        asked = 0;
        e.FindInit("ab");
        for (int i = 0; i < 20; ++i) e.FindDown();
        for (int i = 0; i < 20; ++i) e.FindUP();
        e.FindChange("ab", "xyz", true, false, true);
        e.FindChange("ab", "", true, true, true);
        EXPECT_LT(asked, 10000);
        ExpectWellFormed();
        EXPECT_LE(e.CurposY, e.LastLine());
    }
}

TEST_F(Finder, AFindAfterTheTextIsReplacedStaysInsideIt) {
    Put("ab\r\nab\r\nab\r\nab");
    e.FindInit("ab");
    e.FindDown();
    e.FindDown();
    e.FindDown();
    Put("ab");
    e.FindDown();
    e.FindUP();
    e.SetFindHitFocus(0xFF);
    ExpectWellFormed();
}

TEST_F(Finder, WithWrapOnHitsRunOverCutsAndReplacementsRewrapOnce) {
    e.SetColumn(10);
    e.SetWordWrap(true, false);
    Put("0123456789abcdefghij\r\nxyz");
    ASSERT_GE(e.LineCount(), 3);
    // "89ab" straddles the cut after column 10.
    e.FindInit("89ab");
    e.FindDown();
    EXPECT_EQ(hits, (std::vector<Hit>{{8, 0, 4, 1}}));
    e.FindChange("89ab", "--------", true, false, true);
    EXPECT_EQ(e.Text(), "01234567--------cdefghij\r\nxyz");
    // The document is cut to the width again.
    for (int i = 0; i < e.LineCount(); ++i) EXPECT_LE(VisibleLength(e.Lines.Line(i)), 10) << i;
    e.Undo();
    e.Undo();
    EXPECT_EQ(e.Text(), "0123456789abcdefghij\r\nxyz");
}

TEST_F(Finder, UpAfterRunningOutDownwardsStartsBeforeTheLastHit) {
    Put("ab ab ab");
    e.FindInit("ab");
    e.FindDown();
    e.FindDown();
    e.FindDown();
    e.FindDown();
    EXPECT_EQ(noHits, 1);
    e.FindUP();
    EXPECT_EQ(hits.back().x, 3);
}

TEST_F(Finder, FindStartSearchesFromTheTopAndCountsAgain) {
    Put("ab\r\nab");
    e.CurSet(1, 1, Txmovemode::normal);
    e.FindInit("ab");
    e.FindDown();
    EXPECT_EQ(noHits, 1);
    e.FindStart();
    EXPECT_EQ(hits, (std::vector<Hit>{{0, 0, 2, 1}}));
    e.FindDown();
    EXPECT_EQ(hits.back(), (Hit{0, 1, 2, 2}));
}

TEST_F(Finder, ReplaceInAnAllSelectionCoversTheWholeText) {
    Put("ab\r\nab");
    e.CurSet(1, 1, Txmovemode::normal);
    e.AllSel();
    e.FindChange("ab", "c", false, false, false);
    EXPECT_EQ(e.Text(), "c\r\nc");
    EXPECT_FALSE(e.Selmode());
}

// A document read or set as a whole is split into rows only as far as
// somebody looks. Whatever is asked, the answer is the one a document split
// at once would give.
#include <gtest/gtest.h>

#include <fstream>

#include "control/engine/line_feed.h"
#include "control/engine/line_loader.h"
#include "edit_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;

namespace {

constexpr std::size_t kBlock = 2 << 20;  // the feed's file block

// About `bytes` of CR LF text whose lines are of every kind the splitter
// knows, with a CR and its LF placed across the first block boundary, a
// line longer than a block, and double-byte text.
std::string MixedText(std::size_t bytes) {
    std::string t;
    long n = 0;
    while (t.size() < bytes) {
        switch (n % 7) {
            case 0: t += "<p>line " + std::to_string(n) + " " + kA + kHyou + kA + "</p>\r\n"; break;
            case 1: t += "\r\n"; break;
            case 2: t += "a CR without LF\rX then more\r\n"; break;
            case 3: t += std::string(150, 'w') + kHyou + "\r\n"; break;
            case 4: t += "tab\there\r\n"; break;
            case 5: t += kA + kA + kA + "\r\n"; break;
            case 6: t += "short\r\n"; break;
        }
        ++n;
        if (t.size() > kBlock - 40 && t.size() < kBlock) {
            t.append(kBlock - 1 - t.size(), 'z');
            t += "\r\n";  // the CR is the block's last byte
        }
        if (n == 5000) t += std::string(kBlock + 1000, 'L') + "\r\n";
    }
    return t + "end";
}

// The stored lines of a CR LF file split all at once.
V SplitAtOnce(const std::string& file) {
    TTarnStrings s;
    V out;
    TextSplitter split(TextSplitter::kTerminateLast, [&](std::string&& l) { out.push_back(std::move(l)); });
    split.Feed(file);
    split.Feed(std::string_view("\0", 1));
    split.Finish();
    return out;
}

}  // namespace

TEST(LineFeed, AFileSplitsAcrossItsBlocksAsAWholeReadWould) {
    TempDir dir;
    const std::string text = MixedText(5 << 20);
    WriteFile(dir / "big.htm", text);
    TTarnStrings s;
    s.LoadFromFile(dir / "big.htm");
    EXPECT_TRUE(s.Settling());
    EXPECT_EQ(s.SettledCount(), 0);
    EXPECT_EQ(LinesOf(s), SplitAtOnce(text));
    EXPECT_FALSE(s.Settling());

    // LF files go through the break-byte splitter, block by block too.
    std::string lf;
    for (const std::string& l : SplitAtOnce(text)) {
        std::string v(VisibleText(l));
        if (HasLineBreak(l)) lf += v + "\n";
        else lf += l.back() == '\0' ? v : l;
    }
    WriteFile(dir / "lf.htm", lf);
    TTarnStrings fromLf;
    fromLf.LoadFromFile(dir / "lf.htm");
    TTarnStrings expected;
    V want;
    BreakByteSplitter split('\n', [&](std::string&& l) { want.push_back(std::move(l)); });
    split.Feed(lf);
    split.Finish();
    EXPECT_EQ(LinesOf(fromLf), want);
}

TEST(LineFeed, QuestionsSplitOnlyAsFarAsTheyLook) {
    TempDir dir;
    const std::string text = MixedText(3 << 20);
    WriteFile(dir / "big.htm", text);
    const V all = SplitAtOnce(text);
    TTarnStrings s;
    s.LoadFromFile(dir / "big.htm");
    EXPECT_TRUE(s.Has(10));
    const int afterHas = s.SettledCount();
    EXPECT_GT(afterHas, 10);
    EXPECT_LT(afterHas, static_cast<int>(all.size()) / 4);
    EXPECT_EQ(s.Line(1000), all[1000]);
    EXPECT_LT(s.SettledCount(), static_cast<int>(all.size()) / 2);
    EXPECT_FALSE(s.Has(static_cast<int>(all.size())));
    EXPECT_EQ(s.SettledCount(), static_cast<int>(all.size()));
    EXPECT_EQ(s.EstimatedCount(), s.Count());
}

TEST(LineFeed, TheEstimatedCountFollowsWhatWasSplitAndEndsExact) {
    // A page of like lines, as the scroll bar sees it while it is split.
    std::string page;
    for (int i = 0; i < 40000; ++i) page += "<div>row " + std::to_string(i) + " " + kA + kA + "</div>\r\n";
    TTarnStrings s;
    s.SetTextStr(page);
    EXPECT_GT(s.EstimatedCount(), 0);
    s.SettleSome(64 * 1024);
    EXPECT_NEAR(s.EstimatedCount(), 40000, 40000 / 20);
    while (s.SettleSome(64 * 1024)) {
    }
    EXPECT_EQ(s.EstimatedCount(), 40000);
    EXPECT_EQ(s.Count(), 40000);
}

TEST(LineFeed, ALineHeldStaysWhereItIsWhileLaterLinesAreSplit) {
    TTarnStrings s;
    s.SetTextStr(MixedText(1 << 20));
    const std::string& first = s.Line(0);
    const std::string copy = first;
    s.SettleAll();
    EXPECT_EQ(first, copy);  // the sanitized twin sees a dangling reference
}

TEST(LineFeed, EditsThatReachPendingLinesSplitThemFirst) {
    const std::string text = MixedText(1 << 20);
    TTarnStrings lazy, eager;
    lazy.SetTextStr(text);
    eager.SetTextStr(text);
    eager.SettleAll();
    auto both = [&](auto&& edit) {
        edit(lazy);
        edit(eager);
    };
    lazy.Line(5);
    const int beyond = lazy.SettledCount() + 100;
    both([&](TTarnStrings& s) { s.Insert(beyond, "inserted\r\n"); });
    both([&](TTarnStrings& s) { s.Put(beyond + 50, "put\r\n"); });
    both([&](TTarnStrings& s) { s.Insert(3, "near the top\r\n"); });
    both([&](TTarnStrings& s) { s.DeleteRange(beyond + 200, 30); });
    EXPECT_TRUE(lazy.Settling());
    both([&](TTarnStrings& s) { s.Add("last"); });
    EXPECT_EQ(LinesOf(lazy), LinesOf(eager));
    EXPECT_EQ(lazy.HardBreakCount(), eager.HardBreakCount());
    // An empty text is no lines at all, as before.
    lazy.SetTextStr("");
    EXPECT_EQ(lazy.Count(), 0);
}

namespace {
struct PendingEditor : ::testing::Test {
    TempDir dir;
    RecordingView view;
    RecordingEdit e{&view};
    std::string text = MixedText(3 << 20);
    void SetUp() override {
        Measure(e, 10, 72);
        e.SetWordWrap(true, false);
        WriteFile(dir / "page.htm", text);
    }
    // The rows a relayout of the whole document gives.
    V Relaid() {
        e.RefreshWrap();
        return LinesOf(e.Lines);
    }
};
}  // namespace

TEST_F(PendingEditor, LoadingWrapsTheFirstScreenAndLeavesTheRest) {
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    EXPECT_TRUE(e.Lines.Settling());
    EXPECT_GT(e.Lines.SettledCount(), e.ClLineCount);
    EXPECT_FALSE(e.Lines.Has(e.Lines.SettledCount() + 1) && !e.Lines.Settling());
    // Every row is as a whole relayout cuts it, and the text is the file's.
    const V rows = LinesOf(e.Lines);
    EXPECT_EQ(rows, Relaid());
    EXPECT_EQ(e.Text(), text);
    EXPECT_TRUE(Invariants(e));
}

TEST_F(PendingEditor, PositionsFarInTheDocumentAreRightBeforeItIsAllSplit) {
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    // A far text line: its wrapped row and back again.
    int x = 5, y = 9000;
    e.NtoWcurpos(x, y);
    int bx = x, by = y;
    e.WtoNcurpos(bx, by);
    EXPECT_EQ(std::make_pair(bx, by), std::make_pair(5, 9000));
    e.CurSet(x, y, Txmovemode::normal);
    e.TypeText("Q");
    // The same on a document split at once.
    RecordingView view2;
    RecordingEdit f{&view2};
    Measure(f, 10, 72);
    f.SetWordWrap(true, false);
    ASSERT_TRUE(f.LoadFromFile(dir / "page.htm"));
    f.Lines.SettleAll();
    int fx = 5, fy = 9000;
    f.NtoWcurpos(fx, fy);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(fx, fy));
    f.CurSet(fx, fy, Txmovemode::normal);
    f.TypeText("Q");
    EXPECT_EQ(e.Text(), f.Text());
    EXPECT_EQ(e.CurposY, f.CurposY);
    EXPECT_TRUE(Invariants(e));
}

TEST_F(PendingEditor, TypingAtTheTopWhileTheRestIsPending) {
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    e.TypeText("new ");
    EXPECT_TRUE(e.Lines.Settling());
    while (e.SettleSome(256 * 1024)) {
    }
    EXPECT_EQ(e.Text(), "new " + text);
    EXPECT_TRUE(Invariants(e));
    e.Undo();
    EXPECT_EQ(e.Text(), text);
}

TEST_F(PendingEditor, ANewDocumentReplacesOneStillPending) {
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    e.SetText("small");
    EXPECT_FALSE(e.Lines.Settling());
    EXPECT_EQ(e.Text(), "small");
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    e.Clear();
    EXPECT_FALSE(e.SettleSome(1024));
    // A file that is gone leaves the document pending as it was.
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    EXPECT_FALSE(e.LoadFromFile(dir / "missing.htm"));
    EXPECT_EQ(e.Text(), text);
}

TEST_F(PendingEditor, AFileRewrittenInPlaceWhileBeingReadEndsTheDocumentReadOnly) {
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    {
        // Rewritten in place (same file, new content), not replaced.
        std::ofstream f(dir / "page.htm", std::ios::binary | std::ios::trunc);
        f << "something else entirely";
    }
    while (e.SettleSome(256 * 1024)) {
    }
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("changed while it was being read"), std::string::npos);
    EXPECT_TRUE(e.ReadOnly);
    const std::string got = e.Text();
    EXPECT_LT(got.size(), text.size());
    EXPECT_EQ(text.compare(0, got.size() - 1, got, 0, got.size() - 1), 0);
    EXPECT_TRUE(Invariants(e));
}

TEST_F(PendingEditor, AFileReplacedByANewOneIsStillReadWhole) {
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    // The way programs save: a new file renamed over the old name.
    WriteFile(dir / "new.htm", "new content");
    std::filesystem::rename(dir / "new.htm", dir / "page.htm");
    while (e.SettleSome(256 * 1024)) {
    }
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(e.Text(), text);
}

TEST_F(PendingEditor, EditsBetweenIdleStepsKeepTheDocumentWhole) {
    ASSERT_TRUE(e.LoadFromFile(dir / "page.htm"));
    // Lines added at the top while the rest is split, and then while the
    // split lines move into the line array.
    std::string typed;
    int steps = 0;
    do {
        e.TypeText("a");
        e.NewLine();
        typed += "a\r\n";
        ++steps;
    } while (e.SettleSome(128 * 1024));
    EXPECT_GT(steps, 20);
    EXPECT_FALSE(e.Lines.Settling());
    EXPECT_TRUE(e.Text() == typed + text);  // not EXPECT_EQ: a diff of 3 MB takes minutes
    EXPECT_TRUE(Invariants(e));
    // Everything typed goes back (characters and line breaks are separate steps).
    for (int i = 0; i < 2 * steps; ++i) e.Undo();
    EXPECT_TRUE(e.Text() == text);
}

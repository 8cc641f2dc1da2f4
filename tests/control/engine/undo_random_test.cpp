// Seeded random edits, then everything undone and redone: the text must
// come back byte for byte, and every state on the way back must be one the
// edits passed through, in order.
#include <gtest/gtest.h>

#include <random>

#include "control/engine/tarn_edit.h"
#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;

namespace {

struct Params {
    bool wrap;
    unsigned seed;
};

class RandomUndo : public ::testing::TestWithParam<Params> {
protected:
    RecordingView view;
    TTarnEdit e{&view};
    std::mt19937 rng{GetParam().seed};

    void SetUp() override {
        Measure(e);
        e.SetColumn(10);
        e.SetWordWrap(GetParam().wrap, false);
        e.SetText("start " + B({0x82, 0xA0}) + " text\r\nsecond line of it\r\n\r\nend");
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }
    void RandomCaret() {
        const int y = Pick(e.LineCount());
        e.CurSet(Pick(VisibleLength(e.Lines.Line(y)) + 1), y, Txmovemode::normal);
    }
    void RandomSelection() {
        const int y1 = Pick(e.LineCount()), y2 = Pick(e.LineCount());
        e.SetselLine(Pick(VisibleLength(e.Lines.Line(y1)) + 1), y1, Pick(VisibleLength(e.Lines.Line(y2)) + 1), y2);
    }
    void RandomEdit() {
        static const std::string pieces[] = {"a", "bc", "\r\n", B({0x82, 0xA0}), " ", "long words here", "x\r\ny"};
        switch (Pick(9)) {
            case 0: RandomCaret(); e.TypeText(pieces[Pick(7)]); break;
            case 1: e.TypeText(pieces[Pick(4)]); break;
            case 2: RandomCaret(); e.DeleteKey(); break;
            case 3: RandomCaret(); e.BackSpace(); break;
            case 4: RandomSelection(); e.TextPaste(pieces[Pick(7)]); break;
            case 5: RandomSelection(); e.ClearSelection(); break;
            case 6:
                e.InsMode = false;
                RandomCaret();
                e.TypeText(pieces[Pick(4)]);
                e.InsMode = true;
                break;
            case 7: RandomSelection(); e.TypeText(pieces[Pick(2)]); break;
            default: e.NewLine(); break;
        }
    }
};

TEST_P(RandomUndo, UndoAllGivesTheStartAndRedoAllTheEnd) {
    std::vector<std::string> states{e.Text()};
    for (int i = 0; i < 150; ++i) {
        RandomEdit();
        if (e.Text() != states.back()) states.push_back(e.Text());
        ASSERT_EQ(e.Lines.GetTextStr().find('\0'), e.Lines.GetTextStr().size() - 1) << "step " << i;
    }
    const std::string final = e.Text();
    ASSERT_FALSE(e.History().Truncated());
    std::size_t at = states.size() - 1;
    for (int guard = 0; guard < 10000 && !e.History().Undo.Empty(); ++guard) {
        e.Undo();
        // Each step lands on an earlier state (records at one place may
        // take two edits back at once).
        std::size_t j = at;
        while (j > 0 && states[j] != e.Text()) --j;
        ASSERT_EQ(states[j], e.Text()) << "undo " << guard;
        at = j;
    }
    EXPECT_EQ(e.Text(), states.front());
    EXPECT_FALSE(e.Modified);
    for (int guard = 0; guard < 10000 && !e.History().Redo.Empty(); ++guard) {
        const TEditRecord r = e.History().Redo.Newest();
        const std::string before = e.Text();
        e.Redo();
        std::size_t j = at;
        while (j < states.size() && states[j] != e.Text()) ++j;
        ASSERT_LT(j, states.size()) << "redo " << guard << " kind " << int(r.Action) << " at " << r.X << "," << r.Y
                                    << " text [" << r.Text << "] from [" << before << "] to [" << e.Text() << "]"
                                    << " expected [" << (at + 1 < states.size() ? states[at + 1] : "") << "]";
        at = j;
    }
    EXPECT_EQ(e.Text(), final);
    EXPECT_TRUE(e.Modified);
    // Switching the layout keeps the text; the records survive it.
    e.SetWordWrap(!GetParam().wrap, false);
    for (int guard = 0; guard < 10000 && !e.History().Undo.Empty(); ++guard) e.Undo();
    EXPECT_EQ(e.Text(), states.front());
}

TEST_P(RandomUndo, WithASmallBudgetModifiedStaysTrue) {
    e.UndoBuf = 40;
    std::vector<std::string> states{e.Text()};
    for (int i = 0; i < 80; ++i) {
        RandomEdit();
        states.push_back(e.Text());
    }
    ASSERT_TRUE(e.History().Truncated());
    EXPECT_LE(e.History().Undo.Bytes(), 40);
    for (int guard = 0; guard < 10000 && !e.History().Undo.Empty(); ++guard) e.Undo();
    EXPECT_TRUE(e.Modified);
    // Dropping the oldest records may split a pair, so the text need not be
    // one the edits passed through; it is still a sound document.
    const std::string all = e.Lines.GetTextStr();
    EXPECT_EQ(all.find('\0'), all.size() - 1);
    for (int guard = 0; guard < 10000 && !e.History().Redo.Empty(); ++guard) e.Redo();
    EXPECT_EQ(e.Text(), states.back());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUndo,
                         ::testing::Values(Params{false, 1}, Params{false, 2}, Params{false, 3}, Params{true, 1},
                                           Params{true, 2}, Params{true, 3}, Params{true, 4}),
                         [](const ::testing::TestParamInfo<Params>& p) {
                             return std::string(p.param.wrap ? "Wrapped" : "Unwrapped") + std::to_string(p.param.seed);
                         });

}  // namespace

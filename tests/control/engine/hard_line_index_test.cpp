#include <gtest/gtest.h>

#include <random>

#include "control/engine/hard_line_index.h"
#include "control/engine/tarn_strings.h"
#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;

namespace {
::testing::AssertionResult Agrees(const TTarnStrings& s) {
    std::vector<int> hard;
    for (int i = 0; i < s.Count(); ++i) {
        if (s.HardBreaksBefore(i) != static_cast<int>(hard.size()))
            return ::testing::AssertionFailure() << "count before " << i;
        if (HasLineBreak(s.Line(i))) hard.push_back(i);
    }
    if (s.HardBreaksBefore(s.Count()) != static_cast<int>(hard.size())) return ::testing::AssertionFailure() << "total";
    if (s.HardBreakCount() != static_cast<int>(hard.size())) return ::testing::AssertionFailure() << "size";
    for (std::size_t k = 0; k < hard.size(); ++k)
        if (s.HardBreakLine(static_cast<int>(k)) != hard[k]) return ::testing::AssertionFailure() << "entry " << k;
    return ::testing::AssertionSuccess();
}
}  // namespace

TEST(HardLineIndex, StepsKeepEntriesExact) {
    HardLineIndex x;
    for (int i : {1, 3, 5, 7, 9}) x.Append(i);
    x.LineInserted(4, false);  // 1 3 6 8 10
    x.LineInserted(0, true);   // 0 2 4 7 9 11
    x.LinesRemoved(3, 2);      // 0 2 (4 gone) 5 7 9
    x.LineChanged(6, true);    // 0 2 5 6 7 9
    std::vector<int> got;
    for (int k = 0; k < x.Size(); ++k) got.push_back(x.At(k));
    EXPECT_EQ(got, (std::vector<int>{0, 2, 5, 6, 7, 9}));
    EXPECT_EQ(x.CountBefore(6), 3);
    EXPECT_EQ(x.CountBefore(100), 6);
    x.LineChanged(2, false);
    EXPECT_EQ(x.CountBefore(6), 2);
}

TEST(HardLineIndex, StoreKeepsItThroughEveryMutation) {
    std::mt19937 rng(7);
    TTarnStrings s;
    s.SetTextStr("a\r\nb\r\nc");
    EXPECT_TRUE(Agrees(s));
    const std::vector<std::string> kinds = {"x\r\n", "seg", std::string("end") + '\0', "\r\n", ""};
    auto pick = [&] { return kinds[rng() % kinds.size()]; };
    for (int step = 0; step < 3000; ++step) {
        const int n = s.Count();
        switch (rng() % 9) {
            case 0: case 1: s.Insert(static_cast<int>(rng() % (n + 1)), pick()); break;
            case 2: if (n > 0) s.Delete(static_cast<int>(rng() % n)); break;
            case 3: if (n > 0) { int i = static_cast<int>(rng() % n); s.DeleteRange(i, static_cast<int>(rng() % (n - i + 1))); } break;
            case 4: case 5: if (n > 0) s.Put(static_cast<int>(rng() % n), pick()); break;
            case 6: if (rng() % 20 == 0) s.SetTextStr("p\r\nq\r\nr\r\n"); break;
            case 7: if (rng() % 40 == 0) s.Adopt({"1\r\n", "2", "3\r\n"}); break;
            case 8: { int i = static_cast<int>(rng() % (n + 1)); s.InsertText(i, "m\r\nn\r\no"); } break;
        }
        // Asked often, so that the index is live while edits run.
        if (step % 7 == 0) {
            ASSERT_TRUE(Agrees(s)) << "step " << step;
        }
    }
    ASSERT_TRUE(Agrees(s));
    s.SetCount(3);
    EXPECT_TRUE(Agrees(s));
    s.Clear();
    EXPECT_TRUE(Agrees(s));
    EXPECT_THROW(s.HardBreakLine(0), ERangeError);
}

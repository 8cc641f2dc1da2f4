// Seeded random edits against a plain string model: after every edit the
// store keeps its rules, the text equals the model, a wrapped store is laid
// out as a fresh wrap of the same text, and taking the edit's records back
// gives the text it started from.
#include <gtest/gtest.h>

#include <random>

#include "edit_test_support.h"

using namespace tarn;
using namespace tarn::test;

namespace {

bool IsTrail(const std::string& s, long long o) {
    return o > 0 && o < static_cast<long long>(s.size()) && GetByteType(s, static_cast<int>(o) + 1, false) == kTrailByte;
}

// A range end made safe the way a deletion makes it: never inside a CR LF
// or a character, never past the end.
long long SafeEnd(const std::string& s, long long o, bool up) {
    o = std::clamp<long long>(o, 0, static_cast<long long>(s.size()));
    if (o > 0 && o < static_cast<long long>(s.size()) && s[static_cast<std::size_t>(o - 1)] == '\r' &&
        s[static_cast<std::size_t>(o)] == '\n')
        return up ? o + 1 : o - 1;
    if (IsTrail(s, o)) return up ? o + 1 : o - 1;
    return o;
}

// Takes the records of one edit back, newest first.
std::string TakeBack(std::string text, const std::vector<Record>& recs) {
    for (auto it = recs.rbegin(); it != recs.rend(); ++it) {
        const Record& r = *it;
        const long long o = OffsetOfUnwrapped(text, r.x, r.y);
        EXPECT_GE(o, 0) << r;
        if (o < 0) return text;
        switch (r.action) {
            case uaInsert:
            case uaoverwIns:
                EXPECT_EQ(text.substr(static_cast<std::size_t>(o), r.text.size()), r.text) << r;
                text.erase(static_cast<std::size_t>(o), r.text.size());
                break;
            case uaDelete:
            case uadelkey:
            case uaoverwDel:
                text.insert(static_cast<std::size_t>(o), r.text);
                break;
            case uaBoxInsert:
                text = UndoBoxInsert(text, r.text);
                break;
            case uaBoxdelete:
                text = UndoBoxDelete(text, r.text);
                break;
            default:
                ADD_FAILURE() << "unexpected record " << r;
        }
    }
    return text;
}

struct Randomized : ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(Randomized, EditsAgreeWithAStringModel) {
    std::mt19937 rng(static_cast<unsigned>(GetParam()));
    RecordingView view;
    RecordingEdit e(&view);
    Measure(e, 10, 80);
    e.SetColumn(10 + static_cast<int>(rng() % 8));
    e.SetWordWrap(rng() % 2 == 0, false);
    const std::vector<std::string> pieces = {"a", "b", "c", " ", "\t", kA, kI, kHyou, "\r\n", "xyz", kA + kA};
    auto text = [&](int most) {
        std::string s;
        for (int n = 1 + static_cast<int>(rng() % static_cast<unsigned>(most)); n > 0; --n) s += pieces[rng() % pieces.size()];
        return s;
    };
    std::string model = text(30);
    e.SetText(model);
    ASSERT_EQ(e.Text(), model);
    const std::string start = model;

    auto place = [&] {
        const int y = static_cast<int>(rng() % static_cast<unsigned>(e.LineCount()));
        const int vis = VisibleLength(e.Lines.Line(y));
        e.CurSet(static_cast<int>(rng() % static_cast<unsigned>(vis + 2)), y, Txmovemode::normal);
        return OffsetOf(e, e.CurposX, e.CurposY);
    };
    auto randomPos = [&](int& x, int& y) {
        y = static_cast<int>(rng() % static_cast<unsigned>(e.LineCount()));
        x = static_cast<int>(rng() % (e.Lines.Line(y).size() + 1));
    };

    for (int step = 0; step < 600; ++step) {
        const std::string before = model;
        e.records.clear();
        e.InsMode = true;
        e.SetBoxSelMode(false);
        const bool big = model.size() > 500;
        int op = static_cast<int>(rng() % 14);
        if (big && op < 3) op = 3;
        std::string what;
        long long caretAfter = -1;
        switch (op) {
            case 0: case 1: {
                const long long o = place();
                const std::string t = text(3);
                e.TypeText(t);
                model.insert(static_cast<std::size_t>(o), t);
                caretAfter = o + static_cast<long long>(t.size());
                what = "type";
                break;
            }
            case 2: {
                const long long o = place();
                e.NewLine();
                model.insert(static_cast<std::size_t>(o), "\r\n");
                caretAfter = o + 2;
                what = "enter";
                break;
            }
            case 3: {
                const long long o = place();
                e.DeleteKey();
                if (o < static_cast<long long>(model.size())) {
                    std::size_t n = 1;
                    if (model.compare(static_cast<std::size_t>(o), 2, "\r\n") == 0) n = 2;
                    else if (GetByteType(model, static_cast<int>(o) + 1, false) == kLeadByte) n = 2;
                    model.erase(static_cast<std::size_t>(o), n);
                }
                caretAfter = o;
                what = "delete";
                break;
            }
            case 4: {
                const long long o = place();
                e.BackSpace();
                if (o > 0) {
                    std::size_t n = 1;
                    if (o >= 2 && model.compare(static_cast<std::size_t>(o - 2), 2, "\r\n") == 0) n = 2;
                    else if (IsTrail(model, o - 1)) n = 2;
                    model.erase(static_cast<std::size_t>(o) - n, n);
                    caretAfter = o - static_cast<long long>(n);
                } else {
                    caretAfter = 0;
                }
                what = "backspace";
                break;
            }
            case 5: case 6: {
                int x1, y1, x2, y2;
                randomPos(x1, y1);
                randomPos(x2, y2);
                e.SetselLine(x1, y1, x2, y2);
                long long a = OffsetOf(e, e.GCurposX, e.GCurposY), b = OffsetOf(e, e.SelEndX, e.SelEndY);
                if (b < a) std::swap(a, b);
                a = SafeEnd(model, a, false);
                b = std::max(a, SafeEnd(model, b, true));
                const std::string t = op == 6 ? text(4) : std::string();
                if (op == 5) e.ClearSelection();
                else e.TextPaste(t);
                model.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), t);
                caretAfter = a + static_cast<long long>(t.size());
                what = "replace selection";
                break;
            }
            case 7: {
                const long long o = place();
                e.LineDelEnd();
                std::size_t end = model.find("\r\n", static_cast<std::size_t>(o));
                if (end == std::string::npos) end = model.size();
                model.erase(static_cast<std::size_t>(o), end - static_cast<std::size_t>(o));
                caretAfter = o;
                what = "line end delete";
                break;
            }
            case 8: {
                const long long o = place();
                e.SetWordWrap(!e.WordWrap(), true);
                caretAfter = o;
                what = "toggle wrap";
                break;
            }
            case 9: {
                e.SetColumn(10 + static_cast<int>(rng() % 8));
                what = "column";
                break;
            }
            case 10: {
                // Overwrite: checked through its records.
                place();
                e.InsMode = false;
                e.TypeText(text(2));
                model = e.Text();
                what = "overwrite";
                break;
            }
            case 11: {
                place();
                e.SetBoxSelMode(true);
                e.InsMode = rng() % 3 != 0;
                e.TextPaste(text(6));
                model = e.Text();
                what = "box insert";
                break;
            }
            case 12: {
                int x1, y1, x2, y2;
                randomPos(x1, y1);
                randomPos(x2, y2);
                e.SetBoxSelMode(true);
                e.BoxColumFix = rng() % 2 == 0;
                e.SetselLine(x1, y1, x2, y2);
                e.ClearSelection();
                model = e.Text();
                what = "box delete";
                break;
            }
            case 13: {
                int x1, y1;
                randomPos(x1, y1);
                const std::string t = text(3);
                e.PrintText(t, x1, y1, -1, -1);
                model = e.Text();
                what = "print";
                break;
            }
        }
        SCOPED_TRACE("step " + std::to_string(step) + " " + what);
        ASSERT_TRUE(Invariants(e));
        ASSERT_EQ(e.Text(), model);
        ASSERT_EQ(TakeBack(model, e.records), before) << ::testing::PrintToString(e.records) << " ins " << e.InsMode
                                                      << " wrap " << e.WordWrap() << " col " << e.Column();
        if (caretAfter >= 0) {
            ASSERT_EQ(OffsetOf(e, e.CurposX, e.CurposY), caretAfter);
        }
        if (e.WordWrap()) {
            ASSERT_EQ(LinesOf(e.Lines), FreshLayout(e, model));
        }
    }

    // Every edit above went into the history: taking it all back gives the
    // starting text byte for byte, putting it all back the final text, in
    // whichever layout the edits left.
    ASSERT_FALSE(e.History().Truncated());
    const std::string final = e.Text();
    for (int guard = 0; guard < 100000 && !e.History().Undo.Empty(); ++guard) {
        e.Undo();
        ASSERT_TRUE(Invariants(e, false)) << "undo " << guard;
    }
    EXPECT_EQ(e.Text(), start);
    EXPECT_FALSE(e.Modified);
    for (int guard = 0; guard < 100000 && !e.History().Redo.Empty(); ++guard) {
        e.Redo();
        ASSERT_TRUE(Invariants(e, false)) << "redo " << guard;
    }
    EXPECT_EQ(e.Text(), final);
    if (e.WordWrap()) {
        EXPECT_EQ(LinesOf(e.Lines), FreshLayout(e, final));
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, Randomized, ::testing::Range(1, 25));

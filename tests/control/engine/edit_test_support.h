// What the layout and editing tests share: the invariant checker, an editor
// that keeps what its edits record, a font of uneven widths, and helpers
// that turn positions into offsets of the document text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/engine/box_record.h"
#include "control/engine/tarn_edit.h"
#include "engine_test_support.h"

namespace tarn::test {

// The rules of the store that every edit keeps. strictWrap adds what a
// re-wrapped document also holds: no empty wrap segment, none ending in CR.
inline ::testing::AssertionResult Invariants(const TTarnEdit& e, bool strictWrap = true) {
    const TTarnStrings& L = e.Lines;
    const int n = L.Count();
    if (n < 1) return ::testing::AssertionFailure() << "no stored line";
    for (int i = 0; i < n; ++i) {
        const std::string& s = L.Line(i);
        const auto nul = s.find('\0');
        if (i == n - 1) {
            if (!HasEofMark(s)) return ::testing::AssertionFailure() << "last line " << i << " lacks the NUL";
            if (nul != s.size() - 1) return ::testing::AssertionFailure() << "NUL inside line " << i;
            continue;
        }
        if (nul != std::string::npos) return ::testing::AssertionFailure() << "NUL in line " << i;
        if (HasLineBreak(s)) {
            if (s.size() < 2 || s[s.size() - 2] != '\r') return ::testing::AssertionFailure() << "line " << i << " ends in a lone LF";
            continue;
        }
        if (!e.WordWrap()) return ::testing::AssertionFailure() << "wrap segment " << i << " with word wrap off";
        if (strictWrap && s.empty()) return ::testing::AssertionFailure() << "empty wrap segment " << i;
        if (strictWrap && s.back() == '\r') return ::testing::AssertionFailure() << "segment " << i << " splits a CR LF";
    }
    auto checkPos = [&](int x, int y, const char* what) -> ::testing::AssertionResult {
        if (y < 0 || y >= n) return ::testing::AssertionFailure() << what << " row " << y << " outside";
        const std::string& s = L.Line(y);
        if (x < 0) return ::testing::AssertionFailure() << what << " column " << x;
        if (!e.FreeCaretMode() && x > VisibleLength(s))
            return ::testing::AssertionFailure() << what << " column " << x << " beyond row " << y;
        if (SplitsCharacter(s, x, e.SingleByteMode))
            return ::testing::AssertionFailure() << what << " (" << x << ", " << y << ") splits a character";
        return ::testing::AssertionSuccess();
    };
    if (auto r = checkPos(e.CurposX, e.CurposY, "caret"); !r) return r;
    if (auto r = checkPos(e.GCurposX, e.GCurposY, "anchor"); !r) return r;
    // The index of hard line ends agrees with the lines.
    int hard = 0;
    for (int i = 0; i < n; ++i) {
        if (L.HardBreaksBefore(i) != hard) return ::testing::AssertionFailure() << "hard index wrong before " << i;
        if (HasLineBreak(L.Line(i))) ++hard;
    }
    if (L.HardBreakCount() != hard) return ::testing::AssertionFailure() << "hard index count";
    return ::testing::AssertionSuccess();
}

struct Record {
    TxUndoAction action;
    std::string text;
    int x, y;  // unwrapped, as the history keeps them
    friend bool operator==(const Record&, const Record&) = default;
};
inline std::ostream& operator<<(std::ostream& o, const Record& r) {
    return o << "{" << int(r.action) << ", \"" << r.text << "\", " << r.x << ", " << r.y << "}";
}

// An editor that keeps every record its edits make, positions resolved the
// way the history resolves them.
class RecordingEdit : public TTarnEdit {
public:
    using TTarnEdit::TTarnEdit;
    std::vector<Record> records;
    bool EditSave(TxUndoAction action, std::string_view s, int posx, int posy) override {
        // The history gets the position as the primitive gave it.
        const int givenX = posx, givenY = posy;
        if (!s.empty()) {
            if (posx == -1) {
                posy = SelEndY;
                if (GCurposY < SelEndY) posx = GCurposX, posy = GCurposY;
                else if (SelEndY < GCurposY) posx = SelEndX;
                else posx = std::min(GCurposX, SelEndX);
            }
            if (WordWrap()) WtoNcurpos(posx, posy);
            records.push_back({action, std::string(s), posx, posy});
        }
        return TTarnEdit::EditSave(action, s, givenX, givenY);
    }
};

// Widths that differ by character, so that no count of bytes predicts them.
class UnevenView : public RecordingView {
public:
    bool FixedPitch() const override { return false; }
    int TextWidth(std::string_view b, int fw) const override {
        int w = 0;
        for (std::size_t i = 0; i < b.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(b[i]);
            if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < b.size()) {
                w += 3 * fw;  // a double-byte character, a little narrower than two
                ++i;
            } else if (c == 'i' || c == 'l' || c == '.') {
                w += fw;
            } else if (c == 'm' || c == 'w' || c == 'M' || c == 'W') {
                w += 3 * fw;
            } else {
                w += 2 * fw;
            }
        }
        return w;
    }
};

// The default measure, but without the promise of fixed pitch: the cut
// goes through the view's widths.
class MeasuredFixedView : public RecordingView {
public:
    bool FixedPitch() const override { return false; }
};

// Offset in Text() of a wrapped position.
inline long long OffsetOf(const TTarnEdit& e, int x, int y) {
    long long o = 0;
    for (int i = 0; i < y; ++i) o += static_cast<long long>(e.Lines.Line(i).size());
    return o + x;
}
// Offset in a document text of an unwrapped position (text line y, column x).
inline long long OffsetOfUnwrapped(const std::string& text, int x, int y) {
    std::size_t o = 0;
    for (int i = 0; i < y; ++i) {
        auto p = text.find("\r\n", o);
        if (p == std::string::npos) return -1;
        o = p + 2;
    }
    return static_cast<long long>(o) + x;
}

// Undoes a box insertion record on text: deletes each item's bytes in order.
inline std::string UndoBoxInsert(std::string text, const std::string& record) {
    for (const BoxItem& it : ParseBoxRecord(record).items) {
        long long o = OffsetOfUnwrapped(text, it.X, it.Y);
        if (o < 0 || o > static_cast<long long>(text.size())) {
            ADD_FAILURE() << "item " << it.X << "," << it.Y << " outside the text";
            return text;
        }
        EXPECT_EQ(text.substr(static_cast<std::size_t>(o), it.Text.size()), it.Text);
        text.erase(static_cast<std::size_t>(o), it.Text.size());
    }
    return text;
}
// Undoes a box deletion record on text: puts each item's text back in order.
inline std::string UndoBoxDelete(std::string text, const std::string& record) {
    for (const BoxItem& it : ParseBoxRecord(record).items) {
        long long o = OffsetOfUnwrapped(text, it.X, it.Y);
        if (o < 0 || o > static_cast<long long>(text.size())) {
            ADD_FAILURE() << "item " << it.X << "," << it.Y << " outside the text";
            return text;
        }
        text.insert(static_cast<std::size_t>(o), it.Text);
    }
    return text;
}

// The rows a fresh editor makes of text at the same settings.
inline std::vector<std::string> FreshLayout(const TTarnEdit& like, const std::string& text, TEditView* view = nullptr) {
    TTarnEdit f(view);
    Measure(f, like.ClLineCount, like.DwclientX);
    f.Fontwidth = like.Fontwidth;
    f.SetTabCount(like.TabCount());
    f.SetWordWrap(like.WordWrap(), false);
    f.SetColumn(like.Column());
    f.AutoWrap = like.AutoWrap;
    f.SingleByteMode = like.SingleByteMode;
    f.SetText(text);
    return LinesOf(f.Lines);
}

// An unwrapped editor that keeps its records; Put replaces the text and
// forgets what loading it recorded.
template <class ViewT = RecordingView>
struct UnwrappedEdit : ::testing::Test {
    ViewT view;
    RecordingEdit e{&view};
    void SetUp() override {
        Measure(e);
        e.SetWordWrap(false, false);
    }
    void Put(const std::string& s) {
        e.SetText(s);
        e.records.clear();
    }
};

inline const std::string kA = B({0x82, 0xA0});  // あ
inline const std::string kI = B({0x82, 0xA2});  // い
inline const std::string kHyou = B({0x95, 0x5C});  // 表: its trail byte is a backslash

}  // namespace tarn::test

#include "control/engine/edit_messages.h"

#include <gtest/gtest.h>

#include <cstring>

#include "control/engine/tarn_edit.h"
#include "engine_test_support.h"

namespace tarn {
namespace {

namespace msg = platform::messages;
using test::kNul;

class ClipboardView : public test::RecordingView {
public:
    std::string clip;
    bool has = false;
    bool ClipboardText(std::string& text) override {
        if (!has) return false;
        text = clip;
        return true;
    }
    void SetClipboardText(std::string_view text, bool) override {
        clip = std::string(text);
        has = true;
    }
};

class EditControlMessages : public ::testing::Test {
protected:
    void SetUp() override {
        e.SetView(&view);
        test::Measure(e);
        e.SetWordWrap(false, false);
        e.SetText("abc\r\ndefg\r\nhi");
    }
    msg::LRESULT Send(msg::UINT m, msg::WPARAM w = 0, msg::LPARAM l = 0) {
        auto r = EditControlMessage(e, m, w, l);
        EXPECT_TRUE(r.has_value());
        return r.value_or(-1);
    }
    template <class T>
    static msg::LPARAM L(T* p) { return reinterpret_cast<msg::LPARAM>(p); }
    template <class T>
    static msg::WPARAM W(T* p) { return reinterpret_cast<msg::WPARAM>(p); }

    ClipboardView view;
    TTarnEdit e;
};

TEST_F(EditControlMessages, OtherMessagesAreNotAnswered) {
    EXPECT_FALSE(EditControlMessage(e, msg::WM_KEYDOWN, 0, 0).has_value());
    EXPECT_FALSE(EditControlMessage(e, msg::EM_UNDO, 0, 0).has_value());
}

TEST_F(EditControlMessages, SetSelThenGetSelPacksColumnLowRowHigh) {
    Send(msg::EM_SETSEL, msg::MAKELONG(1, 0), static_cast<msg::LPARAM>(msg::MAKELONG(2, 1)));
    EXPECT_EQ(e.SelText(), "bc\r\nde");
    msg::DWORD start = 0xDEAD, end = 0xBEEF;
    EXPECT_EQ(Send(msg::EM_GETSEL, W(&start), L(&end)), 6);
    EXPECT_EQ(start, msg::MAKELONG(1, 0));
    EXPECT_EQ(end, msg::MAKELONG(2, 1));
    // Null pointers are skipped; the length still comes back.
    EXPECT_EQ(Send(msg::EM_GETSEL, 0, 0), 6);
    EXPECT_EQ(Send(msg::EM_GETSEL, W(&start), 0), 6);
}

TEST_F(EditControlMessages, RowsBeyondRangeAreClampedBySetSel) {
    Send(msg::EM_SETSEL, msg::MAKELONG(0, 0), static_cast<msg::LPARAM>(msg::MAKELONG(0xFFFF, 0xFFFF)));
    EXPECT_EQ(e.SelText(), "abc\r\ndefg\r\nhi");
}

TEST(PackPosition, RowIsLimitedTo32767) {
    EXPECT_EQ(PackPosition(5, 40000), msg::MAKELONG(5, 32767));
    EXPECT_EQ(PackPosition(-1, -1), 0u);
}

TEST_F(EditControlMessages, LineCountLengthAndFirstVisible) {
    EXPECT_EQ(Send(msg::EM_GETLINECOUNT), 3);
    EXPECT_EQ(Send(msg::EM_LINELENGTH, 0), 5);  // CR LF counted
    EXPECT_EQ(Send(msg::EM_LINELENGTH, 2), 2);  // the NUL is not
    EXPECT_EQ(Send(msg::EM_LINELENGTH, 3), 0);
    EXPECT_EQ(Send(msg::EM_LINELENGTH, static_cast<msg::WPARAM>(-1)), 0);
    e.ClOffsetY = 2;
    EXPECT_EQ(Send(msg::EM_GETFIRSTVISIBLELINE), 2);
}

TEST_F(EditControlMessages, GetLineCopiesAtMostTheBufferWord) {
    char buf[16];
    std::memset(buf, 'x', sizeof buf);
    const msg::WORD size = sizeof buf;
    std::memcpy(buf, &size, sizeof size);
    EXPECT_EQ(Send(msg::EM_GETLINE, 1, L(buf)), 6);
    EXPECT_EQ(std::string(buf, 7), "defg\r\nx");  // no NUL written

    const msg::WORD small = 3;
    std::memcpy(buf, &small, sizeof small);
    EXPECT_EQ(Send(msg::EM_GETLINE, 1, L(buf)), 3);
    EXPECT_EQ(std::string(buf, 3), "def");

    EXPECT_EQ(Send(msg::EM_GETLINE, 1, 0), 0);   // no buffer
    EXPECT_EQ(Send(msg::EM_GETLINE, 9, L(buf)), 0);  // no such row
}

TEST_F(EditControlMessages, GetLineOnAnEndMarkerOnlyRowIsZero) {
    e.SetText("ab\r\n");
    ASSERT_EQ(e.LineCount(), 2);
    char buf[8] = {8, 0};
    EXPECT_EQ(Send(msg::EM_GETLINE, 1, L(buf)), 0);
    EXPECT_EQ(Send(msg::EM_LINELENGTH, 1), 0);
}

TEST_F(EditControlMessages, GetTextTruncatesAndTerminates) {
    EXPECT_EQ(Send(msg::WM_GETTEXTLENGTH), 13);
    char buf[32];
    EXPECT_EQ(Send(msg::WM_GETTEXT, sizeof buf, L(buf)), 13);
    EXPECT_STREQ(buf, "abc\r\ndefg\r\nhi");
    char four[4] = {'z', 'z', 'z', 'z'};
    EXPECT_EQ(Send(msg::WM_GETTEXT, sizeof four, L(four)), 3);
    EXPECT_STREQ(four, "abc");
    EXPECT_EQ(Send(msg::WM_GETTEXT, 1, L(four)), 0);
    EXPECT_EQ(four[0], '\0');
    EXPECT_EQ(Send(msg::WM_GETTEXT, 0, L(four)), 0);
    EXPECT_EQ(Send(msg::WM_GETTEXT, 10, 0), 0);
}

TEST_F(EditControlMessages, CutCopyPasteAndClear) {
    e.SetselLine(0, 1, 4, 1);
    Send(msg::WM_COPY);
    EXPECT_EQ(view.clip, "defg");
    EXPECT_EQ(e.Text(), "abc\r\ndefg\r\nhi");
    Send(msg::WM_CUT);
    EXPECT_EQ(e.Text(), "abc\r\n\r\nhi");
    e.CurSet(0, 0, Txmovemode::normal);
    Send(msg::WM_PASTE);
    EXPECT_EQ(e.Text(), "defgabc\r\n\r\nhi");
    // WM_CLEAR empties the whole text, not only a selection.
    e.SetselLine(0, 0, 1, 0);
    Send(msg::WM_CLEAR);
    EXPECT_EQ(e.Text(), "");
    EXPECT_EQ(e.LineCount(), 1);
    EXPECT_EQ(e.Lines.Line(0), kNul);
}

}  // namespace
}  // namespace tarn

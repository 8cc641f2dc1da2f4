// The control under the widest settings a host can give it, driven through
// Invoke: columns up to 999999999 (the host's own "wrap at the window"
// setting), with and without AutoWrap, in a fixed-pitch and a proportional
// font. Widths are columns times font widths, so every product here would
// have overflowed 32 bits; the sanitized run of these tests fails on any
// signed overflow.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "control_fixture.h"
#include "platform/messages/messages.h"
// After the runtime's headers: Qt defines "slots" as a macro.
#include <QTest>
#include "control/view/tarn_edit_view.h"

namespace tarnedit {
namespace {

using namespace platform::com;
namespace msg = platform::messages;

constexpr std::int32_t kColumns[] = {10, 72, 268435455, 268435456, 999999999};

struct Layout {
    std::vector<std::u16string> rows;
    bool operator==(const Layout&) const = default;
};

class WideSettings : public test::ControlFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        auto& v = control_->View();
        v.resize(400, 200);
        v.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
        FontDisp font;
        ASSERT_EQ(control_->get_Font(&font), S_OK);
        ASSERT_EQ(PutProperty(font.Get(), 0, BSTR(reinterpret_cast<const char16_t*>(QString::fromUtf8(GetParam()).utf16()))), S_OK);
        ASSERT_EQ(PutProperty(font.Get(), 2, std::int32_t{9}), S_OK);
        ASSERT_EQ(CallMethod(d(), dispid::ReDesign), S_OK);
        ASSERT_EQ(PutProperty(d(), dispid::WordWrap, true), S_OK);
    }

    void Set(std::int32_t column, bool autoWrap) {
        ASSERT_EQ(PutProperty(d(), dispid::AutoWrap, autoWrap), S_OK);
        ASSERT_EQ(PutProperty(d(), dispid::Column, column), S_OK);
        ASSERT_EQ(CallMethod(d(), dispid::RefreshWrap), S_OK);
    }

    Layout Rows() {
        Layout l;
        std::int32_t n = 0;
        EXPECT_EQ(GetProperty(d(), dispid::AxLinesCount, &n), S_OK);
        for (std::int32_t i = 0; i < n; ++i) {
            BSTR row;
            EXPECT_EQ(CallFunction(d(), dispid::AxGetLines, &row, i), S_OK);
            // Without its ending: CR LF, the end-of-text NUL, or none.
            std::u16string r = row;
            while (!r.empty() && (r.back() == u'\0' || r.back() == u'\n' || r.back() == u'\r')) r.pop_back();
            l.rows.push_back(r);
        }
        return l;
    }

    std::int32_t Long(DISPID id) {
        std::int32_t v = 0;
        EXPECT_EQ(GetProperty(d(), id, &v), S_OK);
        return v;
    }

    static std::u16string LongLine() {
        std::u16string s;
        for (int i = 0; i < 300; ++i) s += static_cast<char16_t>(u'a' + i % 26);
        return s;
    }
};

// Every huge column lays out as a column merely wider than the window
// would: one row without AutoWrap, rows of the window's width with it.
TEST_P(WideSettings, HugeColumnsWrapAsAnyColumnWiderThanTheWindow) {
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(LongLine())), S_OK);
    for (bool autoWrap : {false, true}) {
        SCOPED_TRACE(autoWrap ? "AutoWrap" : "no AutoWrap");
        Set(1000, autoWrap);
        const Layout wide = Rows();
        if (autoWrap) {
            EXPECT_GT(wide.rows.size(), 2u);
            EXPECT_LT(wide.rows.size(), 30u);
        } else {
            EXPECT_EQ(wide.rows.size(), 1u);
        }
        for (std::int32_t column : kColumns) {
            SCOPED_TRACE(column);
            Set(column, autoWrap);
            EXPECT_EQ(Long(dispid::Column), column);  // kept as the host set it
            const Layout l = Rows();
            std::u16string joined;
            for (const auto& r : l.rows) joined += r;
            EXPECT_EQ(joined, LongLine());
            if (column >= 1000) {
                EXPECT_EQ(l, wide);
            } else {
                // Narrow columns cut at about Column characters, never at one.
                EXPECT_GE(l.rows.size(), 300u / static_cast<unsigned>(column + 10));
                for (std::size_t i = 0; i + 1 < l.rows.size(); ++i) EXPECT_GE(l.rows[i].size(), 5u) << i;
            }
        }
    }
}

TEST_P(WideSettings, TypingUnderAHugeColumnWithAutoWrapFillsRows) {
    Set(999999999, true);
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"")), S_OK);
    auto& v = control_->View();
    v.setFocus();
    QTest::keyClicks(&v, "the quick brown fox jumps");
    const Layout l = Rows();
    ASSERT_EQ(l.rows.size(), 1u);
    EXPECT_EQ(l.rows[0], u"the quick brown fox jumps");
    // Long enough to pass the window's width: a second row, not one a key.
    QTest::keyClicks(&v, QString(120, QLatin1Char('x')));
    const Layout longer = Rows();
    EXPECT_GE(longer.rows.size(), 2u);
    EXPECT_LE(longer.rows.size(), 6u);
}

TEST_P(WideSettings, FreeCaretStaysWhereItIsPutUnderAHugeColumn) {
    ASSERT_EQ(PutProperty(d(), dispid::FreeCaretMode, true), S_OK);
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"abcdefghij\r\nxyz")), S_OK);
    for (std::int32_t column : kColumns) {
        SCOPED_TRACE(column);
        Set(column, false);
        bool scrolled = false;
        ASSERT_EQ(CallFunction(d(), dispid::CurSet, &scrolled, std::int32_t{5}, std::int32_t{0}, std::int32_t{normal}), S_OK);
        EXPECT_EQ(Long(dispid::CurposX), 5);
        // Past the text, free caret mode pads: the caret goes beyond the end.
        ASSERT_EQ(CallFunction(d(), dispid::CurSet, &scrolled, std::int32_t{14}, std::int32_t{1}, std::int32_t{normal}), S_OK);
        EXPECT_GE(Long(dispid::CurposX), 10);
        if (column >= 72) {
            EXPECT_EQ(Long(dispid::CurposX), 14);
        }
        EXPECT_GE(Long(dispid::CaretX), 0);
    }
}

TEST_P(WideSettings, RulerAndUserDrawBandUnderAHugeColumn) {
    ASSERT_EQ(PutProperty(d(), dispid::ShowRuler, true), S_OK);
    ASSERT_EQ(PutProperty(d(), dispid::ShowRulerCur, true), S_OK);
    int c2 = 0;
    control_->View().OnUserDraw = [&](int, int last, int, int) { c2 = last; };
    for (std::int32_t column : kColumns) {
        SCOPED_TRACE(column);
        Set(column, true);
        ASSERT_EQ(CallMethod(d(), dispid::ReDesign), S_OK);
        control_->View().repaint();
        // The band ends at the window or at the column, whichever is first.
        EXPECT_GT(c2, 0);
        EXPECT_LE(c2, std::min<std::int32_t>(column, 400));
    }
    control_->View().OnUserDraw = nullptr;
}

TEST_P(WideSettings, HorizontalScrollOfAVeryWideLine) {
    Set(999999999, false);
    ASSERT_EQ(PutProperty(d(), dispid::WordWrap, false), S_OK);
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(std::u16string(200000, u'w'))), S_OK);
    auto& v = control_->View();
    // The farthest thumb a scroll message can carry.
    v.WndProc(msg::WM_HSCROLL, msg::MAKELONG(msg::SB_THUMBTRACK, 0xFFFF), 0);
    const std::int32_t off = Long(dispid::ClOffsetX);
    EXPECT_GT(off, 0);
    EXPECT_LE(off, 200000 * Long(dispid::Fontwidth) * 2);
    bool scrolled = false;
    ASSERT_EQ(CallFunction(d(), dispid::CurSet, &scrolled, std::int32_t{199999}, std::int32_t{0}, std::int32_t{normal}), S_OK);
    EXPECT_EQ(Long(dispid::CurposX), 199999);
    EXPECT_GE(Long(dispid::CaretX), 0);
    EXPECT_LE(Long(dispid::CaretX), 400);
}

INSTANTIATE_TEST_SUITE_P(Fonts, WideSettings, ::testing::Values("IPAGothic", "IPAPGothic"),
                         [](const auto& info) { return std::string(info.param); });

using WideColumns = test::ControlFixture;

TEST_F(WideColumns, TabWidthStaysWithinTheTabCountForEveryColumn) {
    for (std::uint8_t tabs : {1, 4, 8}) {
        ASSERT_EQ(PutProperty(d(), dispid::TabCount, tabs), S_OK);
        for (std::int32_t x : {INT_MIN, -9, -1, 0, 1, 7, 8, 9, 268435456, 999999999, INT_MAX - 1, INT_MAX}) {
            std::int32_t n = 0;
            ASSERT_EQ(CallFunction(d(), dispid::GetTabcount, &n, x), S_OK);
            EXPECT_GE(n, 1) << x;
            EXPECT_LE(n, tabs) << x;
        }
    }
    ASSERT_EQ(PutProperty(d(), dispid::TabCount, std::uint8_t{8}), S_OK);
    std::int32_t n = 0;
    ASSERT_EQ(CallFunction(d(), dispid::GetTabcount, &n, std::int32_t{INT_MAX}), S_OK);
    EXPECT_EQ(n, 8 - (INT_MAX - 1) % 8);
    ASSERT_EQ(CallFunction(d(), dispid::GetTabcount, &n, std::int32_t{1}), S_OK);
    EXPECT_EQ(n, 8);
    ASSERT_EQ(CallFunction(d(), dispid::GetTabcount, &n, std::int32_t{3}), S_OK);
    EXPECT_EQ(n, 6);
}

// The host's reference property set stores Column 999999999: loaded, the
// value stays as stored and the text still wraps at the window.
TEST_F(WideColumns, HostReferenceSetKeepsItsColumnAndWrapsAtTheWindow) {
    auto& v = control_->View();
    v.resize(400, 200);
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    ASSERT_EQ(control_->InitNew(), S_OK);
    std::int32_t column = 0;
    ASSERT_EQ(GetProperty(d(), dispid::Column, &column), S_OK);
    EXPECT_EQ(column, 999999999);
    ASSERT_EQ(PutProperty(d(), dispid::AutoWrap, true), S_OK);
    ASSERT_EQ(PutProperty(d(), dispid::WordWrap, true), S_OK);
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(std::u16string(300, u'z'))), S_OK);
    ASSERT_EQ(CallMethod(d(), dispid::RefreshWrap), S_OK);
    std::int32_t rows = 0;
    ASSERT_EQ(GetProperty(d(), dispid::AxLinesCount, &rows), S_OK);
    // Rows as wide as the text area (fixed pitch: one cell a byte).
    std::int32_t client = 0, fw = 0;
    ASSERT_EQ(GetProperty(d(), dispid::DwclientX, &client), S_OK);
    ASSERT_EQ(GetProperty(d(), dispid::Fontwidth, &fw), S_OK);
    ASSERT_GT(fw, 0);
    const int perRow = std::max(10, client / fw);
    EXPECT_GE(rows, 300 / perRow);
    EXPECT_LE(rows, 300 / (perRow - 2) + 1) << client << " " << fw;
    std::string saved;
    ASSERT_EQ(control_->Save(&saved), S_OK);
    ComPtr<TTarnEditX> other = MakeObject<TTarnEditX>();
    ASSERT_EQ(other->Load(saved), S_OK);
    Long again = 0;
    ASSERT_EQ(other->get_Column(&again), S_OK);
    EXPECT_EQ(again, 999999999);
}

}  // namespace
}  // namespace tarnedit

// The control's members called the way a host calls them: through Invoke
// by DISPID (late_bound.h), with the events heard through the connection
// point.
#include <gtest/gtest.h>

#include <filesystem>

#include "control/activex/tarn_edit_x.h"
#include "control/view/tarn_edit_view.h"
#include "control_fixture.h"
#include "platform/com/connection_point.h"
#include "platform/com/error_info.h"
#include "platform/com/late_bound.h"

namespace tarnedit {
namespace {

using namespace platform::com;
using test::RecordingSink;

using Members = test::ControlFixture;

TEST_F(Members, TextRoundTripsAndUnmappableCharactersAreReplaced) {
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"日本語\r\nabc")), S_OK);
    BSTR text;
    ASSERT_EQ(GetProperty(d(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"日本語\r\nabc");
    // Hangul is not in the code page: each character becomes the default character.
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"a한b")), S_OK);
    ASSERT_EQ(GetProperty(d(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"a?b");
    std::int32_t lines = 0;
    ASSERT_EQ(GetProperty(d(), dispid::AxLinesCount, &lines), S_OK);
    EXPECT_EQ(lines, 1);
}

TEST_F(Members, CaretSelectionAndInOutArguments) {
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"abc\r\nあいう")), S_OK);
    bool scrolled = true;
    ASSERT_EQ(CallFunction(d(), dispid::CurSet, &scrolled, std::int32_t{2}, std::int32_t{1}, std::int32_t{normal}), S_OK);
    std::int32_t x = -1, y = -1;
    ASSERT_EQ(GetProperty(d(), dispid::CurposX, &x), S_OK);
    ASSERT_EQ(GetProperty(d(), dispid::CurposY, &y), S_OK);
    EXPECT_EQ(x, 2);  // byte columns: one double-byte character
    EXPECT_EQ(y, 1);
    ASSERT_EQ(CallMethod(d(), dispid::SetselLine, std::int32_t{0}, std::int32_t{0}, std::int32_t{2}, std::int32_t{0}), S_OK);
    BSTR sel;
    ASSERT_EQ(GetProperty(d(), dispid::SelText, &sel), S_OK);
    EXPECT_EQ(sel, u"ab");
    std::int32_t x1 = 9, y1 = 9, x2 = 9, y2 = 9;
    bool any = false;
    ASSERT_EQ(CallFunction(d(), dispid::GetselLine, &any, ByRef(x1), ByRef(y1), ByRef(x2), ByRef(y2)), S_OK);
    EXPECT_TRUE(any);
    EXPECT_EQ(std::make_tuple(x1, y1, x2, y2), std::make_tuple(0, 0, 2, 0));
    // SelText put is TextPaste.
    ASSERT_EQ(PutProperty(d(), dispid::SelText, BSTR(u"Z")), S_OK);
    BSTR text;
    ASSERT_EQ(GetProperty(d(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"Zc\r\nあいう");
    // TarnSplit pops the field and hands back the rest through the in/out string.
    BSTR rest = u"a,b,c", field;
    ASSERT_EQ(CallFunction(d(), dispid::TarnSplit, &field, ByRef(rest), BSTR(u",")), S_OK);
    EXPECT_EQ(field, u"a");
    EXPECT_EQ(rest, u"b,c");
}

TEST_F(Members, FailuresCarryTheEditorsMessage) {
    bool scrolled = false;
    HRESULT hr = CallFunction(d(), dispid::CurSet, &scrolled, std::int32_t{0}, std::int32_t{-1}, std::int32_t{normal});
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(LastError(), u"インデックスがリストの範囲を超えています");
    // A missing file is a False result, not a failure.
    bool loaded = true;
    ASSERT_EQ(CallFunction(d(), dispid::LoadFromFile, &loaded, BSTR(u"/nonexistent/quenby/none.txt")), S_OK);
    EXPECT_FALSE(loaded);
    // An enumeration value outside its range.
    EXPECT_EQ(CallFunction(d(), dispid::CurSet, &scrolled, std::int32_t{0}, std::int32_t{0}, std::int32_t{7}),
              E_INVALIDARG);
    // The control is still usable.
    EXPECT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"ok")), S_OK);
}

TEST_F(Members, BadCallsAreRefusedAndLeaveTheControlUsable) {
    Variant ignored;
    DISPPARAMS none{};
    EXPECT_EQ(d()->Invoke(99999, DISPATCH_METHOD, &none, &ignored, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(CallMethod(d(), dispid::SetselLine, std::int32_t{0}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(CallMethod(d(), dispid::TextPaste, ComPtr<IDispatch>()), DISP_E_TYPEMISMATCH);
    // A read-only property has no put.
    EXPECT_EQ(PutProperty(d(), dispid::CurposX, std::int32_t{3}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(PutProperty(d(), dispid::TabCount, std::int32_t{300}), DISP_E_OVERFLOW);
    ASSERT_EQ(CallMethod(d(), dispid::TextPaste, BSTR(u"x")), S_OK);
    BSTR text;
    ASSERT_EQ(GetProperty(d(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"x");
}

TEST_F(Members, SettersClampAndBooleansAreAnyNonZero) {
    ASSERT_EQ(PutProperty(d(), dispid::TabCount, std::uint8_t{20}), S_OK);
    std::uint8_t tab = 0;
    ASSERT_EQ(GetProperty(d(), dispid::TabCount, &tab), S_OK);
    EXPECT_EQ(tab, 8);
    ASSERT_EQ(PutProperty(d(), dispid::Column, std::int32_t{3}), S_OK);
    std::int32_t column = 0;
    ASSERT_EQ(GetProperty(d(), dispid::Column, &column), S_OK);
    EXPECT_EQ(column, 10);
    // VARIANT_BOOL 1 (not -1) is True; the result comes back as -1.
    ASSERT_EQ(PutProperty(d(), dispid::ReadOnly, Variant::I4(1)), S_OK);
    Variant back;
    DISPPARAMS none{};
    ASSERT_EQ(d()->Invoke(dispid::ReadOnly, DISPATCH_PROPERTYGET, &none, &back, nullptr, nullptr), S_OK);
    EXPECT_EQ(back.vt(), VT_BOOL);
    std::int16_t raw = 0;
    ASSERT_EQ(ToI2(back, &raw), S_OK);
    EXPECT_EQ(raw, VARIANT_TRUE);
    // A system colour is resolved to plain RGB when set.
    ASSERT_EQ(PutProperty(d(), dispid::SelColor, OLE_COLOR(0x80000005u)), S_OK);
    OLE_COLOR c;
    ASSERT_EQ(GetProperty(d(), dispid::SelColor, &c), S_OK);
    EXPECT_EQ(c.value & 0x80000000u, 0u);
    BSTR version;
    ASSERT_EQ(GetProperty(d(), dispid::Version, &version), S_OK);
    EXPECT_EQ(version, u"TTarnEdit Ver1.35");
}

TEST_F(Members, EventsReachTheSinkAndModifiedPutRaisesNone) {
    Connect();
    ASSERT_EQ(CallMethod(d(), dispid::TextPaste, BSTR(u"abc")), S_OK);
    EXPECT_GE(sink_->Count(event::OnChange), 1);
    ASSERT_GE(sink_->Count(event::OnChangeModify), 1);
    sink_->raised.clear();
    ASSERT_EQ(PutProperty(d(), dispid::Modified, false), S_OK);
    EXPECT_EQ(sink_->Count(event::OnChangeModify), 0);
    bool modified = true;
    ASSERT_EQ(GetProperty(d(), dispid::Modified, &modified), S_OK);
    EXPECT_FALSE(modified);
}

TEST_F(Members, FindIsAnsweredByTheSink) {
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"abc abc")), S_OK);
    ASSERT_EQ(CallMethod(d(), dispid::SetHome), S_OK);
    ASSERT_EQ(CallMethod(d(), dispid::FindInit, BSTR(u"bc")), S_OK);
    // No sink: nothing matches.
    ASSERT_EQ(CallMethod(d(), dispid::FindDown), S_OK);
    bool selected = true;
    ASSERT_EQ(CallFunction(d(), dispid::Selmode, &selected), S_OK);
    EXPECT_FALSE(selected);
    // A sink that answers "at byte 2, two long" gives a hit.
    Connect();
    sink_->findX = 2;
    sink_->findLen = 2;
    ASSERT_EQ(CallMethod(d(), dispid::FindStart), S_OK);
    ASSERT_GE(sink_->Count(event::OnFind), 1);
    ASSERT_EQ(sink_->Count(event::OnFindHit), 1);
    // The hit is reported with its column and length, and the caret is put there.
    const auto& hit = sink_->raised.back();
    ASSERT_EQ(hit.id, event::OnFindHit);
    std::int32_t x = -1, len = -1;
    ASSERT_EQ(ToI4(hit.args[1], &x), S_OK);
    ASSERT_EQ(ToI4(hit.args[3], &len), S_OK);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(len, 2);
    std::int32_t caret = -1;
    ASSERT_EQ(GetProperty(d(), dispid::CurposX, &caret), S_OK);
    EXPECT_EQ(caret, 1);
}

TEST_F(Members, TheFunctionTableGivesTheSameAnswers) {
    ITarnEditX* x = control_.Get();
    ASSERT_EQ(x->put_Text(u"line1\r\nline2"), S_OK);
    Long count = 0;
    ASSERT_EQ(x->get_AxLinesCount(&count), S_OK);
    EXPECT_EQ(count, 2);
    Bstr line;
    ASSERT_EQ(x->AxGetLines(0, &line), S_OK);
    EXPECT_EQ(line, u"line1\r\n");
    Bool scrolled = false;
    EXPECT_TRUE(FAILED(x->CurSet(0, -1, normal, &scrolled)));
    EXPECT_EQ(LastError(), u"インデックスがリストの範囲を超えています");
    FontDisp font;
    ASSERT_EQ(x->get_Font(&font), S_OK);
    ASSERT_EQ(PutProperty(font.Get(), 2, std::int32_t{20}), S_OK);
    std::int32_t size = 0;
    ASSERT_EQ(GetProperty(font.Get(), 2, &size), S_OK);
    EXPECT_EQ(size, 20);
}

// A host undoing step by step sees every step's events at once, and the
// window shows the result with its next frame: one repaint for all the
// steps, ending as a repaint from scratch would show it.
TEST_F(Members, UndoStepsThroughTheInterfacePaintWithTheNextFrame) {
    std::uintptr_t handle = 0;
    ASSERT_EQ(control_->GetWindow(&handle), S_OK);
    auto* view = dynamic_cast<tarn::view::TTarnEditView*>(reinterpret_cast<QWidget*>(handle));
    ASSERT_NE(view, nullptr);
    view->resize(400, 300);
    (void)view->grab();
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"first line\r\nsecond line\r\nthird line")), S_OK);
    for (const char16_t* s : {u"a", u"b", u"c"}) ASSERT_EQ(CallMethod(d(), dispid::TextPaste, BSTR(s)), S_OK);
    (void)view->grab();
    Connect();
    for (int i = 0; i < 3; ++i) ASSERT_EQ(CallMethod(d(), dispid::Undo), S_OK);
    EXPECT_EQ(sink_->Count(event::OnChange), 3);
    EXPECT_EQ(sink_->Count(event::OnUserClientDraw), 0);
    BSTR text;
    ASSERT_EQ(GetProperty(d(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"first line\r\nsecond line\r\nthird line");
    (void)view->grab();  // the next frame
    EXPECT_GT(sink_->Count(event::OnUserClientDraw), 0);
    const QImage shown = view->Surface().copy();
    view->RepaintAll();
    EXPECT_EQ(shown, view->Surface());
    // Redo the same way.
    for (int i = 0; i < 3; ++i) ASSERT_EQ(CallMethod(d(), dispid::Redo), S_OK);
    ASSERT_EQ(GetProperty(d(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"abcfirst line\r\nsecond line\r\nthird line");
    (void)view->grab();
    const QImage redone = view->Surface().copy();
    view->RepaintAll();
    EXPECT_EQ(redone, view->Surface());
}

}  // namespace
}  // namespace tarnedit

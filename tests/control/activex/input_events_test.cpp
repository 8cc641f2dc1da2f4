// The window's input as a host hears it: keyboard, mouse, input-method and
// drag events reach the sink with the interface's shift bits and button
// values, in/out arguments written by the sink take effect, and the input
// members and settings act on the window.
#include "control_fixture.h"
#include "platform/com/coerce.h"
// After the runtime's headers: Qt defines "slots" as a macro.
#include <QInputMethodEvent>
#include <QTest>

#include "control/view/tarn_edit_view.h"
#include "control/view/view_input.h"
#include "tests/control/view/recording_input_context.h"

namespace tarnedit {
namespace {

using namespace platform::com;
using tarn::view::test::TRecordingInputContext;

std::int32_t I4(const Variant& v) {
    std::int32_t n = -12345;
    EXPECT_EQ(ToI4(v, &n), S_OK);
    return n;
}
std::u16string Str(const Variant& v) {
    BSTR s;
    EXPECT_EQ(ToBstr(v, &s), S_OK);
    return s;
}
bool Boolean(const Variant& v) {
    bool b = false;
    EXPECT_EQ(ToBool(v, &b), S_OK);
    return b;
}

class InputEvents : public test::ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        auto& v = control_->View();
        v.resize(400, 200);
        v.show();
        v.setFocus();
        auto ctx = std::make_unique<TRecordingInputContext>();
        ime_ = ctx.get();
        v.Input().SetInputContext(std::move(ctx));
        Connect();
    }
    QWidget* W() { return &control_->View(); }
    tarn::TTarnEdit& E() { return control_->View().Editor(); }
    QPoint At(int col, int row) {
        auto& v = control_->View();
        return QPoint(v.ColumnToPixel(row, col) + 1, v.Settings().TopMargin() + row * E().Lineheight + 2);
    }
    // The arguments of the first raise of an event, in declaration order.
    std::vector<Variant> ArgsOf(DISPID id) {
        for (const auto& r : sink_->raised)
            if (r.id == id) return r.args;
        ADD_FAILURE() << "event " << id << " not raised";
        return {};
    }
    TRecordingInputContext* ime_ = nullptr;
};

TEST_F(InputEvents, KeysCarryShiftBitsAndTheSinkCanChangeThem) {
    E().SetText("ac");
    E().CurSet(1, 0, tarn::Txmovemode::normal);
    sink_->answer = [](DISPID id, DISPPARAMS* p) {
        // OnKeyPress(Key): 'b' becomes 'B', with junk in the high byte that
        // must not reach the text; OnKeyDown(Key, Shift): Left is dropped.
        if (id == event::OnKeyPress && *p->rgvarg[0].Target<std::int16_t>() == 'b')
            *p->rgvarg[0].Target<std::int16_t>() = 0x7F00 | 'B';
        if (id == event::OnKeyDown && *p->rgvarg[1].Target<std::int16_t>() == 0x25) *p->rgvarg[1].Target<std::int16_t>() = 0;
    };
    QTest::keyClick(W(), Qt::Key_B);
    EXPECT_EQ(E().Text(), "aBc");
    QTest::keyClick(W(), Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(E().CurposX, 2) << "the sink cancelled the move";
    std::vector<std::int32_t> downShifts;
    for (const auto& r : sink_->raised)
        if (r.id == event::OnKeyDown) downShifts.push_back(I4(r.args[1]));
    ASSERT_FALSE(downShifts.empty());
    EXPECT_EQ(downShifts.back(), 1 | 4) << "Shift 1, Ctrl 4";
    EXPECT_GE(sink_->Count(event::OnKeyUp), 1);
}

TEST_F(InputEvents, MouseEventsUseTheInterfaceButtonsAndBits) {
    E().SetText("abcdef");
    QTest::mouseClick(W(), Qt::LeftButton, Qt::ShiftModifier, At(2, 0));
    auto down = ArgsOf(event::OnMouseDown);
    ASSERT_EQ(down.size(), 4u);
    EXPECT_EQ(I4(down[0]), std::int32_t{mbLeft});
    EXPECT_EQ(I4(down[1]), 1 | 8) << "Shift with the left button held";
    EXPECT_EQ(I4(down[2]), At(2, 0).x());
    auto up = ArgsOf(event::OnMouseUp);
    ASSERT_EQ(up.size(), 4u);
    EXPECT_EQ(I4(up[0]), std::int32_t{mbLeft});
    EXPECT_EQ(sink_->Count(event::OnClick), 1);
    sink_->raised.clear();
    QTest::mouseClick(W(), Qt::RightButton, {}, At(1, 0));
    down = ArgsOf(event::OnMouseDown);
    ASSERT_EQ(down.size(), 4u);
    EXPECT_EQ(I4(down[0]), std::int32_t{mbRight});
    EXPECT_EQ(I4(down[1]), 16);
}

TEST_F(InputEvents, CompositionRaisesChangingThenChanged) {
    E().SetText("");
    QInputMethodEvent pre(QStringLiteral("かな"), {});
    QCoreApplication::sendEvent(W(), &pre);
    EXPECT_EQ(sink_->Count(event::OnIMEChanging), 1);
    BSTR text;
    ASSERT_EQ(GetProperty(d(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"") << "the composition stays out of the document";
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("仮名"));
    QCoreApplication::sendEvent(W(), &commit);
    EXPECT_EQ(sink_->Count(event::OnIMEChanged), 1);
    ASSERT_EQ(GetProperty(d(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"仮名");
}

TEST_F(InputEvents, ImeMembersGoThroughTheInputContext) {
    ASSERT_EQ(CallMethod(d(), dispid::SetImeStatus, std::uint32_t{0x19}, std::uint32_t{8}, true), S_OK);
    std::uint32_t conv = 0, sent = 0;
    bool open = false;
    ASSERT_EQ(CallFunction(d(), dispid::GetImeStatus, &open, ByRef(conv), ByRef(sent)), S_OK);
    EXPECT_TRUE(open);
    EXPECT_EQ(conv, 0x19u);
    EXPECT_EQ(sent, 8u);

    // Manual reconversion is the host's: only the event, no IME traffic.
    ASSERT_EQ(PutProperty(d(), dispid::IMEReconvMode, std::int32_t{imrManual}), S_OK);
    ASSERT_EQ(PutProperty(d(), DISPID_TEXT, BSTR(u"漢字")), S_OK);
    ASSERT_EQ(CallMethod(d(), dispid::SetselLine, std::int32_t{0}, std::int32_t{0}, std::int32_t{4}, std::int32_t{0}),
              S_OK);
    ime_->calls.clear();
    ASSERT_EQ(CallMethod(d(), dispid::IMEReConvert), S_OK);
    EXPECT_EQ(sink_->Count(event::OnIMEReConvert), 1);
    EXPECT_TRUE(ime_->calls.empty());
    // The job itself hands a reading to the input method.
    control_->View().Input().SetReadingFunction([](std::string_view) { return std::string("\x82\xa9\x82\xf1", 4); });
    ASSERT_EQ(CallMethod(d(), dispid::IMEReconvertJob, BSTR(u"漢")), S_OK);
    EXPECT_EQ(ime_->composition, std::string("\x82\xa9\x82\xf1", 4));
    EXPECT_EQ(PutProperty(d(), dispid::IMEReconvMode, std::int32_t{2}), E_INVALIDARG);
}

TEST_F(InputEvents, ManualDragAsksTheHostAndARefusalDropsTheSelection) {
    ASSERT_EQ(PutProperty(d(), dispid::DragMode, std::int32_t{dmManual}), S_OK);
    E().SetText("abcdef");
    E().SetselLine(1, 0, 4, 0);
    sink_->answer = [](DISPID id, DISPPARAMS* p) {
        if (id == event::OnManualStartDrag) *p->rgvarg[0].Target<std::int16_t>() = 0;  // CanDrag := False
    };
    QTest::mousePress(W(), Qt::LeftButton, {}, At(2, 0));
    auto args = ArgsOf(event::OnManualStartDrag);
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(Str(args[0]), u"bcd");
    EXPECT_TRUE(Boolean(args[1])) << "CanDrag goes out True";
    EXPECT_FALSE(E().SelFlag);
    QTest::mouseRelease(W(), Qt::LeftButton, {}, At(2, 0));
}

TEST_F(InputEvents, SettingsActOnTheWindow) {
    auto& v = control_->View();
    ASSERT_EQ(PutProperty(d(), dispid::WantTabs, false), S_OK);
    EXPECT_EQ(v.WndProc(0x87 /* WM_GETDLGCODE */, 0, 0) & 2, 0);
    bool want = true;
    ASSERT_EQ(GetProperty(d(), dispid::WantTabs, &want), S_OK);
    EXPECT_FALSE(want);
    // OLE drops take effect with the next window, not at once.
    ASSERT_EQ(PutProperty(d(), dispid::DragMode, std::int32_t{dmOLEAuto}), S_OK);
    EXPECT_FALSE(v.acceptDrops());
    ASSERT_EQ(CallMethod(d(), dispid::Recreate), S_OK);
    EXPECT_TRUE(v.acceptDrops());
    EXPECT_EQ(PutProperty(d(), dispid::DragMode, std::int32_t{3}), E_INVALIDARG);
    // The pointer is outside the window here: the call succeeds and stops
    // the auto-scroll timer rather than failing.
    EXPECT_EQ(CallMethod(d(), dispid::MoveSynchroMouse), S_OK);
}

}  // namespace
}  // namespace tarnedit

// The control object's life: its window, the connection point of its
// events, and the forwarding of every editor event to the connected sink.
#include "control/activex/tarn_edit_x.h"

#include "control/view/tarn_edit_view.h"
#include "platform/codepage/codepage.h"

namespace tarnedit {

namespace cp = platform::codepage;
using com::In;
using com::InOut;

const com::EventTable& TTarnEditX::Events() {
    static const com::EventTable table(IID_ITarnEditXEvents, u"ITarnEditXEvents", {
        com::Event(event::OnCustomEdit, u"OnCustomEdit", {In<bool>(u"DeleteF")}),
        com::Event(event::OnChange, u"OnChange"),
        com::Event(event::OnKeyPress, u"OnKeyPress", {InOut<std::int16_t>(u"Key")}),
        com::Event(event::OnClick, u"OnClick"),
        com::Event(event::OnDblclick, u"OnDblclick"),
        com::Event(event::OnPaint, u"OnPaint"),
        com::Event(event::OnOLEDropText, u"OnOLEDropText"),
        com::Event(event::OnOLEDropFiles, u"OnOLEDropFiles", {In<com::BSTR>(u"DropFiles")}),
        com::Event(event::OnManualStartDrag, u"OnManualStartDrag", {In<com::BSTR>(u"SelectStr"), InOut<bool>(u"CanDrag")}),
        com::Event(event::OnUserDraw, u"OnUserDraw", {In<Long>(u"c1"), In<Long>(u"c2"), In<Long>(u"x1"), In<Long>(u"x2")}),
        com::Event(event::OnUserClientDraw, u"OnUserClientDraw",
                   {In<Long>(u"L1"), In<Long>(u"L2"), In<Long>(u"dx1"), In<Long>(u"dy1"), In<Long>(u"dx2"), In<Long>(u"dy2")}),
        com::Event(event::OnSelectionChange, u"OnSelectionChange"),
        com::Event(event::OnMoveCaret, u"OnMoveCaret"),
        com::Event(event::OnChangeInsMode, u"OnChangeInsMode", {In<bool>(u"InsMode")}),
        com::Event(event::OnChangeRedoMode, u"OnChangeRedoMode", {In<bool>(u"RedoEnable")}),
        com::Event(event::OnChangeModify, u"OnChangeModify", {In<bool>(u"Modified")}),
        com::Event(event::OnFind, u"OnFind",
                   {In<com::BSTR>(u"Str"), In<com::BSTR>(u"findchr"), In<Long>(u"index"), InOut<Long>(u"x"), InOut<Long>(u"len")}),
        com::Event(event::OnFindHit, u"OnFindHit",
                   {In<com::BSTR>(u"findchr"), In<Long>(u"x"), In<Long>(u"y"), In<Long>(u"len"), In<Long>(u"Count")}),
        com::Event(event::OnFindNoHit, u"OnFindNoHit", {In<com::BSTR>(u"findchr")}),
        com::Event(event::OnFindChange, u"OnFindChange",
                   {In<com::BSTR>(u"findchr"), In<com::BSTR>(u"Changechr"), In<Long>(u"x"), In<Long>(u"y"), In<Long>(u"len"),
                    In<Long>(u"Count"), InOut<bool>(u"ChangeF"), InOut<bool>(u"kakuninF"), InOut<bool>(u"AbortF")}),
        com::Event(event::OnFindChangeEnd, u"OnFindChangeEnd",
                   {In<com::BSTR>(u"findchr"), In<com::BSTR>(u"ChangeStr"), In<Long>(u"Count")}),
        com::Event(event::OnIMEChanging, u"OnIMEChanging"),
        com::Event(event::OnIMEChanged, u"OnIMEChanged"),
        com::Event(event::OnIMEReConvert, u"OnIMEReConvert"),
        com::Event(event::OnMouseDown, u"OnMouseDown", {In<Long>(u"Button"), In<Long>(u"Shift"), In<Long>(u"x"), In<Long>(u"y")}),
        com::Event(event::OnMouseMove, u"OnMouseMove", {In<Long>(u"Shift"), In<Long>(u"x"), In<Long>(u"y")}),
        com::Event(event::OnMouseUp, u"OnMouseUp", {In<Long>(u"Button"), In<Long>(u"Shift"), In<Long>(u"x"), In<Long>(u"y")}),
        com::Event(event::OnKeyDown, u"OnKeyDown", {InOut<std::int16_t>(u"Key"), In<Long>(u"Shift")}),
        com::Event(event::OnKeyUp, u"OnKeyUp", {InOut<std::int16_t>(u"Key"), In<Long>(u"Shift")}),
    });
    return table;
}

TTarnEditX::TTarnEditX()
    : view_(std::make_unique<tarn::view::TTarnEditView>()),
      events_(static_cast<com::IConnectionPointContainer&>(*this), Events(), 1) {
    // The control's own error boxes go nowhere modal inside a host's call.
    view_->MessageBoxHandler = [](std::string_view) {};
    BindEvents();
    BindInputEvents();
}

TTarnEditX::~TTarnEditX() = default;

// Every hook of the editor and its window forwards to the sink; with no
// sink connected Fire does nothing, so in/out values stay as the editor
// passed them (OnFind: no match; OnFindChange: ChangeF stays True).
void TTarnEditX::BindEvents() {
    tarn::TTarnEdit& e = view_->Editor();
    auto W = [](const std::string& s) { return cp::ToUtf16(s); };
    e.OnChange = [this] { events_.Fire(event::OnChange); };
    e.OnChangeModify = [this](bool m) { events_.Fire(event::OnChangeModify, m); };
    e.OnChangeRedoMode = [this](bool r) { events_.Fire(event::OnChangeRedoMode, r); };
    e.OnSelectionChange = [this] { events_.Fire(event::OnSelectionChange); };
    e.OnMoveCaret = [this] { events_.Fire(event::OnMoveCaret); };
    e.OnChangeInsMode = [this](bool m) { events_.Fire(event::OnChangeInsMode, m); };
    e.OnCustomEdit = [this](bool d) { events_.Fire(event::OnCustomEdit, d); };
    e.OnFind = [this, W](const std::string& str, const std::string& f, int index, int& x, int& len) {
        Long xi = x, li = len;
        events_.Fire(event::OnFind, W(str), W(f), Long{index}, com::ByRef(xi), com::ByRef(li));
        x = xi;
        len = li;
    };
    e.OnFindHit = [this, W](const std::string& f, int x, int y, int len, int count) {
        events_.Fire(event::OnFindHit, W(f), Long{x}, Long{y}, Long{len}, Long{count});
    };
    e.OnFindNoHit = [this, W](const std::string& f) { events_.Fire(event::OnFindNoHit, W(f)); };
    e.OnFindChange = [this, W](const std::string& f, const std::string& c, int x, int y, int len, int count,
                               bool& changeF, bool& askF, bool& abortF) {
        events_.Fire(event::OnFindChange, W(f), W(c), Long{x}, Long{y}, Long{len}, Long{count}, com::ByRef(changeF),
                     com::ByRef(askF), com::ByRef(abortF));
    };
    e.OnFindChangeEnd = [this, W](const std::string& f, const std::string& c, int count) {
        events_.Fire(event::OnFindChangeEnd, W(f), W(c), Long{count});
    };
    view_->OnPaint = [this] { events_.Fire(event::OnPaint); };
    view_->OnUserDraw = [this](int c1, int c2, int x1, int x2) {
        events_.Fire(event::OnUserDraw, Long{c1}, Long{c2}, Long{x1}, Long{x2});
    };
    view_->OnUserClientDraw = [this](int l1, int l2, int dx1, int dy1, int dx2, int dy2) {
        events_.Fire(event::OnUserClientDraw, Long{l1}, Long{l2}, Long{dx1}, Long{dy1}, Long{dx2}, Long{dy2});
    };
}

com::HRESULT TTarnEditX::EnumConnectionPoints(std::vector<com::ComPtr<com::IConnectionPoint>>* points) noexcept {
    return com::EnumConnectionPointsIn({&events_}, points);
}

com::HRESULT TTarnEditX::FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) noexcept {
    return com::FindConnectionPointIn({&events_}, iid, point);
}

com::HRESULT TTarnEditX::GetWindow(std::uintptr_t* window) noexcept {
    if (!window) return com::E_POINTER;
    *window = reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(view_.get()));
    return com::S_OK;
}

}  // namespace tarnedit

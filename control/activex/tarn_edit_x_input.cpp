// The control's input seen from the host: the keyboard, mouse, input-method
// and drag events of the window forwarded to the sink (in/out keys and the
// drag permission read back), and the members that drive the input layer.
#include "control/activex/checked_enum.h"
#include "control/activex/tarn_edit_x.h"
#include "control/view/tarn_edit_view.h"
#include "control/view/view_input.h"
#include "platform/codepage/codepage.h"

#include <QWidget>  // after the runtime's headers: Qt's "slots" macro

namespace tarnedit {

namespace cp = platform::codepage;
namespace tv = tarn::view;

#define IN (view_->Input())

// Shift arguments reach the host masked to the seven bits it knows.
constexpr Long kShiftBits = 0x7F;

void TTarnEditX::BindInputEvents() {
    tv::TViewInput& in = IN;
    // The virtual key goes out and comes back as the sink left it.
    auto keyEvent = [this](com::DISPID id) {
        return [this, id](int& key, int shift) {
            Short k = static_cast<Short>(key);
            events_.Fire(id, com::ByRef(k), Long{shift & kShiftBits});
            key = static_cast<std::uint16_t>(k);
        };
    };
    in.OnKeyDown = keyEvent(event::OnKeyDown);
    in.OnKeyUp = keyEvent(event::OnKeyUp);
    // The character byte goes out as a short; only the low byte of what
    // comes back is a character.
    in.OnKeyPress = [this](int& key) {
        Short k = static_cast<Short>(key & 0xFF);
        events_.Fire(event::OnKeyPress, com::ByRef(k));
        key = static_cast<std::uint8_t>(k);
    };
    in.OnMouseDown = [this](int button, int shift, int x, int y) {
        events_.Fire(event::OnMouseDown, Long{button}, Long{shift & kShiftBits}, Long{x}, Long{y});
    };
    in.OnMouseMove = [this](int shift, int x, int y) {
        events_.Fire(event::OnMouseMove, Long{shift & kShiftBits}, Long{x}, Long{y});
    };
    in.OnMouseUp = [this](int button, int shift, int x, int y) {
        events_.Fire(event::OnMouseUp, Long{button}, Long{shift & kShiftBits}, Long{x}, Long{y});
    };
    in.OnClick = [this] { events_.Fire(event::OnClick); };
    in.OnDblclick = [this] { events_.Fire(event::OnDblclick); };
    in.OnIMEChanging = [this] { events_.Fire(event::OnIMEChanging); };
    in.OnIMEChanged = [this] { events_.Fire(event::OnIMEChanged); };
    in.OnIMEReConvert = [this] { events_.Fire(event::OnIMEReConvert); };
    in.OnOLEDropText = [this] { events_.Fire(event::OnOLEDropText); };
    in.OnOLEDropFiles = [this](const std::string& files) { events_.Fire(event::OnOLEDropFiles, cp::ToUtf16(files)); };
    // With no sink connected nobody can take the drag on: CanDrag comes
    // back false and the selection is dropped, as with no handler.
    in.OnManualStartDrag = [this](const std::string& text, bool& canDrag) {
        if (!events_.HasSinks()) {
            canDrag = false;
            return;
        }
        events_.Fire(event::OnManualStartDrag, cp::ToUtf16(text), com::ByRef(canDrag));
    };
}

TxIMEReconvmode TTarnEditX::Get_IMEReconvMode() { return static_cast<TxIMEReconvmode>(IN.IMEReconvMode); }
void TTarnEditX::Put_IMEReconvMode(TxIMEReconvmode v) {
    IN.IMEReconvMode = static_cast<tv::TxIMEReconvmode>(Checked<TxIMEReconvmode>(v, 1, u"IMEReconvMode"));
}
Bool TTarnEditX::Get_WantTabs() { return IN.WantTabs; }
void TTarnEditX::Put_WantTabs(Bool v) { IN.WantTabs = v; }
// Stored: the drop target follows the mode when the window is created.
TxTarnDragMode TTarnEditX::Get_DragMode() { return static_cast<TxTarnDragMode>(IN.DragMode); }
void TTarnEditX::Put_DragMode(TxTarnDragMode v) {
    IN.DragMode = static_cast<tv::TxTarnDragMode>(Checked<TxTarnDragMode>(v, 2, u"DragMode"));
}

void TTarnEditX::Op_MoveSynchroMouse() { IN.MoveSynchroMouse(); }
void TTarnEditX::Op_IMEReConvert() { IN.IMEReConvert(); }
void TTarnEditX::Op_IMEReconvertJob(const Bstr& s) { IN.IMEReconvertJob(cp::ToBytes(s)); }
void TTarnEditX::Op_SetImeStatus(ULong conv, ULong sent, Bool active) { IN.SetImeStatus(conv, sent, active); }
Bool TTarnEditX::Op_GetImeStatus(ULong& conv, ULong& sent) {
    unsigned c = 0, s = 0;
    const bool open = IN.GetImeStatus(c, s);
    conv = c;
    sent = s;
    return open;
}

}  // namespace tarnedit

// What a host needs to drive the TarnEditX control: its identities, the
// DISPIDs of its members and events, its enumerations and the C++ form of
// its dual interface. Only the component runtime's headers are included:
// a host never sees the control's own classes, and reaches the control
// through CoCreateInstance and these interfaces alone.
#pragma once

#include <cstdint>
#include <string>

#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/guid.h"
#include "platform/com/types.h"
#include "tarnedit/tarn_edit_x_members.h"

namespace tarnedit {

namespace com = platform::com;

// {6A1D3E20-7B52-4C1F-9E63-2F8A4B7C1001} and its neighbours.
inline constexpr com::GUID LIBID_TarnEditXControl{0x6A1D3E20, 0x7B52, 0x4C1F, {0x9E, 0x63, 0x2F, 0x8A, 0x4B, 0x7C, 0x10, 0x01}};
inline constexpr com::CLSID CLSID_TarnEditX{0x6A1D3E20, 0x7B52, 0x4C1F, {0x9E, 0x63, 0x2F, 0x8A, 0x4B, 0x7C, 0x10, 0x02}};
inline constexpr com::IID IID_ITarnEditX{0x6A1D3E20, 0x7B52, 0x4C1F, {0x9E, 0x63, 0x2F, 0x8A, 0x4B, 0x7C, 0x10, 0x03}};
inline constexpr com::IID IID_ITarnEditXEvents{0x6A1D3E20, 0x7B52, 0x4C1F, {0x9E, 0x63, 0x2F, 0x8A, 0x4B, 0x7C, 0x10, 0x04}};
inline constexpr com::IID IID_ITarnEditXWindow{0x6A1D3E20, 0x7B52, 0x4C1F, {0x9E, 0x63, 0x2F, 0x8A, 0x4B, 0x7C, 0x10, 0x05}};
inline constexpr com::IID IID_ITarnEditXPersist{0x6A1D3E20, 0x7B52, 0x4C1F, {0x9E, 0x63, 0x2F, 0x8A, 0x4B, 0x7C, 0x10, 0x06}};

inline constexpr char kProgId[] = "TarnEditXControl.TarnEditX";
inline constexpr char16_t kProgIdU16[] = u"TarnEditXControl.TarnEditX";

// ---- Types of the members -------------------------------------------------
using Long = std::int32_t;
using ULong = std::uint32_t;
using Short = std::int16_t;
using Byte = std::uint8_t;
using Bool = bool;  // VARIANT_BOOL on the wire: any non-zero is True, True is -1
using Bstr = com::BSTR;
using Color = com::OLE_COLOR;
using FontDisp = com::ComPtr<com::IDispatch>;  // an IFontDisp

enum TxMovestate : std::int32_t { MLeft = 0, MCenter = 1, MRight = 2 };
enum Txmovemode : std::int32_t { normal = 0, setcenter = 1, settop = 2 };
enum TxUndoAction : std::int32_t {
    uaInsert = 0, uaDelInsert = 1, uaDelete = 2, uadelkey = 3, uaoverwDel = 4,
    uaoverwIns = 5, uaBoxInsert = 6, uaBoxoverw = 7, uaBoxdelete = 8
};
enum TxIMEReconvmode : std::int32_t { imrAuto = 0, imrManual = 1 };
enum TxLineSizeUnit : std::int32_t { uPercent = 0, uPixel = 1 };
enum TxBorderStyle : std::int32_t { bsNone = 0, bsSingle = 1 };
enum TxTarnDragMode : std::int32_t { dmManual = 0, dmAutomatic = 1, dmOLEAuto = 2 };
enum TxMouseButton : std::int32_t { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// Shift bits of the mouse and key events.
inline constexpr Long kShiftShift = 1, kShiftAlt = 2, kShiftCtrl = 4, kShiftLeft = 8, kShiftRight = 16,
                      kShiftMiddle = 32, kShiftDouble = 64;

// ---- DISPIDs ---------------------------------------------------------------
namespace dispid {
#define TX_D_M(id, Name, flags) inline constexpr com::DISPID Name = id;
#define TX_D_MR(id, Name, flags, R) inline constexpr com::DISPID Name = id;
#define TX_D_MP(id, Name, flags, P, N) inline constexpr com::DISPID Name = id;
#define TX_D_MPR(id, Name, flags, R, P, N) inline constexpr com::DISPID Name = id;
#define TX_D_P(id, Name, flags, T) inline constexpr com::DISPID Name = id;
TARNEDITX_MEMBERS(TX_D_M, TX_D_MR, TX_D_MP, TX_D_MPR, TX_D_P, TX_D_P, TX_D_P)
#undef TX_D_M
#undef TX_D_MR
#undef TX_D_MP
#undef TX_D_MPR
#undef TX_D_P
}  // namespace dispid

// Events of ITarnEditXEvents (dispatch only; arguments as listed in
// comments, in/out ones by reference).
namespace event {
inline constexpr com::DISPID OnCustomEdit = 201;       // DeleteF: Bool
inline constexpr com::DISPID OnChange = 202;
inline constexpr com::DISPID OnKeyPress = 203;         // in/out Key: Short
inline constexpr com::DISPID OnClick = 204;
inline constexpr com::DISPID OnDblclick = 205;
inline constexpr com::DISPID OnPaint = 206;
inline constexpr com::DISPID OnOLEDropText = 207;
inline constexpr com::DISPID OnOLEDropFiles = 208;     // DropFiles: Bstr
inline constexpr com::DISPID OnManualStartDrag = 209;  // SelectStr: Bstr, in/out CanDrag: Bool
inline constexpr com::DISPID OnUserDraw = 210;         // c1, c2, x1, x2: Long
inline constexpr com::DISPID OnUserClientDraw = 211;   // L1, L2, dx1, dy1, dx2, dy2: Long
inline constexpr com::DISPID OnSelectionChange = 212;
inline constexpr com::DISPID OnMoveCaret = 213;
inline constexpr com::DISPID OnChangeInsMode = 214;    // InsMode: Bool
inline constexpr com::DISPID OnChangeRedoMode = 215;   // RedoEnable: Bool
inline constexpr com::DISPID OnChangeModify = 216;     // Modified: Bool
inline constexpr com::DISPID OnFind = 217;             // Str, findchr: Bstr, index: Long, in/out x, len: Long
inline constexpr com::DISPID OnFindHit = 218;          // findchr: Bstr, x, y, len, Count: Long
inline constexpr com::DISPID OnFindNoHit = 219;        // findchr: Bstr
inline constexpr com::DISPID OnFindChange = 220;       // findchr, Changechr: Bstr, x, y, len, Count: Long,
                                                       // in/out ChangeF, kakuninF, AbortF: Bool
inline constexpr com::DISPID OnFindChangeEnd = 221;    // findchr, ChangeStr: Bstr, Count: Long
inline constexpr com::DISPID OnIMEChanging = 222;
inline constexpr com::DISPID OnIMEChanged = 223;
inline constexpr com::DISPID OnIMEReConvert = 224;
inline constexpr com::DISPID OnMouseDown = 225;        // Button: TxMouseButton, Shift, x, y: Long
inline constexpr com::DISPID OnMouseMove = 226;        // Shift, x, y: Long
inline constexpr com::DISPID OnMouseUp = 227;          // Button: TxMouseButton, Shift, x, y: Long
inline constexpr com::DISPID OnKeyDown = 228;          // in/out Key: Short, Shift: Long
inline constexpr com::DISPID OnKeyUp = 229;            // in/out Key: Short, Shift: Long
inline constexpr int kCount = 29;
}  // namespace event

// ---- The dual interface ------------------------------------------------------
// Function-table order is the list's order; each property get, put and put
// by reference is its own entry (230 in all). Every member returns an
// HRESULT; a failure's message is in the error information.
#define TX_UNPAREN(...) __VA_ARGS__
#define TX_V_M(id, Name, flags) virtual com::HRESULT Name() noexcept = 0;
#define TX_V_MR(id, Name, flags, R) virtual com::HRESULT Name(R* result) noexcept = 0;
#define TX_V_MP(id, Name, flags, P, N) virtual com::HRESULT Name(TX_UNPAREN P) noexcept = 0;
#define TX_V_MPR(id, Name, flags, R, P, N) virtual com::HRESULT Name(TX_UNPAREN P, R* result) noexcept = 0;
#define TX_V_PRO(id, Name, flags, T) virtual com::HRESULT get_##Name(T* value) noexcept = 0;
#define TX_V_P(id, Name, flags, T) \
    virtual com::HRESULT get_##Name(T* value) noexcept = 0; \
    virtual com::HRESULT put_##Name(T value) noexcept = 0;
#define TX_V_PREF(id, Name, flags, T) \
    TX_V_P(id, Name, flags, T) \
    virtual com::HRESULT putref_##Name(T value) noexcept = 0;

class ITarnEditX : public com::IDispatch {
public:
    static constexpr com::IID kIid = IID_ITarnEditX;
    using Base = com::IDispatch;
    TARNEDITX_MEMBERS(TX_V_M, TX_V_MR, TX_V_MP, TX_V_MPR, TX_V_PRO, TX_V_P, TX_V_PREF)

protected:
    ~ITarnEditX() = default;
};

#undef TX_V_M
#undef TX_V_MR
#undef TX_V_MP
#undef TX_V_MPR
#undef TX_V_PRO
#undef TX_V_P
#undef TX_V_PREF

// A sink answers QueryInterface for this IID and is called through Invoke.
class ITarnEditXEvents : public com::IDispatch {
public:
    static constexpr com::IID kIid = IID_ITarnEditXEvents;
    using Base = com::IDispatch;

protected:
    ~ITarnEditXEvents() = default;
};

// The control's window, for the host to place: a QWidget* as a number
// (the role of a window handle). The host gives it a parent and a size.
class ITarnEditXWindow : public com::IUnknown {
public:
    static constexpr com::IID kIid = IID_ITarnEditXWindow;
    using Base = com::IUnknown;
    virtual com::HRESULT GetWindow(std::uintptr_t* window) noexcept = 0;

protected:
    ~ITarnEditXWindow() = default;
};

// The persisted property stream ("TPF0"), and the host form data's record
// of it (the stream behind its 32-bit little-endian byte length).
class ITarnEditXPersist : public com::IUnknown {
public:
    static constexpr com::IID kIid = IID_ITarnEditXPersist;
    using Base = com::IUnknown;
    // Back to the reference settings of a new control.
    virtual com::HRESULT InitNew() noexcept = 0;
    // The whole stream must be readable, or nothing is applied and the
    // call fails; readable entries the control cannot take are skipped.
    virtual com::HRESULT Load(const std::string& stream) noexcept = 0;
    virtual com::HRESULT Save(std::string* stream) noexcept = 0;
    // consumed: the record's bytes (prefix and stream), so records can follow.
    virtual com::HRESULT LoadRecord(const std::string& data, std::uint32_t* consumed) noexcept = 0;
    virtual com::HRESULT SaveRecord(std::string* record) noexcept = 0;

protected:
    ~ITarnEditXPersist() = default;
};

}  // namespace tarnedit

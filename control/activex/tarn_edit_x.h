// TTarnEditX: the control object. It owns the editor window (and through
// it the editor) and implements ITarnEditX by forwarding each member to the
// operation it names, converting strings, Booleans and enumerations at the
// boundary. Members are written once as throwing operations (Op_*, Get_*,
// Put_*); the interface's function table and the dispatch table are both
// expanded from the one member list over them.
#pragma once

#include <memory>

#include "platform/com/connection_point.h"
#include "platform/com/dispatch_impl.h"
#include "platform/com/object.h"
#include "tarnedit/tarn_edit_x.h"

namespace tarn::view {
class TTarnEditView;
}

namespace tarnedit {

#define TX_UNPAREN2(...) __VA_ARGS__
#define TX_O_M(id, Name, flags) void Op_##Name();
#define TX_O_MR(id, Name, flags, R) R Op_##Name();
#define TX_O_MP(id, Name, flags, P, N) void Op_##Name(TX_UNPAREN2 P);
#define TX_O_MPR(id, Name, flags, R, P, N) R Op_##Name(TX_UNPAREN2 P);
#define TX_O_PRO(id, Name, flags, T) T Get_##Name();
#define TX_O_P(id, Name, flags, T) T Get_##Name(); void Put_##Name(T value);
#define TX_O_PREF(id, Name, flags, T) TX_O_P(id, Name, flags, T) void PutRef_##Name(T value);

#define TX_I_M(id, Name, flags) com::HRESULT Name() noexcept override;
#define TX_I_MR(id, Name, flags, R) com::HRESULT Name(R* result) noexcept override;
#define TX_I_MP(id, Name, flags, P, N) com::HRESULT Name(TX_UNPAREN2 P) noexcept override;
#define TX_I_MPR(id, Name, flags, R, P, N) com::HRESULT Name(TX_UNPAREN2 P, R* result) noexcept override;
#define TX_I_PRO(id, Name, flags, T) com::HRESULT get_##Name(T* value) noexcept override;
#define TX_I_P(id, Name, flags, T) \
    com::HRESULT get_##Name(T* value) noexcept override; com::HRESULT put_##Name(T value) noexcept override;
#define TX_I_PREF(id, Name, flags, T) TX_I_P(id, Name, flags, T) com::HRESULT putref_##Name(T value) noexcept override;

class TTarnEditX final
    : public com::ComObject<TTarnEditX, com::DispatchImpl<TTarnEditX, ITarnEditX>, com::IConnectionPointContainer,
                            ITarnEditXWindow, ITarnEditXPersist> {
public:
    TTarnEditX();
    ~TTarnEditX();

    static const com::DispatchTable<TTarnEditX>& DispatchMembers();
    static const com::EventTable& Events();

    // The operations (throwing on failure).
    TARNEDITX_MEMBERS(TX_O_M, TX_O_MR, TX_O_MP, TX_O_MPR, TX_O_PRO, TX_O_P, TX_O_PREF)
    // The function table (HRESULTs and error information).
    TARNEDITX_MEMBERS(TX_I_M, TX_I_MR, TX_I_MP, TX_I_MPR, TX_I_PRO, TX_I_P, TX_I_PREF)

    // IConnectionPointContainer
    com::HRESULT EnumConnectionPoints(std::vector<com::ComPtr<com::IConnectionPoint>>* points) noexcept override;
    com::HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) noexcept override;
    // ITarnEditXWindow
    com::HRESULT GetWindow(std::uintptr_t* window) noexcept override;
    // ITarnEditXPersist
    com::HRESULT InitNew() noexcept override;
    com::HRESULT Load(const std::string& stream) noexcept override;
    com::HRESULT Save(std::string* stream) noexcept override;
    com::HRESULT LoadRecord(const std::string& data, std::uint32_t* consumed) noexcept override;
    com::HRESULT SaveRecord(std::string* record) noexcept override;

    tarn::view::TTarnEditView& View() noexcept { return *view_; }
    // Loads a stream, throwing when it is unreadable.
    void LoadProperties(const std::string& stream);
    std::string SaveProperties();

private:
    void BindEvents();
    void BindInputEvents();

    std::unique_ptr<tarn::view::TTarnEditView> view_;
    com::ConnectionPoint events_;
    Bstr version_ = u"TTarnEdit Ver1.35";
    bool ctl3d_ = true;
    TxBorderStyle border_ = bsSingle;
    bool subComponent_ = false;
    std::int32_t cursor_ = -4;  // crIBeam, the window's own
    bool tabStop_ = true;
    bool showHint_ = false;
    std::int32_t fontCharset_ = 128;  // SHIFTJIS_CHARSET
    std::uint8_t fontStyle_ = 0;
};

}  // namespace tarnedit

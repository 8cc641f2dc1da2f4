// Late-bound calls: a member is named by a DISPID and called through Invoke
// with its arguments as variants. This is the only way hosts reach a
// control, so the conventions are Windows' own: arguments in reverse order,
// the value of a property put as the named argument DISPID_PROPERTYPUT,
// by-reference arguments pointing at the caller's storage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/unknown.h"
#include "platform/com/vartype.h"

namespace platform::com {

class Variant;
class ITypeInfo;

struct DISPPARAMS {
    Variant* rgvarg = nullptr;  // last argument first
    const DISPID* rgdispidNamedArgs = nullptr;
    unsigned cArgs = 0;       // all arguments, named ones included
    unsigned cNamedArgs = 0;  // the first cNamedArgs of rgvarg are the named ones
};

// What Invoke reports alongside DISP_E_EXCEPTION.
struct EXCEPINFO {
    std::uint16_t wCode = 0;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext = 0;
    HRESULT scode = S_OK;
};

class IDispatch : public IUnknown {
public:
    static constexpr IID kIid{0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    using Base = IUnknown;

    virtual HRESULT GetTypeInfoCount(unsigned* count) noexcept = 0;
    virtual HRESULT GetTypeInfo(unsigned index, ITypeInfo** info) noexcept = 0;
    // names[0] is a member, the others its parameters; matching ignores case.
    virtual HRESULT GetIDsOfNames(const BSTR* names, unsigned count, DISPID* ids) noexcept = 0;
    virtual HRESULT Invoke(DISPID member, std::uint16_t flags, DISPPARAMS* params, Variant* result,
                           EXCEPINFO* excepInfo, unsigned* argErr) noexcept = 0;

protected:
    ~IDispatch() = default;
};

inline constexpr const IID& IID_IDispatch = IDispatch::kIid;

}  // namespace platform::com

#include "platform/com/late_bound.h"

namespace platform::com::detail {

HRESULT FromExcepInfo(HRESULT hr, const EXCEPINFO& excepInfo) noexcept {
    if (hr != DISP_E_EXCEPTION) return hr;
    try {
        SetErrorInfo(ErrorInfo{excepInfo.bstrDescription, excepInfo.bstrSource, GUID_NULL});
    } catch (...) {
        ClearErrorInfo();
    }
    return FAILED(excepInfo.scode) ? excepInfo.scode : DISP_E_EXCEPTION;
}

}  // namespace platform::com::detail

namespace platform::com {

DISPID DispidOf(IDispatch* target, std::u16string_view name) noexcept {
    if (!target) return DISPID_UNKNOWN;
    try {
        BSTR n(name);
        DISPID id = DISPID_UNKNOWN;
        return SUCCEEDED(target->GetIDsOfNames(&n, 1, &id)) ? id : DISPID_UNKNOWN;
    } catch (...) {
        return DISPID_UNKNOWN;
    }
}

}  // namespace platform::com

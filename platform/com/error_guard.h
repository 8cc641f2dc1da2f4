// The boundary between C++ failures and result codes. Members of objects
// throw (a ComError when the failure has a code of its own, any exception
// otherwise); the runtime turns that into a failed HRESULT and error
// information, and nothing is thrown across an interface call.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/com/dispatch.h"

namespace platform::com {

class ComError : public std::runtime_error {
public:
    ComError(HRESULT code, std::u16string_view description);
    ComError(HRESULT code, const std::string& descriptionUtf8);
    HRESULT code() const noexcept { return code_; }
    const BSTR& description() const noexcept { return description_; }

private:
    HRESULT code_;
    BSTR description_;
};

// What a caught exception stands for: ComError its own code, out of memory
// E_OUTOFMEMORY, anything else E_UNEXPECTED; and its message.
struct Failure {
    HRESULT code = E_UNEXPECTED;
    BSTR description;
};
Failure DescribeException(std::exception_ptr e) noexcept;

// Sets the error information for the current exception and returns its code.
HRESULT ReportCurrentException(std::u16string_view source) noexcept;

// The same, for Invoke: EXCEPINFO filled and DISP_E_EXCEPTION returned.
HRESULT ReportCurrentExceptionForInvoke(std::u16string_view source, EXCEPINFO* excepInfo) noexcept;

// Runs f; S_OK, or the failure's code with error information set.
template <class F>
HRESULT Guarded(std::u16string_view source, F&& f) noexcept {
    try {
        f();
        return S_OK;
    } catch (...) {
        return ReportCurrentException(source);
    }
}

}  // namespace platform::com

#include "platform/com/error_guard.h"

#include <new>

#include "platform/com/error_info.h"
#include "platform/com/utf.h"

namespace platform::com {

ComError::ComError(HRESULT code, std::u16string_view description)
    : std::runtime_error(Utf16ToUtf8(description)), code_(code), description_(description) {}

ComError::ComError(HRESULT code, const std::string& descriptionUtf8)
    : std::runtime_error(descriptionUtf8), code_(code), description_(Utf8ToUtf16(descriptionUtf8)) {}

Failure DescribeException(std::exception_ptr e) noexcept {
    Failure f;
    try {
        try {
            std::rethrow_exception(e);
        } catch (const ComError& c) {
            f.code = c.code();
            f.description = c.description();
        } catch (const std::bad_alloc&) {
            f.code = E_OUTOFMEMORY;
            f.description = u"Out of memory";
        } catch (const std::exception& x) {
            f.description = Utf8ToUtf16(x.what());
        } catch (...) {
            f.description = u"Unknown failure";
        }
    } catch (...) {
        // Copying the message itself ran out of memory.
        f.code = E_OUTOFMEMORY;
        f.description.clear();
    }
    return f;
}

HRESULT ReportCurrentException(std::u16string_view source) noexcept {
    Failure f = DescribeException(std::current_exception());
    try {
        SetErrorInfo(ErrorInfo{f.description, BSTR(source), GUID_NULL});
    } catch (...) {
        ClearErrorInfo();
    }
    return f.code;
}

HRESULT ReportCurrentExceptionForInvoke(std::u16string_view source, EXCEPINFO* excepInfo) noexcept {
    Failure f = DescribeException(std::current_exception());
    try {
        SetErrorInfo(ErrorInfo{f.description, BSTR(source), GUID_NULL});
        if (excepInfo) {
            *excepInfo = EXCEPINFO{};
            excepInfo->bstrSource = BSTR(source);
            excepInfo->bstrDescription = f.description;
            excepInfo->scode = f.code;
        }
    } catch (...) {
        ClearErrorInfo();
        if (excepInfo) excepInfo->scode = E_OUTOFMEMORY;
    }
    return DISP_E_EXCEPTION;
}

}  // namespace platform::com

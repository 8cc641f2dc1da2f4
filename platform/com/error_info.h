// Error information: the description of the last failure, kept per thread,
// set by the callee just before it returns a failed HRESULT and taken by the
// caller right after. Invoke also reports it through EXCEPINFO.
//
// One slot serves the whole process: a server library loaded with dlopen
// uses the slot of the program that loaded it, provided the program exports
// its symbols (the platform library asks its executables to), so that a
// description set inside the server reaches the host.
#pragma once

#include <string>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/types.h"

namespace platform::com {

struct ErrorInfo {
    BSTR description;
    BSTR source;     // the object or module that failed
    GUID interface;  // the interface whose member failed, or GUID_NULL
};

void SetErrorInfo(ErrorInfo info);
void ClearErrorInfo() noexcept;
// S_OK and the information, which is taken out of the slot; S_FALSE if none.
HRESULT GetErrorInfo(ErrorInfo* info);

// Sets the description and returns hr, for "return ReportError(...)".
HRESULT ReportError(HRESULT hr, BSTR description, BSTR source = {}) noexcept;

}  // namespace platform::com

#include "platform/com/error_info.h"

#include <optional>

namespace platform::com {

// Default visibility on purpose (the library is otherwise hidden): this is
// the one definition a loaded server must share with its host.
[[gnu::visibility("default")]] std::optional<ErrorInfo>& QuenbyComErrorSlot() noexcept {
    thread_local std::optional<ErrorInfo> slot;
    return slot;
}

void SetErrorInfo(ErrorInfo info) { QuenbyComErrorSlot() = std::move(info); }

void ClearErrorInfo() noexcept { QuenbyComErrorSlot().reset(); }

HRESULT GetErrorInfo(ErrorInfo* info) {
    std::optional<ErrorInfo>& slot = QuenbyComErrorSlot();
    if (!slot) return S_FALSE;
    if (info) *info = std::move(*slot);
    slot.reset();
    return S_OK;
}

HRESULT ReportError(HRESULT hr, BSTR description, BSTR source) noexcept {
    try {
        SetErrorInfo(ErrorInfo{std::move(description), std::move(source), GUID_NULL});
    } catch (...) {
        ClearErrorInfo();  // out of memory: no description beats a stale one
    }
    return hr;
}

}  // namespace platform::com

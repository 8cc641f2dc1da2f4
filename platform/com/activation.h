// Creating objects of registered classes. A class is found under
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32, whose default value names
// the server library; the library is loaded once and kept, its
// DllGetClassObject gives the class factory, and the factory the object.
// Every failure sets error information saying what was missing.
#pragma once

#include <string_view>

#include "platform/com/class_factory.h"

namespace platform::com {

inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_ALL = 0x17;

// "{...}" to a CLSID; CO_E_CLASSSTRING if the text is not one.
HRESULT CLSIDFromString(std::u16string_view text, CLSID* clsid) noexcept;
// A ProgID's Clsid subkey; CO_E_CLASSSTRING for an unknown ProgID.
HRESULT CLSIDFromProgID(std::u16string_view progId, CLSID* clsid) noexcept;

// REGDB_E_CLASSNOTREG for an unregistered class, HRESULT_FROM_WIN32 of
// ERROR_MOD_NOT_FOUND or ERROR_PROC_NOT_FOUND for a library that cannot be
// loaded or has no DllGetClassObject.
HRESULT CoGetClassObject(const CLSID& clsid, DWORD context, const IID& iid, void** object) noexcept;
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** object) noexcept;

template <class T>
HRESULT CoCreateInstance(const CLSID& clsid, ComPtr<T>* out) noexcept {
    if (!out) return E_POINTER;
    out->Reset();
    void* raw = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, T::kIid, &raw);
    if (SUCCEEDED(hr)) *out = ComPtr<T>::Adopt(static_cast<T*>(raw));
    return hr;
}

// Unloads the loaded servers whose DllCanUnloadNow says S_OK.
void CoFreeUnusedLibraries() noexcept;

}  // namespace platform::com

// A host's side of late binding: calling an object's members by DISPID
// with C++ values, the arguments in declaration order, in/out ones wrapped
// in ByRef.
//
//     std::int32_t line = 0;
//     GetProperty(editor, 208, &line);
//     PutProperty(editor, DISPID_TEXT, u"hello");
//     bool selected = false;
//     CallFunction(editor, 256, &selected, ByRef(x1), ByRef(y1), ByRef(x2), ByRef(y2));
//     CallMethod(editor, 226);
//
// A member that fails with an exception (DISP_E_EXCEPTION) returns the code
// it carried, and its description becomes this thread's error information,
// as if the member had been called through its interface directly.
#pragma once

#include <string_view>

#include "platform/com/error_info.h"
#include "platform/com/outgoing.h"

namespace platform::com {

namespace detail {
HRESULT FromExcepInfo(HRESULT hr, const EXCEPINFO& excepInfo) noexcept;

template <class... Args>
HRESULT Call(IDispatch* target, DISPID id, std::uint16_t flags, Variant* result, Args&&... args) noexcept {
    if (!target) return E_POINTER;
    try {
        EXCEPINFO excepInfo;
        HRESULT hr = InvokeWith(target, id, flags, result, &excepInfo, args...);
        return FromExcepInfo(hr, excepInfo);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
}  // namespace detail

template <class... Args>
HRESULT CallMethod(IDispatch* target, DISPID id, Args&&... args) noexcept {
    Variant ignored;
    return detail::Call(target, id, DISPATCH_METHOD, &ignored, args...);
}

// The result is converted to R as an argument would be.
template <class R, class... Args>
HRESULT CallFunction(IDispatch* target, DISPID id, R* result, Args&&... args) noexcept {
    if (!result) return E_POINTER;
    Variant v;
    HRESULT hr = detail::Call(target, id, DISPATCH_METHOD, &v, args...);
    return SUCCEEDED(hr) ? ArgCodec<R>::Decode(v, result) : hr;
}

template <class T>
HRESULT GetProperty(IDispatch* target, DISPID id, T* value) noexcept {
    if (!value) return E_POINTER;
    Variant v;
    HRESULT hr = detail::Call(target, id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &v);
    return SUCCEEDED(hr) ? ArgCodec<T>::Decode(v, value) : hr;
}

template <class T>
HRESULT PutProperty(IDispatch* target, DISPID id, const T& value) noexcept {
    return detail::Call(target, id, DISPATCH_PROPERTYPUT, nullptr, value);
}

template <class T>
HRESULT PutPropertyRef(IDispatch* target, DISPID id, const T& value) noexcept {
    return detail::Call(target, id, DISPATCH_PROPERTYPUTREF, nullptr, value);
}

// The DISPID of a member by name, or DISPID_UNKNOWN.
DISPID DispidOf(IDispatch* target, std::u16string_view name) noexcept;

}  // namespace platform::com

// How each C++ parameter type of a dispatch member travels as a variant:
// its VARTYPE, the representation of its by-reference form ("Wire"), and
// the conversions both ways. A member's signature alone thus fixes its type
// information and its argument decoding.
//
// Supported: the integer widths of automation, bool (VARIANT_BOOL), BSTR,
// OLE_COLOR, enumerations (as long), IDispatch and IUnknown pointers and
// Variant itself.
#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>

#include "platform/com/coerce.h"

namespace platform::com {

template <class T, class = void>
struct ArgCodec;  // unsupported parameter type

namespace detail {
template <class T, VARTYPE Vt, HRESULT (*Decoder)(const Variant&, T*), Variant (*Encoder)(T)>
struct PlainCodec {
    using Wire = T;
    static constexpr VARTYPE vt = Vt;
    static constexpr std::u16string_view typeName{};
    static HRESULT Decode(const Variant& v, T* out) noexcept { return Decoder(v, out); }
    static Variant Encode(const T& v) { return Encoder(v); }
    static T FromWire(const Wire& w) { return w; }
    static Wire ToWire(const T& v) { return v; }
};
}  // namespace detail

template <>
struct ArgCodec<std::int8_t> : detail::PlainCodec<std::int8_t, VT_I1, ToI1, Variant::I1> {};
template <>
struct ArgCodec<std::uint8_t> : detail::PlainCodec<std::uint8_t, VT_UI1, ToUI1, Variant::UI1> {};
template <>
struct ArgCodec<std::int16_t> : detail::PlainCodec<std::int16_t, VT_I2, ToI2, Variant::I2> {};
template <>
struct ArgCodec<std::uint16_t> : detail::PlainCodec<std::uint16_t, VT_UI2, ToUI2, Variant::UI2> {};
template <>
struct ArgCodec<std::int32_t> : detail::PlainCodec<std::int32_t, VT_I4, ToI4, Variant::I4> {};
template <>
struct ArgCodec<std::uint32_t> : detail::PlainCodec<std::uint32_t, VT_UI4, ToUI4, Variant::UI4> {};

template <>
struct ArgCodec<bool> {
    using Wire = VARIANT_BOOL;
    static constexpr VARTYPE vt = VT_BOOL;
    static constexpr std::u16string_view typeName{};
    static HRESULT Decode(const Variant& v, bool* out) noexcept { return ToBool(v, out); }
    static Variant Encode(bool v) { return Variant::Bool(v); }
    static bool FromWire(Wire w) { return FromVariantBool(w); }
    static Wire ToWire(bool v) { return ToVariantBool(v); }
};

template <>
struct ArgCodec<OLE_COLOR> {
    using Wire = std::uint32_t;
    static constexpr VARTYPE vt = VT_UI4;
    static constexpr std::u16string_view typeName = u"OLE_COLOR";
    static HRESULT Decode(const Variant& v, OLE_COLOR* out) noexcept { return ToColor(v, out); }
    static Variant Encode(OLE_COLOR v) { return Variant::Color(v); }
    static OLE_COLOR FromWire(Wire w) { return OLE_COLOR(w); }
    static Wire ToWire(OLE_COLOR v) { return v.value; }
};

template <>
struct ArgCodec<BSTR> {
    using Wire = BSTR;
    static constexpr VARTYPE vt = VT_BSTR;
    static constexpr std::u16string_view typeName{};
    static HRESULT Decode(const Variant& v, BSTR* out) noexcept { return ToBstr(v, out); }
    static Variant Encode(const BSTR& v) { return Variant::Bstr(v); }
    static const BSTR& FromWire(const Wire& w) { return w; }
    static const Wire& ToWire(const BSTR& v) { return v; }
};

template <>
struct ArgCodec<ComPtr<IDispatch>> {
    using Wire = ComPtr<IDispatch>;
    static constexpr VARTYPE vt = VT_DISPATCH;
    static constexpr std::u16string_view typeName{};
    static HRESULT Decode(const Variant& v, Wire* out) noexcept { return ToDispatch(v, out); }
    static Variant Encode(const Wire& v) { return Variant::Dispatch(v); }
    static const Wire& FromWire(const Wire& w) { return w; }
    static const Wire& ToWire(const Wire& v) { return v; }
};

template <>
struct ArgCodec<ComPtr<IUnknown>> {
    using Wire = ComPtr<IUnknown>;
    static constexpr VARTYPE vt = VT_UNKNOWN;
    static constexpr std::u16string_view typeName{};
    static HRESULT Decode(const Variant& v, Wire* out) noexcept { return ToUnknown(v, out); }
    static Variant Encode(const Wire& v) { return Variant::Unknown(v); }
    static const Wire& FromWire(const Wire& w) { return w; }
    static const Wire& ToWire(const Wire& v) { return v; }
};

template <>
struct ArgCodec<Variant> {
    using Wire = Variant;
    static constexpr VARTYPE vt = VT_VARIANT;
    static constexpr std::u16string_view typeName{};
    static HRESULT Decode(const Variant& v, Variant* out) noexcept {
        try {
            *out = v.Deref();
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    static Variant Encode(const Variant& v) { return v; }
    static const Variant& FromWire(const Wire& w) { return w; }
    static const Wire& ToWire(const Variant& v) { return v; }
};

// Enumerations travel as long.
template <class E>
struct ArgCodec<E, std::enable_if_t<std::is_enum_v<E>>> {
    using Wire = std::int32_t;
    static constexpr VARTYPE vt = VT_I4;
    static constexpr std::u16string_view typeName{};
    static HRESULT Decode(const Variant& v, E* out) noexcept {
        std::int32_t n = 0;
        HRESULT hr = ToI4(v, &n);
        if (SUCCEEDED(hr)) *out = static_cast<E>(n);
        return hr;
    }
    static Variant Encode(E v) { return Variant::I4(static_cast<std::int32_t>(v)); }
    static E FromWire(Wire w) { return static_cast<E>(w); }
    static Wire ToWire(E v) { return static_cast<std::int32_t>(v); }
};

}  // namespace platform::com

// Calling out to a sink: the caller lists the arguments in declaration
// order, wrapping in/out ones in ByRef; the helper builds the variants in
// the reverse order Invoke expects and copies by-reference results back
// into the caller's variables after the call.
//
//     std::int16_t key = 'a';
//     CallSink(sink, 203, ByRef(key));   // key now holds the sink's answer
//
// A sink that does not handle the event (DISP_E_MEMBERNOTFOUND) leaves the
// in/out values as they were.
#pragma once

#include <array>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/com/arg_codec.h"
#include "platform/com/type_info.h"

namespace platform::com {

template <class T>
struct RefArg {
    T& target;
};
template <class T>
RefArg<T> ByRef(T& value) noexcept {
    return RefArg<T>{value};
}

namespace detail {

// String literals and views go out as BSTR.
template <class A>
using OutValue = std::conditional_t<std::is_convertible_v<const std::decay_t<A>&, std::u16string_view>, BSTR,
                                    std::decay_t<A>>;

template <class A>
class OutSlot {
public:
    using T = OutValue<A>;
    static constexpr VARTYPE vt = ArgCodec<T>::vt;
    template <class U>
    explicit OutSlot(const U& value) : variant_(ArgCodec<T>::Encode(T(value))) {}
    Variant Make() const { return variant_; }
    void WriteBack() {}

private:
    Variant variant_;
};

template <class T>
class OutSlot<RefArg<T>> {
public:
    using Codec = ArgCodec<T>;
    static constexpr VARTYPE vt = static_cast<VARTYPE>(Codec::vt | VT_BYREF);
    explicit OutSlot(const RefArg<T>& r) : target_(r.target), wire_(Codec::ToWire(r.target)) {}
    Variant Make() { return Variant::RefOf(Codec::vt, &wire_); }
    void WriteBack() { target_ = Codec::FromWire(wire_); }

private:
    T& target_;
    typename Codec::Wire wire_;
};

// Invoke with the slots' variants, last argument first; a put passes its
// one argument as the named argument DISPID_PROPERTYPUT.
template <class... A, std::size_t... I>
HRESULT InvokeWithSlots(IDispatch* target, DISPID id, std::uint16_t flags, std::tuple<OutSlot<A>...>& slots,
                        std::index_sequence<I...>, Variant* result, EXCEPINFO* excepInfo) {
    constexpr std::size_t n = sizeof...(A);
    std::array<Variant, n> args;
    ((args[n - 1 - I] = std::get<I>(slots).Make()), ...);
    static const DISPID kPutName = DISPID_PROPERTYPUT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{args.data(), put ? &kPutName : nullptr, static_cast<unsigned>(n), put ? 1u : 0u};
    unsigned argErr = 0;
    HRESULT hr = target->Invoke(id, flags, &params, result, excepInfo, &argErr);
    (std::get<I>(slots).WriteBack(), ...);
    return hr;
}

template <class... Args>
HRESULT InvokeWith(IDispatch* target, DISPID id, std::uint16_t flags, Variant* result, EXCEPINFO* excepInfo,
                   Args&&... args) {
    std::tuple<OutSlot<std::decay_t<Args>>...> slots(args...);
    return InvokeWithSlots(target, id, flags, slots, std::index_sequence_for<Args...>{}, result, excepInfo);
}

}  // namespace detail

// Whether arguments of these types fit the event's declared parameters.
template <class... Args>
bool ArgumentsMatch(const FuncDesc& desc) noexcept {
    constexpr std::array<VARTYPE, sizeof...(Args)> vts{detail::OutSlot<std::decay_t<Args>>::vt...};
    if (desc.params.size() != vts.size()) return false;
    for (std::size_t i = 0; i < vts.size(); ++i)
        if (desc.params[i].vt != vts[i]) return false;
    return true;
}

template <class... Args>
HRESULT CallSink(IDispatch* sink, DISPID id, Args&&... args) noexcept {
    if (!sink) return E_POINTER;
    try {
        Variant result;
        EXCEPINFO excepInfo;
        return detail::InvokeWith(sink, id, DISPATCH_METHOD, &result, &excepInfo, args...);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace platform::com

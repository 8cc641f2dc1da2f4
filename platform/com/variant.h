// An automation value: a VARTYPE tag and the value it names. Several tags
// share a representation (VT_BOOL and VT_I2 are both 16-bit, VT_I4, VT_INT
// and VT_ERROR 32-bit), so the tag, not the C++ type held, says what the
// value is.
//
// A by-reference variant points at storage its creator owns; the callee
// writes through it, which is how in/out arguments reach back to a caller.
// The creator keeps that storage alive for the duration of the call.
#pragma once

#include <cstdint>
#include <variant>

#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/types.h"
#include "platform/com/vartype.h"

namespace platform::com {

class Variant {
public:
    using Pointer = std::variant<std::int8_t*, std::uint8_t*, std::int16_t*, std::uint16_t*, std::int32_t*,
                                 std::uint32_t*, BSTR*, ComPtr<IDispatch>*, ComPtr<IUnknown>*, Variant*>;
    using Storage = std::variant<std::monostate, std::int8_t, std::uint8_t, std::int16_t, std::uint16_t, std::int32_t,
                                 std::uint32_t, BSTR, ComPtr<IDispatch>, ComPtr<IUnknown>, Pointer>;

    Variant() noexcept = default;  // VT_EMPTY
    Variant(const Variant&);
    Variant(Variant&&) noexcept;
    Variant& operator=(const Variant&);
    Variant& operator=(Variant&&) noexcept;
    ~Variant();

    static Variant I1(std::int8_t v) { return Variant(VT_I1, v); }
    static Variant UI1(std::uint8_t v) { return Variant(VT_UI1, v); }
    static Variant I2(std::int16_t v) { return Variant(VT_I2, v); }
    static Variant UI2(std::uint16_t v) { return Variant(VT_UI2, v); }
    static Variant I4(std::int32_t v) { return Variant(VT_I4, v); }
    static Variant UI4(std::uint32_t v) { return Variant(VT_UI4, v); }
    static Variant Int(std::int32_t v) { return Variant(VT_INT, v); }
    static Variant UInt(std::uint32_t v) { return Variant(VT_UINT, v); }
    static Variant Bool(bool v) { return Variant(VT_BOOL, ToVariantBool(v)); }
    static Variant Error(HRESULT v) { return Variant(VT_ERROR, std::int32_t{v}); }
    static Variant Color(OLE_COLOR c) { return Variant(VT_UI4, c.value); }
    static Variant Bstr(BSTR v);
    static Variant Dispatch(ComPtr<IDispatch> v);
    static Variant Unknown(ComPtr<IUnknown> v);

    // By-reference forms. The 16-bit form takes the tag because a
    // VARIANT_BOOL and a short are the same C++ type.
    static Variant Ref(std::int8_t& v) { return ByRef(VT_I1, &v); }
    static Variant Ref(std::uint8_t& v) { return ByRef(VT_UI1, &v); }
    static Variant Ref(std::int16_t& v, VARTYPE vt = VT_I2) { return ByRef(vt, &v); }
    static Variant Ref(std::uint16_t& v) { return ByRef(VT_UI2, &v); }
    static Variant Ref(std::int32_t& v, VARTYPE vt = VT_I4) { return ByRef(vt, &v); }
    static Variant Ref(std::uint32_t& v, VARTYPE vt = VT_UI4) { return ByRef(vt, &v); }
    static Variant Ref(BSTR& v) { return ByRef(VT_BSTR, &v); }
    static Variant Ref(ComPtr<IDispatch>& v) { return ByRef(VT_DISPATCH, &v); }
    static Variant Ref(ComPtr<IUnknown>& v) { return ByRef(VT_UNKNOWN, &v); }
    static Variant Ref(Variant& v) { return ByRef(VT_VARIANT, &v); }

    // The general by-reference form, for code that knows the representation
    // of a tag (T must be one of Pointer's targets).
    template <class T>
    static Variant RefOf(VARTYPE vt, T* p) {
        return ByRef(vt, p);
    }

    VARTYPE vt() const noexcept { return vt_; }
    bool IsByRef() const noexcept { return (vt_ & VT_BYREF) != 0; }
    VARTYPE BaseType() const noexcept { return static_cast<VARTYPE>(vt_ & ~VT_BYREF); }
    const Storage& storage() const noexcept { return storage_; }

    // The held value when it is exactly of representation T, else null.
    template <class T>
    const T* If() const noexcept {
        return std::get_if<T>(&storage_);
    }
    // The caller's storage of a by-reference variant of representation T.
    template <class T>
    T* Target() const noexcept {
        const Pointer* p = std::get_if<Pointer>(&storage_);
        if (!p) return nullptr;
        T* const* t = std::get_if<T*>(p);
        return t ? *t : nullptr;
    }

    // A by-value copy of what a by-reference variant points at (one level:
    // a reference to a variant yields that variant). Others are copied.
    Variant Deref() const;

    void Clear() noexcept;

private:
    template <class T>
    Variant(VARTYPE vt, T v) : vt_(vt), storage_(std::move(v)) {}
    template <class T>
    static Variant ByRef(VARTYPE vt, T* p) {
        Variant v;
        v.vt_ = static_cast<VARTYPE>(vt | VT_BYREF);
        v.storage_ = Pointer(p);
        return v;
    }

    VARTYPE vt_ = VT_EMPTY;
    Storage storage_;
};

}  // namespace platform::com

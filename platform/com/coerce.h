// Conversions between automation types, with the system's outcomes: a value
// that does not fit is DISP_E_OVERFLOW, a conversion that makes no sense is
// DISP_E_TYPEMISMATCH, a tag this runtime does not carry is
// DISP_E_BADVARTYPE. A by-reference source is read through.
//
// Documented choices: text converts to numbers as decimal (surrounding
// blanks and a sign allowed, a fraction rounded half to even) or as "&H"
// hexadecimal, which fills the target's width (so "&HFFFF" is -1 as a short);
// Booleans read "True"/"False" in any case or a number; a Boolean becomes
// "True"/"False" as text, -1/0 as a signed number and all bits set/0 as an
// unsigned one; an object converts through its default member (DISPID_VALUE).
#pragma once

#include <cstdint>

#include "platform/com/variant.h"

namespace platform::com {

HRESULT VariantChangeType(Variant& dest, const Variant& src, VARTYPE vt) noexcept;

// Typed forms for the member decoders.
HRESULT ToI1(const Variant& v, std::int8_t* out) noexcept;
HRESULT ToUI1(const Variant& v, std::uint8_t* out) noexcept;
HRESULT ToI2(const Variant& v, std::int16_t* out) noexcept;
HRESULT ToUI2(const Variant& v, std::uint16_t* out) noexcept;
HRESULT ToI4(const Variant& v, std::int32_t* out) noexcept;
HRESULT ToUI4(const Variant& v, std::uint32_t* out) noexcept;
HRESULT ToBool(const Variant& v, bool* out) noexcept;
HRESULT ToBstr(const Variant& v, BSTR* out) noexcept;
HRESULT ToDispatch(const Variant& v, ComPtr<IDispatch>* out) noexcept;
HRESULT ToUnknown(const Variant& v, ComPtr<IUnknown>* out) noexcept;
// A colour also accepts the bits of a signed long, which is how hosts pass
// system colours.
HRESULT ToColor(const Variant& v, OLE_COLOR* out) noexcept;

}  // namespace platform::com

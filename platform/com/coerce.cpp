#include "platform/com/coerce.h"

#include <limits>
#include <new>
#include <optional>
#include <string>

namespace platform::com {
namespace {

struct Range {
    std::int64_t min;
    std::int64_t max;
    bool isSigned;
    int bits;
};

std::optional<Range> IntegerRange(VARTYPE vt) {
    switch (vt) {
        case VT_I1: return Range{-128, 127, true, 8};
        case VT_UI1: return Range{0, 255, false, 8};
        case VT_I2: return Range{-32768, 32767, true, 16};
        case VT_UI2: return Range{0, 65535, false, 16};
        case VT_I4:
        case VT_INT: return Range{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), true, 32};
        case VT_UI4:
        case VT_UINT: return Range{0, std::numeric_limits<std::uint32_t>::max(), false, 32};
        default: return std::nullopt;
    }
}

// The integer a numeric variant holds; Booleans as -1/0.
std::optional<std::int64_t> IntegerOf(const Variant& v) {
    return std::visit(
        [&](const auto& x) -> std::optional<std::int64_t> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_integral_v<T>) {
                if (v.vt() == VT_ERROR) return std::nullopt;
                return static_cast<std::int64_t>(x);
            } else {
                return std::nullopt;
            }
        },
        v.storage());
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Text to an integer for the target range; overflow and mismatch kept apart.
HRESULT ParseInteger(std::u16string_view text, const Range& r, std::int64_t* out) {
    std::u16string_view s = Trim(text);
    if (s.size() > 2 && s[0] == u'&' && Lower(s[1]) == u'h') {
        s.remove_prefix(2);
        if (s.empty() || s.size() > 16) return s.empty() ? DISP_E_TYPEMISMATCH : DISP_E_OVERFLOW;
        std::uint64_t v = 0;
        for (char16_t c : s) {
            int d = (c >= u'0' && c <= u'9') ? c - u'0' : (Lower(c) >= u'a' && Lower(c) <= u'f') ? Lower(c) - u'a' + 10 : -1;
            if (d < 0) return DISP_E_TYPEMISMATCH;
            v = v * 16 + static_cast<std::uint64_t>(d);
        }
        std::uint64_t widthMax = r.bits == 32 ? 0xFFFFFFFFull : ((1ull << r.bits) - 1);
        if (v > widthMax) return DISP_E_OVERFLOW;
        std::int64_t value = static_cast<std::int64_t>(v);
        if (r.isSigned && value > r.max) value -= static_cast<std::int64_t>(widthMax) + 1;
        *out = value;
        return S_OK;
    }
    bool negative = false;
    if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) {
        negative = s[0] == u'-';
        s.remove_prefix(1);
    }
    std::uint64_t whole = 0;
    bool any = false, overflow = false;
    std::size_t i = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        any = true;
        if (whole > (std::numeric_limits<std::uint64_t>::max() - 9) / 10) overflow = true;
        else whole = whole * 10 + static_cast<std::uint64_t>(s[i] - u'0');
    }
    bool roundUp = false;
    if (i < s.size() && s[i] == u'.') {
        ++i;
        std::size_t first = i;
        bool restNonZero = false;
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
            any = true;
            if (i > first && s[i] != u'0') restNonZero = true;
        }
        if (i > first) {
            int d = s[first] - u'0';
            bool odd = (whole & 1) != 0;
            roundUp = d > 5 || (d == 5 && (restNonZero || odd));
        }
    }
    if (!any || i != s.size()) return DISP_E_TYPEMISMATCH;
    if (overflow || whole > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) - 1)
        return DISP_E_OVERFLOW;
    std::int64_t value = static_cast<std::int64_t>(whole) + (roundUp ? 1 : 0);
    if (negative) value = -value;
    if (value < r.min || value > r.max) return DISP_E_OVERFLOW;
    *out = value;
    return S_OK;
}

std::u16string DecimalText(std::int64_t v) {
    std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

// The default member of an object, read as a property.
HRESULT DefaultValue(IDispatch* d, Variant* out) {
    if (!d) return DISP_E_TYPEMISMATCH;
    DISPPARAMS none;
    HRESULT hr = d->Invoke(DISPID_VALUE, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, out, nullptr, nullptr);
    if (FAILED(hr) || out->vt() == VT_DISPATCH || out->vt() == VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
    return S_OK;
}

Variant MakeInteger(VARTYPE vt, std::int64_t v) {
    switch (vt) {
        case VT_I1: return Variant::I1(static_cast<std::int8_t>(v));
        case VT_UI1: return Variant::UI1(static_cast<std::uint8_t>(v));
        case VT_I2: return Variant::I2(static_cast<std::int16_t>(v));
        case VT_UI2: return Variant::UI2(static_cast<std::uint16_t>(v));
        case VT_I4: return Variant::I4(static_cast<std::int32_t>(v));
        case VT_INT: return Variant::Int(static_cast<std::int32_t>(v));
        case VT_UI4: return Variant::UI4(static_cast<std::uint32_t>(v));
        default: return Variant::UInt(static_cast<std::uint32_t>(v));
    }
}

HRESULT ToInteger(const Variant& src, VARTYPE vt, Variant& dest) {
    const Range r = *IntegerRange(vt);
    std::int64_t value = 0;
    switch (src.vt()) {
        case VT_EMPTY: break;
        case VT_BOOL:
            value = src.If<std::int16_t>() && *src.If<std::int16_t>() ? (r.isSigned ? -1 : r.max) : 0;
            break;
        case VT_BSTR: {
            HRESULT hr = ParseInteger(*src.If<BSTR>(), r, &value);
            if (FAILED(hr)) return hr;
            break;
        }
        default: {
            std::optional<std::int64_t> v = IntegerOf(src);
            if (!v) return DISP_E_TYPEMISMATCH;
            if (*v < r.min || *v > r.max) return DISP_E_OVERFLOW;
            value = *v;
        }
    }
    dest = MakeInteger(vt, value);
    return S_OK;
}

HRESULT ToBoolean(const Variant& src, Variant& dest) {
    bool value = false;
    if (src.vt() == VT_EMPTY) {
        value = false;
    } else if (src.vt() == VT_BSTR) {
        std::u16string_view s = Trim(*src.If<BSTR>());
        if (EqualsNoCase(s, u"true")) value = true;
        else if (EqualsNoCase(s, u"false")) value = false;
        else {
            std::int64_t n = 0;
            HRESULT hr = ParseInteger(s, *IntegerRange(VT_I4), &n);
            // A number too large for a long is still not zero.
            if (hr == DISP_E_OVERFLOW) value = true;
            else if (FAILED(hr)) return hr;
            else value = n != 0;
        }
    } else {
        std::optional<std::int64_t> v = IntegerOf(src);
        if (!v) return DISP_E_TYPEMISMATCH;
        value = *v != 0;
    }
    dest = Variant::Bool(value);
    return S_OK;
}

HRESULT ToText(const Variant& src, Variant& dest) {
    switch (src.vt()) {
        case VT_EMPTY: dest = Variant::Bstr(BSTR()); return S_OK;
        case VT_BSTR: dest = src; return S_OK;
        case VT_BOOL: dest = Variant::Bstr(*src.If<std::int16_t>() ? u"True" : u"False"); return S_OK;
        default: {
            std::optional<std::int64_t> v = IntegerOf(src);
            if (!v) return DISP_E_TYPEMISMATCH;
            dest = Variant::Bstr(DecimalText(*v));
            return S_OK;
        }
    }
}

HRESULT ChangeValue(Variant& dest, const Variant& src, VARTYPE vt) {
    if (src.vt() == VT_DISPATCH && vt != VT_DISPATCH && vt != VT_UNKNOWN && vt != VT_VARIANT) {
        Variant value;
        HRESULT hr = DefaultValue(src.If<ComPtr<IDispatch>>()->Get(), &value);
        if (FAILED(hr)) return hr;
        return ChangeValue(dest, value, vt);
    }
    if (IntegerRange(vt)) return ToInteger(src, vt, dest);
    switch (vt) {
        case VT_EMPTY: dest = Variant(); return S_OK;
        case VT_VARIANT: dest = src; return S_OK;
        case VT_BOOL: return ToBoolean(src, dest);
        case VT_BSTR: return ToText(src, dest);
        case VT_ERROR:
            if (src.vt() != VT_ERROR) return DISP_E_TYPEMISMATCH;
            dest = src;
            return S_OK;
        case VT_DISPATCH:
            if (src.vt() == VT_DISPATCH) {
                dest = src;
                return S_OK;
            }
            if (src.vt() == VT_UNKNOWN) {
                const ComPtr<IUnknown>& u = *src.If<ComPtr<IUnknown>>();
                ComPtr<IDispatch> d = QueryAs<IDispatch>(u.Get());
                if (!d) return u ? E_NOINTERFACE : DISP_E_TYPEMISMATCH;
                dest = Variant::Dispatch(std::move(d));
                return S_OK;
            }
            return DISP_E_TYPEMISMATCH;
        case VT_UNKNOWN:
            if (src.vt() == VT_UNKNOWN) {
                dest = src;
                return S_OK;
            }
            if (src.vt() == VT_DISPATCH) {
                dest = Variant::Unknown(QueryAs<IUnknown>(src.If<ComPtr<IDispatch>>()->Get()));
                return S_OK;
            }
            return DISP_E_TYPEMISMATCH;
        default: return DISP_E_BADVARTYPE;
    }
}

template <class T>
HRESULT Extract(const Variant& v, VARTYPE vt, T* out) {
    if (!out) return E_POINTER;
    Variant tmp;
    HRESULT hr = VariantChangeType(tmp, v, vt);
    if (FAILED(hr)) return hr;
    *out = *tmp.If<T>();
    return S_OK;
}

}  // namespace

HRESULT VariantChangeType(Variant& dest, const Variant& src, VARTYPE vt) noexcept {
    if (vt & VT_BYREF) return DISP_E_BADVARTYPE;
    try {
        Variant value = src.Deref();
        Variant result;
        HRESULT hr = ChangeValue(result, value, vt);
        if (SUCCEEDED(hr)) dest = std::move(result);
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT ToI1(const Variant& v, std::int8_t* out) noexcept { return Extract(v, VT_I1, out); }
HRESULT ToUI1(const Variant& v, std::uint8_t* out) noexcept { return Extract(v, VT_UI1, out); }
HRESULT ToI2(const Variant& v, std::int16_t* out) noexcept { return Extract(v, VT_I2, out); }
HRESULT ToUI2(const Variant& v, std::uint16_t* out) noexcept { return Extract(v, VT_UI2, out); }
HRESULT ToI4(const Variant& v, std::int32_t* out) noexcept { return Extract(v, VT_I4, out); }
HRESULT ToUI4(const Variant& v, std::uint32_t* out) noexcept { return Extract(v, VT_UI4, out); }

HRESULT ToBool(const Variant& v, bool* out) noexcept {
    std::int16_t b = 0;
    HRESULT hr = Extract(v, VT_BOOL, &b);
    if (SUCCEEDED(hr)) *out = FromVariantBool(b);
    return hr;
}

HRESULT ToBstr(const Variant& v, BSTR* out) noexcept {
    try {
        return Extract(v, VT_BSTR, out);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ToDispatch(const Variant& v, ComPtr<IDispatch>* out) noexcept { return Extract(v, VT_DISPATCH, out); }
HRESULT ToUnknown(const Variant& v, ComPtr<IUnknown>* out) noexcept { return Extract(v, VT_UNKNOWN, out); }

HRESULT ToColor(const Variant& v, OLE_COLOR* out) noexcept {
    if (!out) return E_POINTER;
    Variant value = v.Deref();
    if (value.vt() == VT_I4 || value.vt() == VT_INT) {
        *out = OLE_COLOR(static_cast<std::uint32_t>(*value.If<std::int32_t>()));
        return S_OK;
    }
    std::uint32_t bits = 0;
    HRESULT hr = ToUI4(value, &bits);
    if (SUCCEEDED(hr)) *out = OLE_COLOR(bits);
    return hr;
}

}  // namespace platform::com

// Type information: the description of a dispatch or event interface that
// hosts and tools read to list members. Built from the same table that
// drives Invoke, so the two cannot disagree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/dispatch.h"

namespace platform::com {

inline constexpr std::uint16_t INVOKE_FUNC = 1;
inline constexpr std::uint16_t INVOKE_PROPERTYGET = 2;
inline constexpr std::uint16_t INVOKE_PROPERTYPUT = 4;
inline constexpr std::uint16_t INVOKE_PROPERTYPUTREF = 8;

struct ParamDesc {
    BSTR name;
    VARTYPE vt = VT_EMPTY;  // VT_BYREF set for an in/out parameter
    BSTR typeName;          // the declared name where it says more than vt: OLE_COLOR, an enumeration
    bool IsInOut() const noexcept { return (vt & VT_BYREF) != 0; }
    friend bool operator==(const ParamDesc&, const ParamDesc&) = default;
};

struct FuncDesc {
    DISPID memid = DISPID_UNKNOWN;
    BSTR name;
    std::uint16_t invkind = INVOKE_FUNC;
    std::vector<ParamDesc> params;
    VARTYPE result = VT_VOID;
    BSTR resultTypeName;
    bool hidden = false;
    friend bool operator==(const FuncDesc&, const FuncDesc&) = default;
};

enum class TypeKind : std::uint8_t { Dispatch, Source };

struct TypeAttr {
    IID guid;
    BSTR name;
    TypeKind kind = TypeKind::Dispatch;
    unsigned cFuncs = 0;
};

// The interface a type description is read through.
class ITypeInfo : public IUnknown {
public:
    static constexpr IID kIid{0x00020401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    using Base = IUnknown;

    virtual HRESULT GetTypeAttr(TypeAttr* attr) noexcept = 0;
    virtual HRESULT GetFuncDesc(unsigned index, FuncDesc* desc) noexcept = 0;
    virtual HRESULT GetIDsOfNames(const BSTR* names, unsigned count, DISPID* ids) noexcept = 0;
    // The member's name followed by its parameter names.
    virtual HRESULT GetNames(DISPID member, std::vector<BSTR>* names) noexcept = 0;

protected:
    ~ITypeInfo() = default;
};

inline constexpr const IID& IID_ITypeInfo = ITypeInfo::kIid;

}  // namespace platform::com

// The description of one interface (its members, their DISPIDs, parameters
// and types), shared by the dispatch table that executes it and the type
// information objects that describe it.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/com/comptr.h"
#include "platform/com/type_info.h"

namespace platform::com {

// Names compare as the system's dispatch does for the names used here:
// ASCII letters without regard to case.
std::u16string FoldCase(std::u16string_view name);

class TypeDescription {
public:
    TypeDescription(IID guid, BSTR name, TypeKind kind, std::vector<FuncDesc> funcs);

    const IID& guid() const noexcept { return guid_; }
    const BSTR& name() const noexcept { return name_; }
    TypeKind kind() const noexcept { return kind_; }
    const std::vector<FuncDesc>& funcs() const noexcept { return funcs_; }

    // IDispatch::GetIDsOfNames: names[0] is a member, the others that
    // member's parameters (their DISPIDs are their positions). Unknown names
    // get DISPID_UNKNOWN and the call returns DISP_E_UNKNOWNNAME.
    HRESULT GetIDsOfNames(const BSTR* names, unsigned count, DISPID* ids) const noexcept;
    // The first description of the member, preferring one whose parameters
    // carry names (a method or a property get over a put's value).
    const FuncDesc* FindMember(DISPID id) const noexcept;

    // Mistakes a table can make that the compiler cannot see: one DISPID
    // and kind declared twice (only the first would ever be called), one
    // name under two DISPIDs. Empty for a sound table; tests assert that.
    std::vector<std::string> Problems() const;

private:
    IID guid_;
    BSTR name_;
    TypeKind kind_;
    std::vector<FuncDesc> funcs_;
    std::unordered_map<std::u16string, DISPID> ids_;
};

// Type information for a description; the description is shared, not copied.
ComPtr<ITypeInfo> MakeTypeInfo(std::shared_ptr<const TypeDescription> description);

}  // namespace platform::com

#include "platform/com/type_description.h"

#include <map>
#include <set>

#include "platform/com/object.h"
#include "platform/com/utf.h"

namespace platform::com {

std::u16string FoldCase(std::u16string_view name) {
    std::u16string out(name);
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return out;
}

TypeDescription::TypeDescription(IID guid, BSTR name, TypeKind kind, std::vector<FuncDesc> funcs)
    : guid_(guid), name_(std::move(name)), kind_(kind), funcs_(std::move(funcs)) {
    for (const FuncDesc& f : funcs_) ids_.try_emplace(FoldCase(f.name), f.memid);
}

const FuncDesc* TypeDescription::FindMember(DISPID id) const noexcept {
    const FuncDesc* found = nullptr;
    for (const FuncDesc& f : funcs_) {
        if (f.memid != id) continue;
        if (f.invkind == INVOKE_FUNC || f.invkind == INVOKE_PROPERTYGET) return &f;
        if (!found) found = &f;
    }
    return found;
}

std::vector<std::string> TypeDescription::Problems() const {
    std::vector<std::string> problems;
    std::set<std::pair<DISPID, std::uint16_t>> seen;
    std::map<std::u16string, DISPID> idOfName;
    for (const FuncDesc& f : funcs_) {
        const std::string name = Utf16ToUtf8(f.name);
        if (!seen.emplace(f.memid, f.invkind).second)
            problems.push_back(name + ": DISPID " + std::to_string(f.memid) + " declared twice for one kind");
        auto [it, added] = idOfName.try_emplace(FoldCase(f.name), f.memid);
        if (!added && it->second != f.memid)
            problems.push_back(name + ": one name under DISPIDs " + std::to_string(it->second) + " and " +
                               std::to_string(f.memid));
    }
    return problems;
}

HRESULT TypeDescription::GetIDsOfNames(const BSTR* names, unsigned count, DISPID* ids) const noexcept {
    if (count == 0) return S_OK;
    if (!names || !ids) return E_POINTER;
    try {
        HRESULT hr = S_OK;
        auto it = ids_.find(FoldCase(names[0]));
        if (it == ids_.end()) {
            for (unsigned i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
            return DISP_E_UNKNOWNNAME;
        }
        ids[0] = it->second;
        const FuncDesc* member = FindMember(it->second);
        for (unsigned i = 1; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            std::u16string wanted = FoldCase(names[i]);
            for (std::size_t p = 0; member && p < member->params.size(); ++p)
                if (FoldCase(member->params[p].name) == wanted) ids[i] = static_cast<DISPID>(p);
            if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

namespace {

class TypeInfo final : public ComObject<TypeInfo, ITypeInfo> {
public:
    explicit TypeInfo(std::shared_ptr<const TypeDescription> d) : d_(std::move(d)) {}

    HRESULT GetTypeAttr(TypeAttr* attr) noexcept override {
        if (!attr) return E_POINTER;
        try {
            *attr = TypeAttr{d_->guid(), d_->name(), d_->kind(), static_cast<unsigned>(d_->funcs().size())};
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    HRESULT GetFuncDesc(unsigned index, FuncDesc* desc) noexcept override {
        if (!desc) return E_POINTER;
        if (index >= d_->funcs().size()) return TYPE_E_ELEMENTNOTFOUND;
        try {
            *desc = d_->funcs()[index];
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    HRESULT GetIDsOfNames(const BSTR* names, unsigned count, DISPID* ids) noexcept override {
        return d_->GetIDsOfNames(names, count, ids);
    }

    HRESULT GetNames(DISPID member, std::vector<BSTR>* names) noexcept override {
        if (!names) return E_POINTER;
        const FuncDesc* f = d_->FindMember(member);
        if (!f) return TYPE_E_ELEMENTNOTFOUND;
        try {
            names->clear();
            names->push_back(f->name);
            for (const ParamDesc& p : f->params) names->push_back(p.name);
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

private:
    std::shared_ptr<const TypeDescription> d_;
};

}  // namespace

ComPtr<ITypeInfo> MakeTypeInfo(std::shared_ptr<const TypeDescription> description) {
    return MakeObject<TypeInfo>(std::move(description));
}

}  // namespace platform::com

#include "platform/com/dispatch_table.h"

namespace platform::com::detail {

HRESULT BindArguments(const FuncDesc& f, const DISPPARAMS* params, CallFrame& frame) {
    static const DISPPARAMS kNone;
    const DISPPARAMS& p = params ? *params : kNone;
    if (p.cNamedArgs > p.cArgs || (p.cArgs > 0 && !p.rgvarg) || (p.cNamedArgs > 0 && !p.rgdispidNamedArgs))
        return E_INVALIDARG;
    const bool put = f.invkind == INVOKE_PROPERTYPUT || f.invkind == INVOKE_PROPERTYPUTREF;
    if (put) {
        // The new value travels as the one named argument DISPID_PROPERTYPUT.
        if (p.cNamedArgs == 0) return DISP_E_PARAMNOTFOUND;
        if (p.cNamedArgs != 1 || p.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) return DISP_E_NONAMEDARGS;
    } else if (p.cNamedArgs != 0) {
        return DISP_E_NONAMEDARGS;
    }
    if (p.cArgs != f.params.size()) return DISP_E_BADPARAMCOUNT;
    const unsigned positional = p.cArgs - p.cNamedArgs;
    frame.args.resize(p.cArgs);
    frame.argIndex.resize(p.cArgs);
    for (unsigned i = 0; i < positional; ++i) {
        const unsigned at = p.cArgs - 1 - i;  // arguments arrive last first
        frame.args[i] = &p.rgvarg[at];
        frame.argIndex[i] = at;
    }
    if (put) {
        frame.args[positional] = &p.rgvarg[0];
        frame.argIndex[positional] = 0;
    }
    return S_OK;
}

MemberIndex::MemberIndex(const std::vector<FuncDesc>& funcs) {
    for (std::size_t i = 0; i < funcs.size(); ++i) {
        auto [it, added] = slots_.try_emplace(funcs[i].memid);
        if (added) it->second.fill(-1);
        int slot = 0;
        switch (funcs[i].invkind) {
            case INVOKE_PROPERTYGET: slot = 1; break;
            case INVOKE_PROPERTYPUT: slot = 2; break;
            case INVOKE_PROPERTYPUTREF: slot = 3; break;
            default: slot = 0;
        }
        if (it->second[static_cast<std::size_t>(slot)] < 0) it->second[static_cast<std::size_t>(slot)] = static_cast<int>(i);
    }
}

int MemberIndex::Find(DISPID id, std::uint16_t flags) const noexcept {
    auto it = slots_.find(id);
    if (it == slots_.end()) return -1;
    const auto& s = it->second;
    if (flags & DISPATCH_PROPERTYPUTREF) return s[3] >= 0 ? s[3] : -1;
    if (flags & DISPATCH_PROPERTYPUT) return s[2];
    // Hosts often ask for "method or get" when reading a value.
    if ((flags & DISPATCH_METHOD) && s[0] >= 0) return s[0];
    if (flags & DISPATCH_PROPERTYGET) return s[1];
    return -1;
}

}  // namespace platform::com::detail

#include "platform/com/event_table.h"

namespace platform::com {

FuncDesc Event(DISPID id, std::u16string_view name, std::initializer_list<ParamDesc> params) {
    FuncDesc f;
    f.memid = id;
    f.name = BSTR(name);
    f.invkind = INVOKE_FUNC;
    f.params = params;
    return f;
}

EventTable::EventTable(IID iid, std::u16string_view name, std::initializer_list<FuncDesc> events)
    : desc_(std::make_shared<const TypeDescription>(iid, BSTR(name), TypeKind::Source, std::vector<FuncDesc>(events))) {}

HRESULT EventTable::GetTypeInfo(ITypeInfo** info) const noexcept {
    if (!info) return E_POINTER;
    try {
        *info = MakeTypeInfo(desc_).Detach();
        return S_OK;
    } catch (...) {
        *info = nullptr;
        return E_OUTOFMEMORY;
    }
}

}  // namespace platform::com

// The description of an outgoing (event) interface: one row per event, from
// which its type information comes and against which every firing is
// checked, so that an event raised with the wrong arguments fails loudly in
// tests instead of confusing a host.
//
//     static const EventTable events(IID_IEditorEvents, u"IEditorEvents", {
//         Event(202, u"OnChange"),
//         Event(203, u"OnKeyPress", {InOut<std::int16_t>(u"Key")}),
//     });
#pragma once

#include <initializer_list>
#include <memory>

#include "platform/com/arg_codec.h"
#include "platform/com/type_description.h"

namespace platform::com {

template <class T>
ParamDesc In(std::u16string_view name) {
    return ParamDesc{BSTR(name), ArgCodec<T>::vt, BSTR(ArgCodec<T>::typeName)};
}

template <class T>
ParamDesc InOut(std::u16string_view name) {
    return ParamDesc{BSTR(name), static_cast<VARTYPE>(ArgCodec<T>::vt | VT_BYREF), BSTR(ArgCodec<T>::typeName)};
}

FuncDesc Event(DISPID id, std::u16string_view name, std::initializer_list<ParamDesc> params = {});

class EventTable {
public:
    EventTable(IID iid, std::u16string_view name, std::initializer_list<FuncDesc> events);

    const IID& iid() const noexcept { return desc_->guid(); }
    const TypeDescription& description() const noexcept { return *desc_; }
    const FuncDesc* Find(DISPID id) const noexcept { return desc_->FindMember(id); }
    HRESULT GetTypeInfo(ITypeInfo** info) const noexcept;

private:
    std::shared_ptr<const TypeDescription> desc_;
};

}  // namespace platform::com

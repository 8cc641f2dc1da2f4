// IDispatch for an object described by a DispatchTable:
//
//     class Sample : public ComObject<Sample, DispatchImpl<Sample, ISample>> {
//     public:
//         static const DispatchTable<Sample>& DispatchMembers();
//         ...
//     };
//
// Interface is IDispatch or a dispatch interface derived from it.
#pragma once

#include "platform/com/dispatch_table.h"

namespace platform::com {

template <class Derived, class Interface = IDispatch>
class DispatchImpl : public Interface {
public:
    HRESULT GetTypeInfoCount(unsigned* count) noexcept override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }

    HRESULT GetTypeInfo(unsigned index, ITypeInfo** info) noexcept override {
        try {
            return Derived::DispatchMembers().GetTypeInfo(index, info);
        } catch (...) {
            return E_OUTOFMEMORY;  // building the table on first use failed
        }
    }

    HRESULT GetIDsOfNames(const BSTR* names, unsigned count, DISPID* ids) noexcept override {
        try {
            return Derived::DispatchMembers().GetIDsOfNames(names, count, ids);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    HRESULT Invoke(DISPID member, std::uint16_t flags, DISPPARAMS* params, Variant* result, EXCEPINFO* excepInfo,
                   unsigned* argErr) noexcept override {
        try {
            return Derived::DispatchMembers().Invoke(static_cast<Derived&>(*this), member, flags, params, result,
                                                     excepInfo, argErr);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

protected:
    ~DispatchImpl() = default;
};

}  // namespace platform::com

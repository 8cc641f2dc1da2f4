// Class factories: what DllGetClassObject hands out and CoCreateInstance
// asks for a new object.
#pragma once

#include <new>

#include "platform/com/error_guard.h"
#include "platform/com/object.h"

namespace platform::com {

class IClassFactory : public IUnknown {
public:
    static constexpr IID kIid{0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    using Base = IUnknown;

    virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) noexcept = 0;
    virtual HRESULT LockServer(bool lock) noexcept = 0;

protected:
    ~IClassFactory() = default;
};

inline constexpr const IID& IID_IClassFactory = IClassFactory::kIid;

// The factory of a class T that is default-constructible and derives from
// ComObject. Aggregation is not offered.
template <class T>
class ClassFactory final : public ComObject<ClassFactory<T>, IClassFactory> {
public:
    // A server keeps its factories for as long as it is loaded; they must
    // not keep it from being unloaded.
    static constexpr bool kCountsTowardModule = false;

    HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        try {
            ComPtr<T> instance = MakeObject<T>();
            return instance->QueryInterface(iid, object);
        } catch (...) {
            return ReportCurrentException(u"ClassFactory");
        }
    }

    HRESULT LockServer(bool lock) noexcept override {
        if (lock) ModuleLock();
        else ModuleUnlock();
        return S_OK;
    }
};

}  // namespace platform::com

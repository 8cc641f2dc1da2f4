// Helpers for an in-process server library. The library writes the four
// entry points itself, each a line or two over these:
//
//     extern "C" HRESULT DllGetClassObject(const CLSID* c, const IID* i, void** o) {
//         return GetClassObject(kClasses, c, i, o);
//     }
//     extern "C" HRESULT DllCanUnloadNow() { return ModuleCanUnloadNow(); }
//     extern "C" HRESULT DllRegisterServer() { return RegisterServerClass({...}); }
//     extern "C" HRESULT DllUnregisterServer() { return UnregisterServerClass(clsid, progId); }
#pragma once

#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/com/class_factory.h"
#include "platform/com/module.h"

namespace platform::com {

// The entry points' types, as the loader looks them up.
using DllGetClassObjectFn = HRESULT (*)(const CLSID* clsid, const IID* iid, void** object);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();

struct ClassEntry {
    CLSID clsid;
    ComPtr<IClassFactory> (*factory)();
};

// A new factory for each request.
template <class T>
ComPtr<IClassFactory> FactoryOf() {
    return MakeObject<ClassFactory<T>>();
}

// One factory for the life of the module, made on first request.
template <class T>
ComPtr<IClassFactory> SharedFactoryOf() {
    static const ComPtr<IClassFactory> factory = MakeObject<ClassFactory<T>>();
    return factory;
}

// DllGetClassObject over a list of the module's classes; an unknown class
// is CLASS_E_CLASSNOTAVAILABLE.
HRESULT GetClassObject(std::span<const ClassEntry> classes, const CLSID* clsid, const IID* iid,
                       void** object) noexcept;

// The file of the module that holds `address` (a function or variable of
// it); empty if the system cannot tell.
std::string ModulePathOf(const void* address);

// One value written at registration, under the class key CLSID\{clsid}.
struct RegistryValue {
    std::string subkey;     // relative to the class key; "" is the class key
    std::string valueName;  // "" is the default value
    std::variant<std::string, std::uint32_t> data;
};

struct ClassRegistration {
    CLSID clsid;
    std::string description;
    std::string progId;      // may be empty
    std::string modulePath;  // InprocServer32's default value
    std::string threadingModel = "Apartment";
    std::vector<RegistryValue> extra;
};

// Writes CLSID\{clsid} (description; InprocServer32 with the module path
// and ThreadingModel; ProgID) and the ProgID key (description; Clsid), plus
// `extra`, in one write. A failure sets error information.
HRESULT RegisterServerClass(const ClassRegistration& reg) noexcept;
// Removes both trees; keys already absent are not an error.
HRESULT UnregisterServerClass(const CLSID& clsid, const std::string& progId) noexcept;

}  // namespace platform::com

#include "platform/com/server.h"

#include <dlfcn.h>

#include <filesystem>

#include "platform/com/error_info.h"
#include "platform/com/utf.h"
#include "platform/registry/registry.h"

namespace platform::com {

namespace reg = platform::registry;

HRESULT GetClassObject(std::span<const ClassEntry> classes, const CLSID* clsid, const IID* iid,
                       void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!clsid || !iid) return E_INVALIDARG;
    for (const ClassEntry& entry : classes) {
        if (entry.clsid != *clsid) continue;
        try {
            ComPtr<IClassFactory> factory = entry.factory();
            return factory->QueryInterface(*iid, object);
        } catch (...) {
            return ReportCurrentException(u"DllGetClassObject");
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

std::string ModulePathOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname) return {};
    // The loader keeps the name it was given, which may be relative to the
    // folder of the moment; the registry needs a path valid from anywhere.
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(info.dli_fname, ec);
    if (ec) return info.dli_fname;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ec);
    return (ec ? path : canonical).string();
}

namespace {

std::string ClassKey(const CLSID& clsid) {
    return reg::FullPath(reg::HKEY::ClassesRoot, "CLSID\\" + FormatGuid(clsid));
}

HRESULT FromStatus(const reg::Status& status, std::u16string_view what) {
    if (status.ok()) return S_OK;
    return ReportError(E_FAIL, BSTR(what) + u": " + Utf8ToUtf16(status.message), u"registry");
}

}  // namespace

HRESULT RegisterServerClass(const ClassRegistration& r) noexcept {
    try {
        if (r.modulePath.empty()) return ReportError(E_INVALIDARG, u"the server's module path is unknown");
        const std::string classKey = ClassKey(r.clsid);
        reg::Status status = reg::Update([&](reg::Store& s) {
            reg::Key* cls = s.Create(classKey);
            if (!cls) throw ComError(E_INVALIDARG, std::string("invalid class key ") + classKey);
            cls->Set("", reg::Value{r.description});
            reg::Key& inproc = cls->CreateChild("InprocServer32");
            inproc.Set("", reg::Value{r.modulePath});
            inproc.Set("ThreadingModel", reg::Value{r.threadingModel});
            if (!r.progId.empty()) {
                cls->CreateChild("ProgID").Set("", reg::Value{r.progId});
                reg::Key* prog = s.Create(reg::FullPath(reg::HKEY::ClassesRoot, r.progId));
                if (!prog) throw ComError(E_INVALIDARG, "invalid ProgID " + r.progId);
                prog->Set("", reg::Value{r.description});
                prog->CreateChild("Clsid").Set("", reg::Value{FormatGuid(r.clsid)});
            }
            for (const RegistryValue& v : r.extra) {
                reg::Key* key = v.subkey.empty() ? cls : s.Create(classKey + "\\" + v.subkey);
                if (!key) throw ComError(E_INVALIDARG, "invalid registry key " + v.subkey);
                if (const auto* text = std::get_if<std::string>(&v.data)) key->Set(v.valueName, reg::Value{*text});
                else key->Set(v.valueName, reg::Value{std::get<std::uint32_t>(v.data)});
            }
        });
        return FromStatus(status, u"registering the class failed");
    } catch (...) {
        return ReportCurrentException(u"DllRegisterServer");
    }
}

HRESULT UnregisterServerClass(const CLSID& clsid, const std::string& progId) noexcept {
    try {
        reg::Status status = reg::Update([&](reg::Store& s) {
            s.DeleteTree(ClassKey(clsid));
            if (!progId.empty()) s.DeleteTree(reg::FullPath(reg::HKEY::ClassesRoot, progId));
        });
        return FromStatus(status, u"unregistering the class failed");
    } catch (...) {
        return ReportCurrentException(u"DllUnregisterServer");
    }
}

}  // namespace platform::com

#include "platform/com/activation.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

#include "platform/com/error_info.h"
#include "platform/com/server.h"
#include "platform/com/utf.h"
#include "platform/registry/registry.h"

namespace platform::com {
namespace {

namespace reg = platform::registry;

struct LoadedServer {
    void* handle = nullptr;
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr;
};

// Servers stay loaded: objects they made may be alive anywhere.
class ServerCache {
public:
    HRESULT Get(const std::string& path, LoadedServer* out) {
        std::lock_guard lock(mutex_);
        if (auto it = servers_.find(path); it != servers_.end()) {
            *out = it->second;
            return S_OK;
        }
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* why = dlerror();
            return ReportError(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND),
                               u"cannot load the server library " + Utf8ToUtf16(path) + u": " +
                                   Utf8ToUtf16(why ? why : "unknown reason"),
                               u"CoCreateInstance");
        }
        LoadedServer server;
        server.handle = handle;
        server.getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
        server.canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
        if (!server.getClassObject) {
            dlclose(handle);
            return ReportError(HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND),
                               u"the library " + Utf8ToUtf16(path) + u" has no DllGetClassObject entry point",
                               u"CoCreateInstance");
        }
        servers_.emplace(path, server);
        *out = server;
        return S_OK;
    }

    void FreeUnused() {
        std::lock_guard lock(mutex_);
        for (auto it = servers_.begin(); it != servers_.end();) {
            if (it->second.canUnloadNow && it->second.canUnloadNow() == S_OK) {
                dlclose(it->second.handle);
                it = servers_.erase(it);
            } else {
                ++it;
            }
        }
    }

private:
    std::mutex mutex_;
    std::map<std::string, LoadedServer> servers_;
};

ServerCache& Cache() {
    static ServerCache cache;  // never destroyed before the objects of the servers it holds
    return cache;
}

HRESULT NotRegistered(const CLSID& clsid, const reg::Status& status) {
    std::u16string text = u"class " + FormatGuidU16(clsid) + u" is not registered";
    if (status.code == reg::ERROR_BADDB || status.code == reg::ERROR_CANTREAD)
        text += u" (" + Utf8ToUtf16(status.message) + u")";
    return ReportError(REGDB_E_CLASSNOTREG, std::move(text), u"CoCreateInstance");
}

}  // namespace

HRESULT CLSIDFromString(std::u16string_view text, CLSID* clsid) noexcept {
    if (!clsid) return E_POINTER;
    std::optional<GUID> g = text.size() == 38 ? ParseGuid(text) : std::nullopt;
    if (!g) return CO_E_CLASSSTRING;
    *clsid = *g;
    return S_OK;
}

HRESULT CLSIDFromProgID(std::u16string_view progId, CLSID* clsid) noexcept {
    if (!clsid) return E_POINTER;
    try {
        std::string name = Utf16ToUtf8(progId);
        if (!reg::IsValidKeyName(name))
            return ReportError(CO_E_CLASSSTRING, u"invalid ProgID \"" + BSTR(progId) + u"\"", u"CLSIDFromProgID");
        std::string text;
        reg::Status status = reg::QueryString(reg::HKEY::ClassesRoot, name + "\\Clsid", "", &text);
        std::optional<GUID> g = status.ok() ? ParseGuid(text) : std::nullopt;
        if (!g) {
            std::u16string why = u"unknown ProgID \"" + BSTR(progId) + u"\"";
            if (status.code == reg::ERROR_BADDB) why += u" (" + Utf8ToUtf16(status.message) + u")";
            return ReportError(CO_E_CLASSSTRING, std::move(why), u"CLSIDFromProgID");
        }
        *clsid = *g;
        return S_OK;
    } catch (...) {
        return ReportCurrentException(u"CLSIDFromProgID");
    }
}

HRESULT CoGetClassObject(const CLSID& clsid, DWORD context, const IID& iid, void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    if ((context & CLSCTX_INPROC_SERVER) == 0)
        return ReportError(REGDB_E_CLASSNOTREG, u"only in-process servers are available", u"CoGetClassObject");
    try {
        std::string path;
        reg::Status status =
            reg::QueryString(reg::HKEY::ClassesRoot, "CLSID\\" + FormatGuid(clsid) + "\\InprocServer32", "", &path);
        if (!status.ok() || path.empty()) return NotRegistered(clsid, status);
        LoadedServer server;
        HRESULT hr = Cache().Get(path, &server);
        if (FAILED(hr)) return hr;
        ClearErrorInfo();
        hr = server.getClassObject(&clsid, &iid, object);
        if (FAILED(hr)) {
            ErrorInfo info;
            if (GetErrorInfo(&info) != S_OK || info.description.empty())
                info.description = u"the server " + Utf8ToUtf16(path) + u" does not provide class " + FormatGuidU16(clsid);
            ReportError(hr, std::move(info.description), u"CoGetClassObject");
        }
        return hr;
    } catch (...) {
        return ReportCurrentException(u"CoGetClassObject");
    }
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    ComPtr<IClassFactory> factory;
    void* raw = nullptr;
    HRESULT hr = CoGetClassObject(clsid, context, IID_IClassFactory, &raw);
    if (FAILED(hr)) return hr;
    factory = ComPtr<IClassFactory>::Adopt(static_cast<IClassFactory*>(raw));
    return factory->CreateInstance(outer, iid, object);
}

void CoFreeUnusedLibraries() noexcept {
    try {
        Cache().FreeUnused();
    } catch (...) {
        // A lock that cannot be taken leaves the libraries loaded, which is safe.
    }
}

}  // namespace platform::com

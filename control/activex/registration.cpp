#include "control/activex/registration.h"

#include "platform/com/error_guard.h"
#include "platform/com/error_info.h"
#include "platform/com/server.h"
#include "platform/registry/registry.h"
#include "tarnedit/tarn_edit_x.h"

namespace tarnedit {

namespace reg = platform::registry;
using namespace platform::com;

namespace {

// OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST
constexpr std::uint32_t kMiscStatus = 0x20191;

std::string TypeLibKey() { return "TypeLib\\" + FormatGuid(LIBID_TarnEditXControl); }

}  // namespace

HRESULT RegisterControl(const std::string& modulePath) noexcept {
    try {
        ClassRegistration r;
        r.clsid = CLSID_TarnEditX;
        r.description = "TarnEditX コントロール";
        r.progId = kProgId;
        r.modulePath = modulePath;
        r.threadingModel = "Apartment";
        r.extra = {
            {"Control", "", std::string()},
            {"MiscStatus", "", std::string("0")},
            {"MiscStatus\\1", "", std::to_string(kMiscStatus)},
            {"ToolboxBitmap32", "", modulePath + ",1"},
            {"TypeLib", "", FormatGuid(LIBID_TarnEditXControl)},
            {"Version", "", std::string("1.0")},
            // Verb 0 is the primary verb (edit in place), -1 show.
            {"Verb\\0", "", std::string("&Edit,0,2")},
            {"Verb\\-1", "", std::string("&Show,0,0")},
        };
        HRESULT hr = RegisterServerClass(r);
        if (FAILED(hr)) return hr;
        const std::string lib = reg::FullPath(reg::HKEY::ClassesRoot, TypeLibKey());
        reg::Status s = reg::Update([&](reg::Store& store) {
            reg::Key* v = store.Create(lib + "\\1.0");
            if (!v) throw ComError(E_INVALIDARG, std::string("invalid type library key"));
            v->Set("", reg::Value{std::string("TarnEditXControl ライブラリ")});
            v->CreateChild("FLAGS").Set("", reg::Value{std::string("0")});
            v->CreateChild("0").CreateChild("linux").Set("", reg::Value{modulePath});
        });
        if (!s.ok()) return ReportError(E_FAIL, u"registering the type library failed");
        return S_OK;
    } catch (...) {
        return ReportCurrentException(u"DllRegisterServer");
    }
}

HRESULT UnregisterControl() noexcept {
    HRESULT hr = UnregisterServerClass(CLSID_TarnEditX, kProgId);
    if (FAILED(hr)) return hr;
    reg::Status s = reg::DeleteTree(reg::HKEY::ClassesRoot, TypeLibKey());
    if (!s.ok() && s.code != reg::ERROR_FILE_NOT_FOUND) return ReportError(E_FAIL, u"removing the type library failed");
    return S_OK;
}

}  // namespace tarnedit

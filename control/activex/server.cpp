// The library's four entry points and its registration.
#include "control/activex/registration.h"
#include "control/activex/tarn_edit_x.h"
#include "platform/com/server.h"

using namespace platform::com;

namespace {
const ClassEntry kClasses[] = {{tarnedit::CLSID_TarnEditX, &SharedFactoryOf<tarnedit::TTarnEditX>}};
const int kModuleAnchor = 0;  // an address inside this library, to find its file
}  // namespace

extern "C" [[gnu::visibility("default")]] HRESULT DllGetClassObject(const CLSID* clsid, const IID* iid, void** object) {
    return GetClassObject(kClasses, clsid, iid, object);
}

extern "C" [[gnu::visibility("default")]] HRESULT DllCanUnloadNow() { return ModuleCanUnloadNow(); }

extern "C" [[gnu::visibility("default")]] HRESULT DllRegisterServer() {
    return tarnedit::RegisterControl(ModulePathOf(&kModuleAnchor));
}

extern "C" [[gnu::visibility("default")]] HRESULT DllUnregisterServer() { return tarnedit::UnregisterControl(); }

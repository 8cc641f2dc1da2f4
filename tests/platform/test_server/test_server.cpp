// A minimal in-process server: one class with a dispatch interface, and the
// four entry points a server library exports.
#include "test_server.h"

#include <stdexcept>

#include "platform/com/dispatch_impl.h"
#include "platform/com/server.h"

using namespace platform::com;
using test_server::IAdder;

namespace {

class Adder final : public ComObject<Adder, DispatchImpl<Adder, IAdder>> {
public:
    static const DispatchTable<Adder>& DispatchMembers() {
        static const DispatchTable<Adder> table(IAdder::kIid, u"IAdder", {
            Method(test_server::kAdd, u"Add", {u"value"}, [](Adder& a, std::int32_t v) { return a.total_ += v; }),
            Property(test_server::kTotal, u"Total", [](Adder& a) { return a.total_; },
                     [](Adder& a, std::int32_t v) { a.total_ = v; }),
            Method(test_server::kFail, u"Fail", [](Adder&) { throw std::runtime_error("the adder refuses"); }),
            Method(test_server::kSplit, u"Split", {u"half", u"rest"}, [](Adder& a, std::int32_t& half, std::int32_t& rest) {
                half = a.total_ / 2;
                rest = a.total_ - half;
            }),
        });
        return table;
    }

private:
    std::int32_t total_ = 0;
};

const ClassEntry kClasses[] = {{test_server::kAdderClsid, &SharedFactoryOf<Adder>}};

const int kModuleAnchor = 0;  // an address inside this library, to find its file

}  // namespace

extern "C" [[gnu::visibility("default")]] HRESULT DllGetClassObject(const CLSID* clsid, const IID* iid, void** object) {
    return GetClassObject(kClasses, clsid, iid, object);
}

extern "C" [[gnu::visibility("default")]] HRESULT DllCanUnloadNow() { return ModuleCanUnloadNow(); }

extern "C" [[gnu::visibility("default")]] HRESULT DllRegisterServer() {
    ClassRegistration r;
    r.clsid = test_server::kAdderClsid;
    r.description = "Quenby test adder";
    r.progId = test_server::kAdderProgId;
    r.modulePath = ModulePathOf(&kModuleAnchor);
    r.extra = {{"Version", "", std::string("1.0")}, {"MiscStatus\\1", "", std::uint32_t{131473}}};
    return RegisterServerClass(r);
}

extern "C" [[gnu::visibility("default")]] HRESULT DllUnregisterServer() {
    return UnregisterServerClass(test_server::kAdderClsid, test_server::kAdderProgId);
}

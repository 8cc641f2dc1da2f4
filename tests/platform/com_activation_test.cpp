// Loading a real server library by CLSID and ProgID through the registry
// file, and registering it with quenby-regsvr.
#include <dlfcn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "dispatch_test_helpers.h"
#include "platform/com/activation.h"
#include "platform/com/error_info.h"
#include "platform/com/server.h"
#include "platform/com/utf.h"
#include "platform/registry/registry.h"
#include "temp_dir.h"
#include "test_server/test_server.h"

namespace com = platform::com;
namespace reg = platform::registry;
using com::Variant;
using namespace testing_com;

namespace {

const char* const kServer = QUENBY_TEST_SERVER;
const char* const kNotAServer = QUENBY_NOT_A_SERVER;
const char* const kRegsvr = QUENBY_REGSVR;

template <class Fn>
Fn Entry(const char* name) {
    void* handle = dlopen(kServer, RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(handle, nullptr) << dlerror();
    return handle ? reinterpret_cast<Fn>(dlsym(handle, name)) : nullptr;
}

std::u16string TakeErrorDescription() {
    com::ErrorInfo info;
    return com::GetErrorInfo(&info) == com::S_OK ? info.description : u"";
}

bool Contains(const std::u16string& text, const std::u16string& part) { return text.find(part) != std::u16string::npos; }

class Activation : public ::testing::Test {
protected:
    void Register() {
        auto registerServer = Entry<com::DllRegisterServerFn>("DllRegisterServer");
        ASSERT_TRUE(registerServer);
        ASSERT_EQ(registerServer(), com::S_OK) << com::Utf16ToUtf8(TakeErrorDescription());
    }
    void Unregister() {
        auto unregisterServer = Entry<com::DllUnregisterServerFn>("DllUnregisterServer");
        ASSERT_TRUE(unregisterServer);
        ASSERT_EQ(unregisterServer(), com::S_OK);
    }
    int Regsvr(const std::string& args, std::string* output, const std::filesystem::path& folder = {}) {
        std::filesystem::path out = registry.dir() / "regsvr.out";
        std::string command = std::string(kRegsvr) + " " + args + " > " + out.string() + " 2>&1";
        if (!folder.empty()) command = "cd " + folder.string() + " && " + command;
        int status = std::system(command.c_str());
        *output = testing_fs::ReadAll(out);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    testing_fs::RegistryFile registry;
};

}  // namespace

TEST_F(Activation, AnUnregisteredClassIsReportedAsSuch) {
    com::ComPtr<com::IDispatch> d;
    EXPECT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &d), com::REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(d);
    EXPECT_TRUE(Contains(TakeErrorDescription(), u"{3F7B2A10-91C4-4E55-B0A2-6D1E8C4F2201} is not registered"));
    com::CLSID clsid;
    EXPECT_EQ(com::CLSIDFromProgID(test_server::kAdderProgIdU16, &clsid), com::CO_E_CLASSSTRING);
    EXPECT_EQ(com::CLSIDFromProgID(u"bad\\progid", &clsid), com::CO_E_CLASSSTRING);
    EXPECT_EQ(com::CLSIDFromString(u"not a guid", &clsid), com::CO_E_CLASSSTRING);
}

TEST_F(Activation, RegistrationWritesTheClassAndProgIdKeys) {
    Register();
    const std::string cls = "CLSID\\{3F7B2A10-91C4-4E55-B0A2-6D1E8C4F2201}";
    std::string value;
    ASSERT_TRUE(reg::QueryString(reg::HKEY::ClassesRoot, cls + "\\InprocServer32", "", &value).ok());
    EXPECT_EQ(std::filesystem::path(value), std::filesystem::path(kServer));
    ASSERT_TRUE(reg::QueryString(reg::HKEY::ClassesRoot, cls + "\\InprocServer32", "ThreadingModel", &value).ok());
    EXPECT_EQ(value, "Apartment");
    ASSERT_TRUE(reg::QueryString(reg::HKEY::ClassesRoot, cls + "\\ProgID", "", &value).ok());
    EXPECT_EQ(value, test_server::kAdderProgId);
    ASSERT_TRUE(reg::QueryString(reg::HKEY::ClassesRoot, cls, "", &value).ok());
    EXPECT_EQ(value, "Quenby test adder");
    reg::DWORD misc = 0;
    ASSERT_TRUE(reg::QueryDword(reg::HKEY::ClassesRoot, cls + "\\MiscStatus\\1", "", &misc).ok());
    EXPECT_EQ(misc, 131473u);
    ASSERT_TRUE(reg::QueryString(reg::HKEY::ClassesRoot, std::string(test_server::kAdderProgId) + "\\Clsid", "", &value).ok());
    EXPECT_EQ(value, "{3F7B2A10-91C4-4E55-B0A2-6D1E8C4F2201}");

    Unregister();
    EXPECT_EQ(reg::OpenKey(reg::HKEY::ClassesRoot, cls).code, reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg::OpenKey(reg::HKEY::ClassesRoot, test_server::kAdderProgId).code, reg::ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(reg::OpenKey(reg::HKEY::ClassesRoot, "CLSID").ok());
}

TEST_F(Activation, CreateByProgIdAndByClsidCallThroughDispatchThenUnregister) {
    Register();
    com::CLSID clsid;
    ASSERT_EQ(com::CLSIDFromProgID(u"quenbytest.ADDER", &clsid), com::S_OK);
    EXPECT_EQ(clsid, test_server::kAdderClsid);

    com::ComPtr<com::IDispatch> byProgId;
    ASSERT_EQ(com::CoCreateInstance(clsid, &byProgId), com::S_OK);
    com::ComPtr<test_server::IAdder> byClsid;
    ASSERT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &byClsid), com::S_OK);
    ASSERT_TRUE(byProgId && byClsid);

    com::DISPID add = IdOf(byProgId.Get(), u"ADD");
    ASSERT_EQ(add, test_server::kAdd);
    CallResult r = CallMethod(byProgId.Get(), add, {Variant::I4(40)});
    ASSERT_EQ(r.hr, com::S_OK);
    r = CallMethod(byProgId.Get(), add, {Variant::Bstr(u"2")});
    ASSERT_EQ(r.hr, com::S_OK);
    EXPECT_EQ(*r.result.If<std::int32_t>(), 42);
    // Two objects, two totals.
    EXPECT_EQ(*Get(byClsid.Get(), test_server::kTotal).result.If<std::int32_t>(), 0);

    std::int32_t half = 0, rest = 0;
    ASSERT_EQ(CallMethod(byProgId.Get(), test_server::kSplit, {Variant::Ref(half), Variant::Ref(rest)}).hr, com::S_OK);
    EXPECT_EQ(half, 21);
    EXPECT_EQ(rest, 21);

    // A failure inside the server reaches the host as an exception with its
    // message, and as the error information of this thread.
    com::ClearErrorInfo();
    r = CallMethod(byProgId.Get(), test_server::kFail);
    EXPECT_EQ(r.hr, com::DISP_E_EXCEPTION);
    EXPECT_EQ(r.excep.bstrDescription, u"the adder refuses");
    EXPECT_EQ(TakeErrorDescription(), u"the adder refuses");

    // The server counts its objects for DllCanUnloadNow.
    auto canUnload = Entry<com::DllCanUnloadNowFn>("DllCanUnloadNow");
    ASSERT_TRUE(canUnload);
    EXPECT_EQ(canUnload(), com::S_FALSE);
    byProgId.Reset();
    byClsid.Reset();
    EXPECT_EQ(canUnload(), com::S_OK);

    Unregister();
    com::ComPtr<com::IDispatch> after;
    EXPECT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &after), com::REGDB_E_CLASSNOTREG);
    EXPECT_EQ(com::CLSIDFromProgID(test_server::kAdderProgIdU16, &clsid), com::CO_E_CLASSSTRING);
}

TEST_F(Activation, ClassFactoryRefusesAggregationAndCountsLocks) {
    Register();
    void* raw = nullptr;
    ASSERT_EQ(com::CoGetClassObject(test_server::kAdderClsid, com::CLSCTX_INPROC_SERVER, com::IID_IClassFactory, &raw),
              com::S_OK);
    auto factory = com::ComPtr<com::IClassFactory>::Adopt(static_cast<com::IClassFactory*>(raw));
    void* object = nullptr;
    EXPECT_EQ(factory->CreateInstance(factory.Get(), com::IID_IDispatch, &object), com::CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, com::IID{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}}, &object), com::E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    auto canUnload = Entry<com::DllCanUnloadNowFn>("DllCanUnloadNow");
    EXPECT_EQ(canUnload(), com::S_OK);  // a factory alone does not hold the server
    ASSERT_EQ(factory->LockServer(true), com::S_OK);
    EXPECT_EQ(canUnload(), com::S_FALSE);
    ASSERT_EQ(factory->LockServer(false), com::S_OK);
    EXPECT_EQ(canUnload(), com::S_OK);

    auto getClassObject = Entry<com::DllGetClassObjectFn>("DllGetClassObject");
    com::CLSID other{};
    EXPECT_EQ(getClassObject(&other, &com::IID_IClassFactory, &object), com::CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(Activation, AMissingLibraryIsAClearFailure) {
    const std::string cls = "CLSID\\{3F7B2A10-91C4-4E55-B0A2-6D1E8C4F2201}\\InprocServer32";
    std::string missing = (registry.dir() / "gone.so").string();
    ASSERT_TRUE(reg::SetString(reg::HKEY::ClassesRoot, cls, "", missing).ok());
    com::ComPtr<com::IDispatch> d;
    EXPECT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &d),
              com::HRESULT_FROM_WIN32(com::ERROR_MOD_NOT_FOUND));
    std::u16string why = TakeErrorDescription();
    EXPECT_TRUE(Contains(why, u"cannot load the server library")) << com::Utf16ToUtf8(why);
    EXPECT_TRUE(Contains(why, u"gone.so"));
}

TEST_F(Activation, ALibraryWithoutTheEntryPointIsAClearFailure) {
    const std::string cls = "CLSID\\{3F7B2A10-91C4-4E55-B0A2-6D1E8C4F2201}\\InprocServer32";
    ASSERT_TRUE(reg::SetString(reg::HKEY::ClassesRoot, cls, "", kNotAServer).ok());
    com::ComPtr<com::IDispatch> d;
    EXPECT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &d),
              com::HRESULT_FROM_WIN32(com::ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(Contains(TakeErrorDescription(), u"has no DllGetClassObject entry point"));
}

TEST_F(Activation, ADamagedRegistryMeansNotRegisteredWithTheReason) {
    testing_fs::WriteAll(registry.file(), "QUENBY-REGISTRY 1\nkey \"HKEY_CLASSES_ROOT\" \"CLSID\n");
    com::ComPtr<com::IDispatch> d;
    EXPECT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &d), com::REGDB_E_CLASSNOTREG);
    EXPECT_TRUE(Contains(TakeErrorDescription(), u"damaged"));
}

TEST_F(Activation, RegsvrRegistersAndUnregisters) {
    std::string out;
    ASSERT_EQ(Regsvr(kServer, &out), 0) << out;
    EXPECT_NE(out.find("DllRegisterServer in"), std::string::npos) << out;
    EXPECT_NE(out.find("succeeded"), std::string::npos) << out;
    com::CLSID clsid;
    ASSERT_EQ(com::CLSIDFromProgID(test_server::kAdderProgIdU16, &clsid), com::S_OK);
    com::ComPtr<com::IDispatch> d;
    ASSERT_EQ(com::CoCreateInstance(clsid, &d), com::S_OK);
    d.Reset();

    // A library named relative to the current folder is registered by its
    // full path.
    std::filesystem::path server(kServer);
    ASSERT_EQ(Regsvr("/s " + server.filename().string(), &out, server.parent_path()), 0) << out;
    std::string registered;
    ASSERT_TRUE(reg::QueryString(reg::HKEY::ClassesRoot,
                                 "CLSID\\{3F7B2A10-91C4-4E55-B0A2-6D1E8C4F2201}\\InprocServer32", "", &registered)
                    .ok());
    EXPECT_EQ(std::filesystem::path(registered), std::filesystem::weakly_canonical(server));

    ASSERT_EQ(Regsvr(std::string("/u /s ") + kServer, &out), 0) << out;
    EXPECT_EQ(out, "");  // silent
    EXPECT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &d), com::REGDB_E_CLASSNOTREG);
    ASSERT_EQ(Regsvr(std::string("-U ") + kServer, &out), 0) << out;  // absent keys are not an error
}

TEST_F(Activation, RegsvrReportsEachKindOfFailure) {
    std::string out;
    EXPECT_EQ(Regsvr("", &out), 1);
    EXPECT_NE(out.find("usage"), std::string::npos);
    EXPECT_EQ(Regsvr("/x " + std::string(kServer), &out), 1);
    EXPECT_EQ(Regsvr((registry.dir() / "gone.so").string(), &out), 3);
    EXPECT_NE(out.find("cannot load"), std::string::npos) << out;
    EXPECT_EQ(Regsvr(std::string("/s ") + kNotAServer, &out), 4);
    EXPECT_NE(out.find("entry point DllRegisterServer was not found"), std::string::npos) << out;

    testing_fs::WriteAll(registry.file(), "not a registry\n");
    EXPECT_EQ(Regsvr(kServer, &out), 5);
    EXPECT_NE(out.find("0x80004005"), std::string::npos) << out;
    EXPECT_NE(out.find("damaged"), std::string::npos) << out;
    EXPECT_EQ(testing_fs::ReadAll(registry.file()), "not a registry\n");
}

// Scripts record where outside programs are with the tool's /v form.
TEST_F(Activation, RegsvrWritesAStringValue) {
    std::string out;
    ASSERT_EQ(Regsvr(R"(/v 'HKEY_LOCAL_MACHINE\SOFTWARE\Shared Tools\Info' PATH '/usr/bin/some tool')", &out), 0)
        << out;
    std::string value;
    ASSERT_TRUE(reg::QueryString(reg::HKEY::LocalMachine, "SOFTWARE\\Shared Tools\\Info", "PATH", &value).ok());
    EXPECT_EQ(value, "/usr/bin/some tool");

    EXPECT_EQ(Regsvr(R"(/v 'HKLM\SOFTWARE' PATH x)", &out), 1);  // the hive by its full name only
    EXPECT_NE(out.find("usage"), std::string::npos);
    EXPECT_EQ(Regsvr(R"(/v 'HKEY_LOCAL_MACHINE\SOFTWARE' PATH)", &out), 1);

    testing_fs::WriteAll(registry.file(), "not a registry\n");
    EXPECT_EQ(Regsvr(R"(-V 'HKEY_CURRENT_USER\Software' a b)", &out), 5);
    EXPECT_EQ(testing_fs::ReadAll(registry.file()), "not a registry\n");
}

TEST_F(Activation, FreeingUnusedLibrariesKeepsClassesCreatable) {
    Register();
    com::ComPtr<com::IDispatch> d;
    ASSERT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &d), com::S_OK);
    com::CoFreeUnusedLibraries();  // an object is alive: the server stays
    EXPECT_EQ(CallMethod(d.Get(), test_server::kAdd, {Variant::I4(1)}).hr, com::S_OK);
    d.Reset();
    com::CoFreeUnusedLibraries();  // nothing alive: the server may go
    ASSERT_EQ(com::CoCreateInstance(test_server::kAdderClsid, &d), com::S_OK);
    EXPECT_EQ(*CallMethod(d.Get(), test_server::kAdd, {Variant::I4(5)}).result.If<std::int32_t>(), 5);
}

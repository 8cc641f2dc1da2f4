// quenby-regsvr: registers or unregisters an in-process server library by
// calling its DllRegisterServer or DllUnregisterServer.
//
//     quenby-regsvr [/u|-u] [/s|-s] library.so
//     quenby-regsvr /v|-v "HKEY_...\key" value-name text
//
// The second form writes one string value, for scripts that record where
// an outside program is (the system-information tool).
//
// Exit status: 0 done, 1 bad command line, 3 library not loadable, 4 entry
// point missing, 5 the entry point (or the registry write) failed.
#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/com/error_info.h"
#include "platform/com/server.h"
#include "platform/com/utf.h"
#include "platform/registry/registry.h"

namespace com = platform::com;

namespace {

struct Options {
    bool unregister = false;
    bool silent = false;
    std::string library;
};

bool IsFlag(std::string_view arg, char letter) {
    return arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') && (arg[1] == letter || arg[1] == letter - 'a' + 'A');
}

bool ParseArgs(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (IsFlag(arg, 'u')) o->unregister = true;
        else if (IsFlag(arg, 's')) o->silent = true;
        else if (o->library.empty() && !arg.empty() && arg[0] != '-') o->library = arg;
        else return false;
    }
    return !o->library.empty();
}

int Report(const Options& o, int status, const std::string& message) {
    if (!o.silent || status != 0) std::fprintf(status == 0 ? stdout : stderr, "%s\n", message.c_str());
    return status;
}

std::string Hex(com::HRESULT hr) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
    return buf;
}

// "HKEY_LOCAL_MACHINE\\SOFTWARE\\x" to a hive and "SOFTWARE\\x".
bool SplitKey(std::string_view full, platform::registry::HKEY* hive, std::string_view* subkey) {
    using platform::registry::HKEY;
    for (HKEY h : {HKEY::ClassesRoot, HKEY::CurrentUser, HKEY::LocalMachine}) {
        const std::string_view name = platform::registry::HiveName(h);
        if (full.size() > name.size() && full.substr(0, name.size()) == name && full[name.size()] == '\\') {
            *hive = h;
            *subkey = full.substr(name.size() + 1);
            return true;
        }
    }
    return false;
}

int SetValue(int argc, char** argv) {
    platform::registry::HKEY hive{};
    std::string_view subkey;
    if (argc != 5 || !SplitKey(argv[2], &hive, &subkey)) {
        std::fprintf(stderr, "usage: quenby-regsvr /v \"HKEY_...\\\\key\" value-name text\n");
        return 1;
    }
    const platform::registry::Status s = platform::registry::SetString(hive, subkey, argv[3], argv[4]);
    if (!s.ok()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[2], s.message.c_str());
        return 5;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && IsFlag(argv[1], 'v')) return SetValue(argc, argv);
    Options o;
    if (!ParseArgs(argc, argv, &o)) {
        std::fprintf(stderr, "usage: quenby-regsvr [/u] [/s] library\n"
                             "  /u  unregister the library's classes\n"
                             "  /s  silent: print only failures\n");
        return 1;
    }
    // A library given without a folder is the one in the current folder,
    // not one found on the loader's search path.
    std::string path = o.library.find('/') == std::string::npos ? "./" + o.library : o.library;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        return Report(o, 3, "cannot load " + o.library + ": " + (why ? why : "unknown reason"));
    }
    const char* entry = o.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto fn = reinterpret_cast<com::DllRegisterServerFn>(dlsym(handle, entry));
    if (!fn) return Report(o, 4, o.library + " was loaded, but the entry point " + entry + " was not found.");
    com::ClearErrorInfo();
    com::HRESULT hr = fn();
    if (com::FAILED(hr)) {
        std::string message = std::string(entry) + " in " + o.library + " failed; return code " + Hex(hr) + ".";
        com::ErrorInfo info;
        if (com::GetErrorInfo(&info) == com::S_OK && !info.description.empty())
            message += " " + com::Utf16ToUtf8(info.description);
        return Report(o, 5, message);
    }
    // The library stays loaded until exit: it may have started threads or
    // registered handlers that must not outlive its code.
    return Report(o, 0, std::string(entry) + " in " + o.library + " succeeded.");
}

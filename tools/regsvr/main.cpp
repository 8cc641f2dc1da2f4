// quenby-regsvr: registers or unregisters an in-process server library by
// calling its DllRegisterServer or DllUnregisterServer.
//
//     quenby-regsvr [/u|-u] [/s|-s] library.so
//
// Exit status: 0 done, 1 bad command line, 3 library not loadable, 4 entry
// point missing, 5 the entry point failed.
#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/com/error_info.h"
#include "platform/com/server.h"
#include "platform/com/utf.h"

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

}  // namespace

int main(int argc, char** argv) {
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

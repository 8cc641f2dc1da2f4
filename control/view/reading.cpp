#include "control/view/reading.h"

#include <mutex>
#include <vector>

extern "C" {
#include <libkakasi.h>
}

namespace tarn::view {

namespace {
// kakasi keeps its options and dictionary in globals: one caller at a time,
// and the options are set once for the process.
std::mutex& KakasiLock() {
    static std::mutex m;
    return m;
}

bool KakasiReady() {
    static const bool ready = [] {
        static char a0[] = "kakasi", a1[] = "-isjis", a2[] = "-osjis", a3[] = "-JH", a4[] = "-KH";
        static char* argv[] = {a0, a1, a2, a3, a4, nullptr};
        return kakasi_getopt_argv(5, argv) == 0;
    }();
    return ready;
}
}  // namespace

std::string DictionaryReading(std::string_view cp932) {
    if (cp932.empty()) return {};
    // kakasi reads up to a NUL; a NUL inside the text ends what it sees.
    std::vector<char> in(cp932.begin(), cp932.end());
    in.push_back('\0');
    const std::lock_guard<std::mutex> lock(KakasiLock());
    if (!KakasiReady()) return {};
    char* out = kakasi_do(in.data());
    if (!out) return {};
    std::string reading(out);
    kakasi_free(out);
    return reading;
}

}  // namespace tarn::view

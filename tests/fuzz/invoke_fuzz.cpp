// Build and run (from the repository root):
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
//         -DQUENBY_FUZZ=ON -DQUENBY_TESTS=OFF -DQUENBY_BENCH=OFF
//   cmake --build build-fuzz -j2 --target invoke_fuzz
//   mkdir -p /tmp/invoke_new
//   QT_QPA_PLATFORM=offscreen build-fuzz/tests/fuzz/invoke_fuzz -max_total_time=120 -max_len=512 \
//         /tmp/invoke_new tests/fuzz/corpus/invoke
// Keep inputs worth keeping in tests/fuzz/corpus/invoke/; the control's
// test suite replays them all.
#include <cstdio>
#include <cstdlib>

#include "control/activex/tarn_edit_x.h"
#include "invoke_exercise.h"
// After the runtime's headers: Qt defines "slots" as a macro.
#include <QApplication>

namespace {
platform::com::ComPtr<tarnedit::TTarnEditX> g_control;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    g_control = platform::com::MakeObject<tarnedit::TTarnEditX>();
    // The control's window must go while the toolkit still stands: this
    // runs before the toolkit's own statics are torn down at exit.
    std::atexit([] { g_control.Reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string problem =
        tarnedit::fuzz::ExerciseInvoke(static_cast<tarnedit::ITarnEditX*>(g_control.Get()), input);
    if (!problem.empty()) {
        std::fprintf(stderr, "invoke check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}

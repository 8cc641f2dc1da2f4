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
// Kept for the life of the process and never released: at exit the
// toolkit's own statics go first, and a window destroyed after them
// crashes inside the toolkit.
tarnedit::TTarnEditX* g_control = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    g_control = platform::com::MakeObject<tarnedit::TTarnEditX>().Detach();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string problem =
        tarnedit::fuzz::ExerciseInvoke(static_cast<tarnedit::ITarnEditX*>(g_control), input);
    if (!problem.empty()) {
        std::fprintf(stderr, "invoke check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}

// Build and run (from the repository root):
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
//         -DQUENBY_FUZZ=ON -DQUENBY_TESTS=OFF -DQUENBY_BENCH=OFF
//   cmake --build build-fuzz -j2 --target property_stream_fuzz
//   mkdir -p /tmp/property_stream_new
//   build-fuzz/tests/fuzz/property_stream_fuzz -max_total_time=120 -max_len=4096 \
//         /tmp/property_stream_new tests/fuzz/corpus/property_stream
// New inputs land in /tmp/property_stream_new; copy the ones worth keeping
// into tests/fuzz/corpus/property_stream/ (the replay test runs them all).
#include "property_stream_exercise.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string problem = tarn::persist::fuzz::ExercisePropertyStream(input);
    if (!problem.empty()) {
        std::fprintf(stderr, "property stream check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}

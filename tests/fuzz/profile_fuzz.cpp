// Build and run (from the repository root):
//   cmake -S . -B build-profile-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
//         -DQUENBY_FUZZ=ON -DQUENBY_TESTS=OFF -DQUENBY_BENCH=OFF
//   cmake --build build-profile-fuzz -j2 --target profile_fuzz
//   mkdir -p /tmp/profile_new
//   TMPDIR=/dev/shm build-profile-fuzz/tests/fuzz/profile_fuzz -max_total_time=120 -max_len=4096 \
//         /tmp/profile_new tests/fuzz/corpus/profile
// Every input is written to a file and read and written through the public
// calls, so the scratch folder is best kept in memory (TMPDIR=/dev/shm).
// Fold the new inputs worth keeping into the saved corpus with -merge=1;
// -use_counters=0 keeps only inputs that reach new code, not those that
// merely run it more often, so the corpus stays small:
//   TMPDIR=/dev/shm build-profile-fuzz/tests/fuzz/profile_fuzz -merge=1 -use_counters=0 \
//         tests/fuzz/corpus/profile /tmp/profile_new
// (the replay test runs every saved input).
#include "profile_exercise.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string problem = platform::profile::fuzz::ExerciseProfile(input);
    if (!problem.empty()) {
        std::fprintf(stderr, "profile check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}

// Build and run (from the repository root):
//   cmake -S . -B /tmp/build-conv-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
//         -DQUENBY_FUZZ=ON -DQUENBY_TESTS=OFF -DQUENBY_BENCH=OFF
//   cmake --build /tmp/build-conv-fuzz -j2 --target html_conv_fuzz
//   mkdir -p /tmp/html_conv_new
//   /tmp/build-conv-fuzz/tests/fuzz/html_conv_fuzz -timeout=2 -max_len=4096 -max_total_time=300 \
//         /tmp/html_conv_new tests/fuzz/corpus/html_conv
// The first byte of an input picks the page address (empty, a folder ending
// in "/", a ".html" page, a host alone, an https address with a path), the
// rest is the page as UTF-8. Every input is compared with a literal
// rewriting whose cost grows with the square of the page, hence the small
// -max_len. Fold the new inputs worth keeping into the saved corpus with
// -merge=1; -use_counters=0 keeps only inputs that reach new code, so the
// corpus stays small:
//   /tmp/build-conv-fuzz/tests/fuzz/html_conv_fuzz -merge=1 -use_counters=0 \
//         tests/fuzz/corpus/html_conv /tmp/html_conv_new
// (the replay test runs every saved input).
#include "html_conv_exercise.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string problem = html_conv_fuzz::ExerciseHtmlConv(input);
    if (!problem.empty()) {
        std::fprintf(stderr, "html conversion check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}

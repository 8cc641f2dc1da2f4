// Replays every saved fuzzer input through the loader, so an input that
// once broke it stays a test.
#include "property_stream_exercise.h"

#include <gtest/gtest.h>

#include "corpus_files.h"

namespace tarn::persist {
namespace {

TEST(PropertyStreamCorpus, EverySavedInputLoadsWithoutFault) {
    const std::vector<fuzz_corpus::Input> inputs = fuzz_corpus::Inputs(QUENBY_PROPERTY_STREAM_CORPUS);
    for (const fuzz_corpus::Input& input : inputs)
        EXPECT_EQ(fuzz::ExercisePropertyStream(input.bytes), "") << input.path;
    EXPECT_GE(inputs.size(), 14u);  // the hand-made seeds at least
}

}  // namespace
}  // namespace tarn::persist

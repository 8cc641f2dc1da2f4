// Replays every saved fuzzer input through the same checks the fuzzer
// makes, so an input that once broke the profile layer stays a test.
#include "profile_exercise.h"

#include <gtest/gtest.h>

#include "corpus_files.h"

namespace {

TEST(ProfileCorpus, EverySavedInputPassesTheFuzzChecks) {
    const std::vector<fuzz_corpus::Input> inputs = fuzz_corpus::Inputs(QUENBY_PROFILE_CORPUS);
    for (const fuzz_corpus::Input& input : inputs)
        EXPECT_EQ(platform::profile::fuzz::ExerciseProfile(input.bytes), "") << input.path;
    EXPECT_GE(inputs.size(), 20u);  // the hand-made seeds at least
}

}  // namespace

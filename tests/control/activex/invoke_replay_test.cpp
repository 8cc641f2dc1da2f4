// Replays the saved inputs of the Invoke fuzzer, and a fixed run of
// generated ones, against a live control: every call answers with a
// result code and the control stays usable.
#include <gtest/gtest.h>

#include <random>

#include "control/activex/tarn_edit_x.h"
#include "corpus_files.h"
#include "invoke_exercise.h"

namespace tarnedit {
namespace {

TEST(InvokeCorpus, EverySavedInputIsAnsweredAndLeavesTheControlUsable) {
    auto control = platform::com::MakeObject<TTarnEditX>();
    const std::vector<fuzz_corpus::Input> inputs = fuzz_corpus::Inputs(QUENBY_INVOKE_CORPUS);
    for (const fuzz_corpus::Input& input : inputs)
        EXPECT_EQ(fuzz::ExerciseInvoke(static_cast<ITarnEditX*>(control.Get()), input.bytes), "") << input.path;
    EXPECT_GE(inputs.size(), 10u);
}

TEST(InvokeCorpus, GeneratedCallsOnEveryMember) {
    auto control = platform::com::MakeObject<TTarnEditX>();
    std::mt19937 rng(20261208);
    for (int round = 0; round < 3; ++round)
        for (int member = 0; member < 170; ++member) {
            std::string bytes(1, static_cast<char>(member));
            bytes.push_back(static_cast<char>(1 << (rng() % 4)));  // one invoke kind
            for (int i = 0; i < 40; ++i) bytes.push_back(static_cast<char>(rng()));
            ASSERT_EQ(fuzz::ExerciseInvoke(static_cast<ITarnEditX*>(control.Get()), bytes), "") << member;
        }
}

}  // namespace
}  // namespace tarnedit

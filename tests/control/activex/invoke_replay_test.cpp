// Replays the saved inputs of the Invoke fuzzer, and a fixed run of
// generated ones, against a live control: every call answers with a
// result code and the control stays usable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "control/activex/tarn_edit_x.h"
#include "invoke_exercise.h"

namespace tarnedit {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(InvokeCorpus, EverySavedInputIsAnsweredAndLeavesTheControlUsable) {
    auto control = platform::com::MakeObject<TTarnEditX>();
    fs::path dir(QUENBY_INVOKE_CORPUS);
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    std::size_t files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        if (!e.is_regular_file()) continue;
        ++files;
        EXPECT_EQ(fuzz::ExerciseInvoke(static_cast<ITarnEditX*>(control.Get()), ReadWhole(e.path())), "") << e.path();
    }
    EXPECT_GE(files, 10u);
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

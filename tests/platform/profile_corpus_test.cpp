// Replays every saved fuzzer input through the same checks the fuzzer
// makes, so an input that once broke the profile layer stays a test.
#include "profile_exercise.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ProfileCorpus, EverySavedInputPassesTheFuzzChecks) {
    fs::path dir(QUENBY_PROFILE_CORPUS);
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    std::size_t files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        if (!e.is_regular_file()) continue;
        ++files;
        EXPECT_EQ(platform::profile::fuzz::ExerciseProfile(ReadWhole(e.path())), "") << e.path();
    }
    EXPECT_GE(files, 20u);  // the hand-made seeds at least
}

}  // namespace

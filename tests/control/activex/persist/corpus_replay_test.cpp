// Replays every saved fuzzer input through the loader, so an input that
// once broke it stays a test.
#include "property_stream_exercise.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tarn::persist {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PropertyStreamCorpus, EverySavedInputLoadsWithoutFault) {
    fs::path dir(QUENBY_PROPERTY_STREAM_CORPUS);
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    std::size_t files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        if (!e.is_regular_file()) continue;
        ++files;
        EXPECT_EQ(fuzz::ExercisePropertyStream(ReadWhole(e.path())), "") << e.path();
    }
    EXPECT_GE(files, 14u);  // the hand-made seeds at least
}

}  // namespace
}  // namespace tarn::persist

// The saved inputs of a fuzz target, for the tests that replay them: every
// regular file of the corpus folder with its bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace fuzz_corpus {

struct Input {
    std::filesystem::path path;
    std::string bytes;
};

inline std::vector<Input> Inputs(const std::filesystem::path& dir) {
    std::vector<Input> inputs;
    if (!std::filesystem::is_directory(dir)) return inputs;
    for (const std::filesystem::directory_entry& e : std::filesystem::directory_iterator(dir)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        inputs.push_back({e.path(), std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())});
    }
    return inputs;
}

}  // namespace fuzz_corpus

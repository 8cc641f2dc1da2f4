// A program folder and registry of a benchmark's own, with the freshly
// built control registered in it, so that benchmarks create the control
// through the registry as the program does and never touch a real
// installation.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/platform/temp_dir.h"

namespace bench_support {

class BenchProgramFolder {
public:
    BenchProgramFolder() {
        setenv("QUENBY_PROGRAM_DIR", path().c_str(), 1);
        setenv("QUENBY_REGISTRY", (path() / "registry.txt").c_str(), 1);
        setenv("TEMP", path().c_str(), 1);
        const std::string cmd = std::string(QUENBY_REGSVR) + " /s " + TARNEDITX_LIBRARY;
        registered_ = std::system(cmd.c_str()) == 0;
    }
    const std::filesystem::path& path() const { return dir_.path(); }
    bool Registered() const { return registered_; }

private:
    testing_fs::TempDir dir_;
    bool registered_ = false;
};

}  // namespace bench_support

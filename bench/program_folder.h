// A program folder and registry of a benchmark's own, with the freshly
// built control registered in it, so that benchmarks create the control
// through the registry as the program does and never touch a real
// installation.
#pragma once

#include <QApplication>
#include <QString>
#include <benchmark/benchmark.h>

#include <cstdio>
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

// The main of a benchmark of windows with a control: off screen unless told
// otherwise, in a program folder of its own with the control registered, one
// fixture (with `bool Make(QString*)`) made once and handed to the
// benchmarks through `current` while they run.
template <class Fixture>
int RunWithControl(int argc, char** argv, Fixture*& current, std::filesystem::path* folderPath = nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    BenchProgramFolder folder;
    if (!folder.Registered()) {
        std::fprintf(stderr, "the control could not be registered\n");
        return 1;
    }
    if (folderPath) *folderPath = folder.path();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        Fixture f;
        QString error;
        if (!f.Make(&error)) {
            std::fprintf(stderr, "no control: %s\n", qPrintable(error));
            return 1;
        }
        current = &f;
        benchmark::RunSpecifiedBenchmarks();
        current = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench_support

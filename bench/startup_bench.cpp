// The whole program's start, from the process's start to the editor window
// shown and usable (the program quits there when QUENBY_QUIT_WHEN_READY is
// set): with the font list cached, with it rebuilt, and with a file named
// on the command line. Each run has a program folder and registry of its
// own with the freshly built control registered.
#include <benchmark/benchmark.h>

#include "program_folder.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The program's own chatter (Qt's platform notes) stays out of the report.
int Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Start(benchmark::State& state, bool rebuildFonts, bool withFile) {
    bench_support::BenchProgramFolder folder;
    for (const char* f : {"HtmlText.ctd", "CommentText.ctd"})
        fs::copy_file(fs::path(QUENBY_BIN_DIR) / f, folder.path() / f, fs::copy_options::overwrite_existing);
    setenv("QUENBY_QUIT_WHEN_READY", "1", 1);
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<std::string> args{QUENBY_PROGRAM};
    if (withFile) {
        const fs::path page = folder.path() / "page.htm";
        std::ofstream out(page, std::ios::binary);
        for (int i = 0; i < 2000; ++i) out << "<P>line " << i << " \x82\xa0\x82\xa2\x82\xa4</P>\r\n";
        args.push_back(page.string());
    }
    Run(args);  // the first start builds the font list
    for (auto _ : state) {
        if (rebuildFonts) fs::remove(folder.path() / "Quenby.ini");
        const auto t0 = std::chrono::steady_clock::now();
        const int rc = Run(args);
        const auto t1 = std::chrono::steady_clock::now();
        if (rc != 0) state.SkipWithError("the program did not start");
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
}

void BM_StartCachedFontList(benchmark::State& s) { Start(s, false, false); }
void BM_StartRebuiltFontList(benchmark::State& s) { Start(s, true, false); }
void BM_StartWithFile(benchmark::State& s) { Start(s, false, true); }

BENCHMARK(BM_StartCachedFontList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartRebuiltFontList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartWithFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();

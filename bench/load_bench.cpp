// Loading, reading back and saving large documents through the line store.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_support.h"
#include "control/engine/tarn_edit.h"
#include "control/engine/tarn_strings.h"

using namespace tarn;
using namespace tarn::bench;

namespace {

constexpr std::size_t kMB = 1024 * 1024;

const std::string& BreakOf(int kind) {
    static const std::string breaks[] = {"\r\n", "\r", "\n"};
    return breaks[kind];
}

void BM_Load(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0)) * kMB;
    auto path = DocumentFile(size, BreakOf(static_cast<int>(state.range(1))));
    const double fileSize = static_cast<double>(std::filesystem::file_size(path));
    double peakX = 0, extraX = 0;
    for (auto _ : state) {
        const std::int64_t before = AllocationCounter::Live();
        AllocationCounter::ResetPeak();
        TTarnStrings store;
        store.LoadFromFile(path);
        const std::int64_t kept = AllocationCounter::Live() - before;
        const std::int64_t peak = AllocationCounter::Peak() - before;
        // Allocated bytes count the line array's reservation whole, touched
        // or not. "extra" is what the load held beyond the store it leaves.
        peakX = static_cast<double>(peak) / fileSize;
        extraX = static_cast<double>(peak - kept) / fileSize;
        benchmark::DoNotOptimize(store.Count());
        state.PauseTiming();
        { TTarnStrings gone = std::move(store); }
        state.ResumeTiming();
    }
    state.counters["peak_x_file"] = peakX;
    state.counters["extra_x_file"] = extraX;
    ChildMemory m = MeasureLoadInFreshProcess(path);
    state.counters["rss_peak_x_file"] = static_cast<double>(m.peak) / fileSize;
    state.counters["rss_extra_x_file"] = static_cast<double>(m.peak - m.kept) / fileSize;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(fileSize));
}

void LoadArgs(benchmark::internal::Benchmark* b) {
    for (int kind = 0; kind < 3; ++kind)
        for (int mb : {1, 10, 50}) b->Args({mb, kind});
    b->ArgNames({"MB", "break(0=crlf,1=cr,2=lf)"});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Load)->Apply(LoadArgs)->Iterations(3);

void BM_TextGet(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0)) * kMB;
    TTarnEdit e;
    e.LoadFromFile(DocumentFile(size, "\r\n"));
    for (auto _ : state) benchmark::DoNotOptimize(e.Text());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_TextGet)->Arg(1)->Arg(10)->Arg(50)->ArgName("MB")->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Save(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0)) * kMB;
    TTarnEdit e;
    e.LoadFromFile(DocumentFile(size, "\r\n"));
    auto out = std::filesystem::temp_directory_path() / "quenby-bench-save.txt";
    for (auto _ : state) benchmark::DoNotOptimize(e.SaveToFile(out));
    std::filesystem::remove(out);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_Save)->Arg(1)->Arg(10)->Arg(50)->ArgName("MB")->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

namespace tarn::bench {
bool RunMeasurementIfAsked(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != "--measure-load") return false;
    ResidentMemory::ResetPeak();
    const std::int64_t before = ResidentMemory::Current();
    TTarnStrings store;
    store.LoadFromFile(argv[2]);
    benchmark::DoNotOptimize(store.Count());
    std::printf("%lld %lld\n", static_cast<long long>(ResidentMemory::Peak() - before),
                static_cast<long long>(ResidentMemory::Current() - before));
    return true;
}
}  // namespace tarn::bench

int main(int argc, char** argv) {
    if (tarn::bench::RunMeasurementIfAsked(argc, argv)) return 0;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Generated CP932 documents and an allocation counter for the benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace tarn::bench {

// A document of about `bytes` bytes: ASCII markup lines mixed with
// Japanese lines, some longer than 300 bytes, joined by `lineBreak`.
std::string MakeDocument(std::size_t bytes, const std::string& lineBreak);

// The document written to a file in the temporary folder (made once).
std::filesystem::path DocumentFile(std::size_t bytes, const std::string& lineBreak);

// Live and peak bytes held through operator new since the last reset.
struct AllocationCounter {
    static void ResetPeak();
    static std::int64_t Live();
    static std::int64_t Peak();
};

// Resident memory of the process (Linux): the peak can be reset, so each
// measured step reports its own high-water mark.
struct ResidentMemory {
    static void ResetPeak();
    static std::int64_t Current();
    static std::int64_t Peak();
};

// Runs this program again as "<exe> --measure-load FILE" and reads back how
// far its resident memory rose while loading (peak) and where it ended
// (kept); a fresh process, so nothing freed earlier is reused.
struct ChildMemory {
    std::int64_t peak = 0;
    std::int64_t kept = 0;
};
ChildMemory MeasureLoadInFreshProcess(const std::filesystem::path& file);
// The child's side: returns true when argv asked for a measurement.
bool RunMeasurementIfAsked(int argc, char** argv);

}  // namespace tarn::bench

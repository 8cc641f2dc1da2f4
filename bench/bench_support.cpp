#include "bench_support.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <new>
#include <cstdio>

namespace tarn::bench {
namespace {

std::atomic<std::int64_t> g_live{0};
std::atomic<std::int64_t> g_peak{0};

void Count(void* p) {
    if (!p) return;
    std::int64_t now = g_live.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p))) +
                       static_cast<std::int64_t>(malloc_usable_size(p));
    std::int64_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}
void Uncount(void* p) {
    if (p) g_live.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)));
}

const char* const kJapanese[] = {
    "\x82\xb1\x82\xea\x82\xcd\x83\x65\x83\x58\x83\x67\x82\xc5\x82\xb7\x81\x42",  // これはテストです。
    "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6\x8f\xcd",                          // 日本語の文章
    "\x81\x40\x8e\x71\x82\xc7\x82\xe0\x82\xcc\x8d\xa0",                          // 　子どもの頃
};

}  // namespace

void AllocationCounter::ResetPeak() { g_peak.store(g_live.load()); }
std::int64_t AllocationCounter::Live() { return g_live.load(); }
std::int64_t AllocationCounter::Peak() { return g_peak.load(); }

namespace {
std::int64_t StatusKb(const char* key) {
    std::ifstream f("/proc/self/status");
    std::string line;
    const std::string k(key);
    while (std::getline(f, line))
        if (line.compare(0, k.size(), k) == 0) return std::stoll(line.substr(k.size() + 1)) * 1024;
    return 0;
}
}  // namespace

void ResidentMemory::ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }
std::int64_t ResidentMemory::Current() { return StatusKb("VmRSS"); }
std::int64_t ResidentMemory::Peak() { return StatusKb("VmHWM"); }

ChildMemory MeasureLoadInFreshProcess(const std::filesystem::path& file) {
    ChildMemory m;
    std::error_code ec;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec) return m;
    std::string cmd = "'" + self + "' --measure-load '" + file.string() + "'";
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return m;
    long long peak = 0, kept = 0;
    if (std::fscanf(p, "%lld %lld", &peak, &kept) == 2) m = {peak, kept};
    ::pclose(p);
    return m;
}

std::string MakeDocument(std::size_t bytes, const std::string& lineBreak) {
    std::string out;
    out.reserve(bytes + 512);
    unsigned n = 0;
    while (out.size() < bytes) {
        switch (n % 5) {
            case 0: out += "<a href=\"http://example.jp/page" + std::to_string(n) + ".html\">link</a>"; break;
            case 1: out += kJapanese[n % 3]; out += kJapanese[(n + 1) % 3]; break;
            case 2:
                // A long line: over 300 bytes of mixed text.
                for (int i = 0; i < 14; ++i) { out += kJapanese[(n + i) % 3]; out += " <br>"; }
                break;
            case 3: out += "<font color=\"#ff0000\">"; out += kJapanese[n % 3]; out += "</font>"; break;
            default: out += ""; break;
        }
        out += lineBreak;
        ++n;
    }
    return out;
}

std::filesystem::path DocumentFile(std::size_t bytes, const std::string& lineBreak) {
    std::string tag = lineBreak == "\r\n" ? "crlf" : lineBreak == "\r" ? "cr" : "lf";
    auto p = std::filesystem::temp_directory_path() / ("quenby-bench-" + std::to_string(bytes) + "-" + tag + ".txt");
    if (!std::filesystem::exists(p) || std::filesystem::file_size(p) < bytes) {
        std::string doc = MakeDocument(bytes, lineBreak);
        std::ofstream f(p, std::ios::binary);
        f.write(doc.data(), static_cast<std::streamsize>(doc.size()));
    }
    return p;
}

}  // namespace tarn::bench

// Every allocation of the benchmark program is counted.
void* operator new(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    tarn::bench::Count(p);
    return p;
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept {
    tarn::bench::Uncount(p);
    std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

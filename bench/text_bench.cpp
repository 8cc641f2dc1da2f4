// Throughput of the document reader and the UTF-8 routines, in bytes per
// second: reading 1 MB and 10 MB pages in Shift_JIS and in UTF-8, and
// recognising and decoding UTF-8 on its own. The goal for every one is at
// least 200 MB/s. Run from a Release build.
#include <benchmark/benchmark.h>

#include "tests/platform/temp_dir.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "host/common/text_file.h"
#include "host/common/utf8.h"
#include "platform/codepage/codepage.h"

namespace {

namespace cp = platform::codepage;

// A page of CR LF lines mixing markup, ASCII words and Japanese, about two
// thirds of its characters Japanese; or, with `prose`, Japanese text with
// little markup.
std::u16string MakeText(std::size_t sjisBytes, bool prose) {
    static const std::u16string kWords[] = {u"日本語", u"の", u"テキスト", u"を", u"表示", u"します", u"。",
                                            u"携帯", u"電話", u"向け", u"ページ", u"ｶﾀｶﾅ", u"、", u"漢字"};
    static const std::u16string kAscii[] = {u"<BR>", u"<A HREF=\"x.htm\">", u"</A>", u"link", u"i-mode", u" "};
    std::u16string text = u"<HTML>\r\n<HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n";
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    std::size_t bytes = text.size();
    while (bytes < sjisBytes) {
        std::u16string line;
        const std::size_t target = 20 + next() % 60;
        while (line.size() < target) {
            if (next() % (prose ? 12 : 3) == 0) line += kAscii[next() % std::size(kAscii)];
            else line += kWords[next() % std::size(kWords)];
        }
        line += u"\r\n";
        bytes += cp::ToBytes(line).size();
        text += line;
    }
    return text;
}

// The generated files, written once into a folder of their own and removed
// when the program ends.
class Files {
public:
    Files() = default;
    Files(const Files&) = delete;
    Files& operator=(const Files&) = delete;

    // Shift_JIS or UTF-8 bytes of a page of about `megabytes` MB.
    static const std::string& Bytes(int megabytes, bool utf8, bool prose = false) {
        static std::string cache[2][2][11];
        std::string& b = cache[utf8][prose][megabytes];
        if (b.empty()) {
            const std::string sjis = cp::ToBytes(MakeText(static_cast<std::size_t>(megabytes) << 20, prose));
            b = utf8 ? cp::BytesToUtf8(sjis) : sjis;
        }
        return b;
    }

    std::filesystem::path Path(int megabytes, bool utf8) {
        const auto p = dir_.path() / (std::to_string(megabytes) + (utf8 ? "-utf8.htm" : "-sjis.htm"));
        if (!std::filesystem::exists(p)) {
            std::ofstream out(p, std::ios::binary);
            const std::string& b = Bytes(megabytes, utf8);
            out.write(b.data(), static_cast<std::streamsize>(b.size()));
        }
        return p;
    }

private:
    testing_fs::TempDir dir_;
};

Files& TheFiles() {
    static Files files;
    return files;
}

void BM_ReadTextFile(benchmark::State& state, bool utf8) {
    const int mb = static_cast<int>(state.range(0));
    const auto path = TheFiles().Path(mb, utf8);
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        auto f = quenby::ReadTextFileChecked(path);
        if (f.status != quenby::ReadStatus::Ok || f.utf8 != utf8) state.SkipWithError("not read as expected");
        benchmark::DoNotOptimize(f.text.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
// Measured on the wall clock: the reading itself is part of the cost.
BENCHMARK_CAPTURE(BM_ReadTextFile, ShiftJis, false)->Arg(1)->Arg(10)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadTextFile, Utf8, true)->Arg(1)->Arg(10)->UseRealTime()->Unit(benchmark::kMillisecond);

// The whole buffer as the window, the hardest case for recognition.
void BM_IsUtf8(benchmark::State& state, bool prose) {
    const std::string& bytes = Files::Bytes(10, true, prose);
    for (auto _ : state) benchmark::DoNotOptimize(quenby::IsUtf8(bytes, bytes.size()));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK_CAPTURE(BM_IsUtf8, Mixed, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IsUtf8, MostlyJapanese, true)->Unit(benchmark::kMillisecond);

void BM_DecodeUtf8(benchmark::State& state, bool prose) {
    const std::string& bytes = Files::Bytes(10, true, prose);
    for (auto _ : state) {
        auto text = quenby::DecodeUtf8(bytes, u"?");
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK_CAPTURE(BM_DecodeUtf8, Mixed, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeUtf8, MostlyJapanese, true)->Unit(benchmark::kMillisecond);

void BM_DecodeCodePage(benchmark::State& state, bool prose) {
    const std::string& bytes = Files::Bytes(10, false, prose);
    for (auto _ : state) {
        auto text = quenby::DecodeCodePage(bytes);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK_CAPTURE(BM_DecodeCodePage, Mixed, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeCodePage, MostlyJapanese, true)->Unit(benchmark::kMillisecond);

}  // namespace

// Undo and redo of typed text in a large wrapped document, and replacing
// every occurrence of a word in a large document. Both should grow with
// the number of edits only, not with edits times document lines.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "control/engine/tarn_edit.h"

namespace {

using tarn::TTarnEdit;

// A fixed-pitch editor as the view leaves it once shown.
std::unique_ptr<TTarnEdit> MakeEditor(bool wrap) {
    auto e = std::make_unique<TTarnEdit>();
    e->Fontwidth = 1;
    e->Fontheight = 1;
    e->Lineheight = 1;
    e->DwclientX = 800;
    e->ClLineCount = 40;
    e->SetWordWrap(wrap, false);
    return e;
}

// About `bytes` of text in lines of 100 bytes (so that a 72-column wrap
// cuts each one), with `word` placed in `hits` of the lines.
std::string Document(std::size_t bytes, const std::string& word, int hits) {
    const std::string filler = "The quick brown fox jumps over the lazy dog, ";
    const int lines = static_cast<int>(bytes / 102);
    std::string line;
    while (line.size() < 100) line += filler;
    line.resize(100);
    std::string withWord = line;
    withWord.replace(60, word.size(), word);
    std::string text;
    text.reserve(bytes + 1024);
    const int every = hits > 0 ? std::max(1, lines / hits) : lines + 1;
    int placed = 0;
    for (int i = 0; i < lines; ++i) {
        const bool put = hits > 0 && placed < hits && i % every == 0;
        placed += put ? 1 : 0;
        text += put ? withWord : line;
        text += "\r\n";
    }
    return text;
}

constexpr std::size_t kTenMB = 10u << 20;

void BM_UndoTyped(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto e = MakeEditor(true);
    e->SetText(Document(kTenMB, "", 0));
    e->CurSet(10, e->LastLine() / 2, tarn::Txmovemode::normal);
    const std::int64_t typed = e->Lines.ByteLength();
    for (int i = 0; i < n; ++i) e->TypeText(i % 7 == 6 ? " " : "x");
    if (e->Lines.ByteLength() != typed + n || e->History().Undo.Count() != n) state.SkipWithError("typing not recorded");
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) e->Undo();
        state.PauseTiming();
        if (e->Lines.ByteLength() != typed || e->Modified) state.SkipWithError("undo did not restore the text");
        for (int i = 0; i < n; ++i) e->Redo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_UndoTyped)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RedoTyped(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto e = MakeEditor(true);
    e->SetText(Document(kTenMB, "", 0));
    e->CurSet(10, e->LastLine() / 2, tarn::Txmovemode::normal);
    for (int i = 0; i < n; ++i) e->TypeText(i % 7 == 6 ? " " : "x");
    const std::int64_t typed = e->Lines.ByteLength();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < n; ++i) e->Undo();
        state.ResumeTiming();
        for (int i = 0; i < n; ++i) e->Redo();
    }
    if (e->Lines.ByteLength() != typed || !e->History().Redo.Empty()) state.SkipWithError("redo did not restore the text");
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RedoTyped)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The host's handler: a plain byte search.
void ByteSearch(const std::string& s, const std::string& f, int, int& x, int& len) {
    const auto p = s.find(f);
    x = p == std::string::npos ? 0 : static_cast<int>(p) + 1;
    len = static_cast<int>(f.size());
}

void ReplaceAll(benchmark::State& state, bool wrap) {
    const int hits = static_cast<int>(state.range(0));
    const std::string text = Document(kTenMB, "WORD", hits);
    auto e = MakeEditor(wrap);
    e->OnFind = ByteSearch;
    int replaced = 0;
    e->OnFindChangeEnd = [&](const std::string&, const std::string&, int count) { replaced = count; };
    for (auto _ : state) {
        state.PauseTiming();
        e->SetText(text);
        state.ResumeTiming();
        e->FindChange("WORD", "SIXBYT", true, false, true);
    }
    if (replaced != hits || e->Text().find("WORD") != std::string::npos ||
        e->Lines.ByteLength() != static_cast<std::int64_t>(text.size()) + 2LL * hits + 1)
        state.SkipWithError("wrong replacements");
    state.SetItemsProcessed(state.iterations() * hits);
}
void BM_ReplaceAll(benchmark::State& state) { ReplaceAll(state, false); }
void BM_ReplaceAllWrapped(benchmark::State& state) { ReplaceAll(state, true); }
BENCHMARK(BM_ReplaceAll)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReplaceAllWrapped)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();

// Wrapping and editing on large documents: wrapping 10 MB at column 72,
// typing and deleting 10,000 characters in the middle of a wrapped 10 MB
// document, a box insertion of 1,000 lines, and the cost of one typed
// character at 1 MB and at 50 MB (which must not grow with the document).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "control/engine/tarn_edit.h"

namespace {

using tarn::TTarnEdit;
using tarn::Txmovemode;

// A document of mixed ASCII words and double-byte text in lines of up to
// 200 bytes, so that about half of them wrap at 72 columns.
std::string MakeDocument(std::size_t bytes) {
    std::string doc;
    doc.reserve(bytes + 256);
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    const std::string kana[] = {"\x82\xA0", "\x82\xA2", "\x82\xA4", "\x95\x5C", "\x8A\xBF", "\x8E\x9A"};
    while (doc.size() < bytes) {
        const std::size_t target = next() % 200;
        std::size_t len = 0;
        while (len < target) {
            if (next() % 3 == 0) {
                for (int k = 1 + static_cast<int>(next() % 5); k > 0; --k) doc += kana[next() % 6], len += 2;
            } else {
                for (int k = 2 + static_cast<int>(next() % 7); k > 0; --k) doc += static_cast<char>('a' + next() % 26), ++len;
            }
            doc += ' ';
            ++len;
        }
        doc += "\r\n";
    }
    return doc;
}

class NoView : public tarn::TEditView {};

class FontView : public tarn::TEditView {
public:
    bool FixedPitch() const override { return false; }
};

// A proportional font: every byte's width looked up, as a real font does.
class ProportionalView : public tarn::TEditView {
public:
    ProportionalView() {
        for (int c = 0; c < 256; ++c) width_[c] = 4 + (c * 7) % 9;
    }
    bool FixedPitch() const override { return false; }
    int TextWidth(std::string_view b, int) const override {
        int w = 0;
        for (unsigned char c : b) w += width_[c];
        return w;
    }

private:
    int width_[256];
};

// What a window does in the idle time after a document is set: split the
// rows past the first screen and take them into the line array.
void SettleAsWhenIdle(TTarnEdit& e) {
    while (e.SettleSome(256 * 1024)) {
    }
}

std::unique_ptr<TTarnEdit> MakeEditor(tarn::TEditView* view, std::size_t bytes, bool wrap) {
    auto e = std::make_unique<TTarnEdit>(view);
    e->Fontwidth = 8;
    e->Fontheight = 16;
    e->Lineheight = 16;
    e->DwclientX = 1000;
    e->ClLineCount = 40;
    e->SetWordWrap(wrap, false);
    e->SetText(MakeDocument(bytes));
    SettleAsWhenIdle(*e);
    return e;
}

void CaretToMiddle(TTarnEdit& e) {
    const int row = e.LineCount() / 2;
    e.CurSet(static_cast<int>(tarn::VisibleLength(e.Lines.Line(row)) / 2), row, Txmovemode::normal);
}

// Wrapping a whole unwrapped document of Arg MB at column 72.
void BM_Wrap(benchmark::State& state) {
    NoView view;
    auto e = MakeEditor(&view, static_cast<std::size_t>(state.range(0)) << 20, false);
    for (auto _ : state) {
        e->SetWordWrap(true, true);
        state.PauseTiming();
        e->SetWordWrap(false, false);
        state.ResumeTiming();
    }
    e->SetWordWrap(true, false);
    state.counters["rows"] = e->LineCount();
}
BENCHMARK(BM_Wrap)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same with a font that is not fixed-pitch: every width is asked of the
// view (here one that counts bytes, so the cuts are the same).
void BM_Wrap10MBMeasured(benchmark::State& state) {
    FontView view;
    auto e = MakeEditor(&view, 10u << 20, false);
    for (auto _ : state) {
        e->SetWordWrap(true, true);
        state.PauseTiming();
        e->SetWordWrap(false, false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Wrap10MBMeasured)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Wrap10MBProportional(benchmark::State& state) {
    ProportionalView view;
    auto e = MakeEditor(&view, 10u << 20, false);
    for (auto _ : state) {
        e->SetWordWrap(true, true);
        state.PauseTiming();
        e->SetWordWrap(false, false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Wrap10MBProportional)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TypeAndBackspace10000In10MB(benchmark::State& state) {
    NoView view;
    auto e = MakeEditor(&view, 10u << 20, true);
    CaretToMiddle(*e);
    double typing = 0, deleting = 0;
    for (auto _ : state) {
        const auto a = std::chrono::steady_clock::now();
        for (int i = 0; i < 10000; ++i) e->TypeText(i % 5 == 4 ? std::string("\x82\xA0") : std::string(1, static_cast<char>('a' + i % 26)));
        const auto b = std::chrono::steady_clock::now();
        for (int i = 0; i < 10000; ++i) e->BackSpace();
        const auto c = std::chrono::steady_clock::now();
        typing += std::chrono::duration<double, std::milli>(b - a).count();
        deleting += std::chrono::duration<double, std::milli>(c - b).count();
    }
    state.counters["type_ms"] = typing / static_cast<double>(state.iterations());
    state.counters["backspace_ms"] = deleting / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TypeAndBackspace10000In10MB)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BoxInsert1000Lines(benchmark::State& state) {
    NoView view;
    auto e = MakeEditor(&view, 1u << 20, true);
    const std::string saved = e->Text();
    std::string box;
    for (int i = 0; i < 1000; ++i) box += "box row " + std::to_string(i) + "\r\n";
    e->SetBoxSelMode(true);
    for (auto _ : state) {
        state.PauseTiming();
        e->SetText(saved);
        SettleAsWhenIdle(*e);
        CaretToMiddle(*e);
        state.ResumeTiming();
        e->TextPaste(box);
    }
}
BENCHMARK(BM_BoxInsert1000Lines)->Unit(benchmark::kMillisecond)->Iterations(5);

// One typed character, in the middle of a wrapped document of Arg MB. The
// first edit after loading pays once for what a load leaves undone (the
// line array's spare room, the gap moved to the middle, the index of line
// ends built); it is measured on its own below and kept out of this figure.
void BM_TypeOneCharacter(benchmark::State& state) {
    NoView view;
    auto e = MakeEditor(&view, static_cast<std::size_t>(state.range(0)) << 20, true);
    CaretToMiddle(*e);
    for (int k = 0; k < 300; ++k) e->TypeText("w");
    int i = 0;
    for (auto _ : state) e->TypeText(std::string(1, static_cast<char>('a' + (i++ % 26))));
    state.counters["rows"] = e->LineCount();
}
BENCHMARK(BM_TypeOneCharacter)->Arg(1)->Arg(50)->Unit(benchmark::kMicrosecond)->Iterations(20000);

// Both conversions at positions spread over a wrapped document of Arg MB.
void BM_ConvertPositions(benchmark::State& state) {
    NoView view;
    auto e = MakeEditor(&view, static_cast<std::size_t>(state.range(0)) << 20, true);
    const int rows = e->LineCount();
    int i = 0;
    for (auto _ : state) {
        int x = 5, y = static_cast<int>((static_cast<long long>(i++) * 7919) % rows);
        e->WtoNcurpos(x, y);
        e->NtoWcurpos(x, y);
        benchmark::DoNotOptimize(x + y);
    }
}
BENCHMARK(BM_ConvertPositions)->Arg(1)->Arg(50)->Unit(benchmark::kNanosecond);

void BM_FirstKeystrokeAfterLoad(benchmark::State& state) {
    NoView view;
    auto e = MakeEditor(&view, static_cast<std::size_t>(state.range(0)) << 20, true);
    const std::string saved = e->Text();
    for (auto _ : state) {
        state.PauseTiming();
        e->SetText(saved);
        SettleAsWhenIdle(*e);
        CaretToMiddle(*e);
        state.ResumeTiming();
        for (int k = 0; k < 80; ++k) e->TypeText("w");  // enough to add a row
    }
}
BENCHMARK(BM_FirstKeystrokeAfterLoad)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

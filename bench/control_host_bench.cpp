// The control as a host drives it: created by its ProgID through a registry
// of the benchmark's own, its window 800 x 600 in a form shown off screen,
// IPAGothic, word wrap at 72 columns, every call late-bound through its
// dispatch interface and an event sink connected. Keys go to its window as
// Qt key events. The documents are generated CP932 pages, HTML-like lines
// with "font" about once every 100 bytes.
//
// Goals: replace-all of a 10 MB page under 1.2 s; undo of 1,000 typed
// characters one by one under 0.1 s; 1,000 typed keys on a 10 MB page under
// 0.3 s; the first paint after loading a wrapped page under 20 ms whatever
// its size; the store and its indexes of a 50 MB page within ~208 MB.
//
//     QT_QPA_PLATFORM=offscreen build/bin/quenby_bench_control_host
//     build/bin/quenby_bench_control_host --benchmark_filter=ReplaceAll/1
#include <benchmark/benchmark.h>

#include "control_bench_main.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <malloc.h>

#include "host/common/byte_helpers.h"
#include "host/common/control_host.h"
#include "platform/codepage/codepage.h"

namespace {

namespace fs = std::filesystem;
namespace dispid = tarnedit::dispid;
using quenby::ControlHost;
using Clock = std::chrono::steady_clock;

fs::path workDir;

// One page line, about 200 bytes of CP932 with "font" in it twice (the
// opening and the closing tag), so once every 100 bytes.
std::string PageLine(long n) {
    static const std::string a = platform::codepage::ToBytes(u"日本語の本文です。");
    static const std::string b = platform::codepage::ToBytes(u"色のついた文字");
    static const std::string c = platform::codepage::ToBytes(u"携帯電話向けのページを作ります。");
    std::string line = "<div align=\"left\">" + a + " line " + std::to_string(n) + " <font color=\"#0000ff\">" + b +
                       "</font> " + c + " <a href=\"page" + std::to_string(n % 97) + ".htm\">link</a></div>";
    while (line.size() < 198) line += ' ';
    return line + "\r\n";
}

// The page of about mb megabytes, written once per size.
fs::path Page(int mb) {
    const fs::path p = workDir / ("page" + std::to_string(mb) + ".htm");
    if (fs::exists(p)) return p;
    std::ofstream out(p, std::ios::binary);
    const std::size_t want = static_cast<std::size_t>(mb) * 1000 * 1000;
    std::size_t written = 0;
    for (long n = 0; written < want; ++n) {
        const std::string line = PageLine(n);
        out << line;
        written += line.size();
    }
    return p;
}

// The host: a form holding the control, and a sink that answers OnFind
// with a plain substring search, as the editor window does.
struct Host {
    std::unique_ptr<QWidget> form;
    std::unique_ptr<ControlHost> control;
    int changed = 0;  // OnFindChangeEnd's count
    long finds = 0;   // OnFind calls

    bool Make(QString* error) {
        form = std::make_unique<QWidget>();
        control = bench_support::ControlInForm(*form, error);
        if (!control) return false;
        control->SetFontName(QStringLiteral("IPAGothic"));
        control->Put(dispid::Column, 72);
        control->Put(dispid::WordWrap, true);
        control->ReDesign();
        QObject::connect(control.get(), &ControlHost::find,
                         [this](const QString& str, const QString& findchr, int, int& x, int&) {
                             ++finds;
                             x = quenby::InStrByte(1, str.toStdU16String(), findchr.toStdU16String(), 0);
                         });
        QObject::connect(control.get(), &ControlHost::findChangeEnd,
                         [this](const QString&, const QString&, int count) { changed = count; });
        return bench_support::ShowForm(*form, error);
    }

    bool Load(int mb) {
        const bool ok = control->Function<bool>(dispid::LoadFromFile, QString::fromStdString(Page(mb).string()));
        // Whatever the load left to paint reaches the screen untimed.
        control->Window()->repaint();
        QCoreApplication::processEvents();
        return ok;
    }

    ~Host() {
        control.reset();  // before the form, which holds its window
        form.reset();
    }
};

Host* host = nullptr;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

// Replace-all of "font" by "strong" from the top, no confirmation: one
// OnFind per searched row, every hit replaced.
void BM_ReplaceAll(benchmark::State& state) {
    const int mb = static_cast<int>(state.range(0));
    Host& h = *host;
    for (auto _ : state) {
        if (!h.Load(mb)) {
            state.SkipWithError("the page did not load");
            return;
        }
        h.changed = 0;
        h.finds = 0;
        const auto t0 = Clock::now();
        h.control->Call(dispid::FindChange, QStringLiteral("font"), QStringLiteral("strong"), true, false, true);
        h.control->Window()->repaint();
        const auto t1 = Clock::now();
        state.SetIterationTime(Seconds(t0, t1));
        state.counters["hits"] = h.changed;
        state.counters["finds"] = static_cast<double>(h.finds);
        state.counters["us_per_hit"] = h.changed ? Seconds(t0, t1) * 1e6 / h.changed : 0;
    }
}
BENCHMARK(BM_ReplaceAll)->Arg(1)->Arg(10)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Types n characters into the middle of the visible rows.
void TypeCharacters(QWidget* w, int n) {
    static const char kKeys[] = "abcdefghijklmnopqrstuvwxyz";
    for (int i = 0; i < n; ++i) QTest::keyClick(w, kKeys[i % 26]);
}

void PlaceCaretMidView(ControlHost& c) {
    c.Function<bool>(dispid::CurSet, 20, 10, 0);
    c.Window()->repaint();
}

// 1,000 characters typed one by one, then taken back by 1,000 calls of
// Undo (timed), then put back by 1,000 calls of Redo (timed apart).
void BM_UndoTyped(benchmark::State& state) {
    const int mb = static_cast<int>(state.range(0));
    Host& h = *host;
    constexpr int kChars = 1000;
    for (auto _ : state) {
        h.Load(mb);
        PlaceCaretMidView(*h.control);
        TypeCharacters(h.control->Window(), kChars);
        h.control->Window()->repaint();
        auto t0 = Clock::now();
        for (int i = 0; i < kChars; ++i) h.control->Call(dispid::Undo);
        h.control->Window()->repaint();
        auto t1 = Clock::now();
        state.SetIterationTime(Seconds(t0, t1));
        state.counters["undo_ms"] = Seconds(t0, t1) * 1e3;
        t0 = Clock::now();
        for (int i = 0; i < kChars; ++i) h.control->Call(dispid::Redo);
        h.control->Window()->repaint();
        t1 = Clock::now();
        state.counters["redo_ms"] = Seconds(t0, t1) * 1e3;
        state.counters["modified_after_redo"] = h.control->Modified();
    }
}
BENCHMARK(BM_UndoTyped)->Arg(1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// 1,000 characters as key events to the control's window. The control
// paints the rows each key changed into its window surface as it types;
// with shown = 1 every key's frame also reaches the screen (the
// event loop's turn after each key), as when a person types.
void BM_TypeKeys(benchmark::State& state) {
    const int mb = static_cast<int>(state.range(0));
    const bool shown = state.range(1) != 0;
    Host& h = *host;
    constexpr int kChars = 1000;
    for (auto _ : state) {
        h.Load(mb);
        PlaceCaretMidView(*h.control);
        QWidget* w = h.control->Window();
        const auto t0 = Clock::now();
        static const char kKeys[] = "abcdefghijklmnopqrstuvwxyz";
        for (int i = 0; i < kChars; ++i) {
            QTest::keyClick(w, kKeys[i % 26]);
            if (shown) QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        const auto t1 = Clock::now();
        state.SetIterationTime(Seconds(t0, t1));
        state.counters["us_per_key"] = Seconds(t0, t1) * 1e6 / kChars;
    }
}
BENCHMARK(BM_TypeKeys)
    ->ArgNames({"mb", "shown"})
    ->Args({1, 0})
    ->Args({10, 0})
    ->Args({10, 1})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// From the load call to the window painted, wrap on; load_ms is the load
// call alone, paint_ms the first paint after it; rows past the first
// screen are split afterwards (rest_ms). With wrap off the same shows what
// splitting without wrapping costs.
void FirstPaint(benchmark::State& state, bool wrap) {
    const int mb = static_cast<int>(state.range(0));
    Host& h = *host;
    Page(mb);
    h.control->Put(dispid::WordWrap, wrap);
    for (auto _ : state) {
        h.control->Clear();
        h.control->Window()->repaint();
        const auto t0 = Clock::now();
        const bool loaded =
            h.control->Function<bool>(dispid::LoadFromFile, QString::fromStdString(Page(mb).string()));
        const auto t1 = Clock::now();
        if (!loaded) {
            state.SkipWithError("the page did not load");
            return;
        }
        h.control->Window()->repaint();
        const auto t2 = Clock::now();
        state.SetIterationTime(Seconds(t0, t2));
        state.counters["load_ms"] = Seconds(t0, t1) * 1e3;
        state.counters["paint_ms"] = Seconds(t1, t2) * 1e3;
        // The rows not on the first screen are split when the window is
        // idle; asking for the count splits them now: rest_ms.
        const auto t3 = Clock::now();
        state.counters["rows"] = h.control->Get<int>(dispid::AxLinesCount);
        state.counters["rest_ms"] = Seconds(t3, Clock::now()) * 1e3;
        // Let whatever the control left for later finish before the next round.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    h.control->Put(dispid::WordWrap, true);
}
void BM_FirstPaintWrapped(benchmark::State& s) { FirstPaint(s, true); }
void BM_FirstPaintUnwrapped(benchmark::State& s) { FirstPaint(s, false); }
BENCHMARK(BM_FirstPaintWrapped)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPaintUnwrapped)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

long StatusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string k;
    long v = 0;
    while (in >> k) {
        if (k == key) {
            in >> v;
            return v;
        }
        std::getline(in, k);
    }
    return 0;
}

// The resident memory a 50 MB page adds once loaded and wrapped, per
// stored line (row): what the store and its indexes cost. Run it alone
// (--benchmark_filter=Memory) for a clean peak figure.
void BM_Memory(benchmark::State& state) {
    const int mb = static_cast<int>(state.range(0));
    Host& h = *host;
    Page(mb);
    for (auto _ : state) {
        h.control->Clear();
        QCoreApplication::processEvents();
        malloc_trim(0);
        const long before = StatusKb("VmRSS:");
        h.Load(mb);
        // The count splits every row still pending before it is measured.
        const long rows = h.control->Get<int>(dispid::AxLinesCount);
        QCoreApplication::processEvents();
        malloc_trim(0);
        const long after = StatusKb("VmRSS:");
        state.counters["rss_added_mb"] = (after - before) / 1024.0;
        state.counters["peak_rss_mb"] = StatusKb("VmHWM:") / 1024.0;
        state.counters["rows"] = static_cast<double>(rows);
        state.counters["bytes_per_row"] = rows ? (after - before) * 1024.0 / rows : 0;
    }
}
BENCHMARK(BM_Memory)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench_support::RunWithControl(argc, argv, host, &workDir); }

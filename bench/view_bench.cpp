// Painting cost of the view: a full repaint of an 800 x 600 view in the
// middle of a large wrapped document, and paging down through it. Both must cost
// in proportion to the rows on screen, not to the document: the document
// size is an argument so the figures can be compared.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "control/view/tarn_edit_view.h"
#include "platform/codepage/codepage.h"
#include "platform/messages/messages.h"

namespace {

using tarn::view::TTarnEditView;
namespace msg = platform::messages;

// About `bytes` of mixed Japanese and ASCII text in rows of 40-70 bytes.
std::string Document(std::size_t bytes) {
    const std::string pieces[] = {
        platform::codepage::Utf8ToBytes("日本語の文章と ASCII text が混ざった行です。"),
        platform::codepage::Utf8ToBytes("> 引用\tタブ区切り\tの行　全角スペース"),
        platform::codepage::Utf8ToBytes("URL: http://www.example.co.jp/index.html を参照。長い行は桁で折り返されて、次の行に続きます。"),
        std::string("plain ascii row with some words in it, numbers 12345"),
    };
    std::string text;
    text.reserve(bytes + 128);
    for (std::size_t i = 0; text.size() < bytes; ++i) {
        text += pieces[i % 4];
        text += "\r\n";
    }
    return text;
}

struct Fixture {
    explicit Fixture(std::size_t bytes) {
        view = std::make_unique<TTarnEditView>();
        view->resize(800, 600);
        // Wrapped at the default 72 columns: the long rows of the sample
        // become several stored rows each.
        view->Editor().SetWordWrap(true, false);
        view->show();
        QApplication::processEvents();  // exposed, so repaint() paints now
        view->ReDesign();
        view->Editor().SetText(Document(bytes));
        view->Editor().CurSet(0, view->Editor().LineCount() / 2, tarn::Txmovemode::setcenter);
        view->repaint();
    }
    std::unique_ptr<TTarnEditView> view;
};

Fixture& Shared(std::size_t megabytes) {
    static std::unique_ptr<Fixture> f;
    static std::size_t size = 0;
    if (!f || size != megabytes) {
        f.reset();
        f = std::make_unique<Fixture>(megabytes << 20);
        size = megabytes;
    }
    return *f;
}

void BM_FullRepaint(benchmark::State& state) {
    Fixture& f = Shared(static_cast<std::size_t>(state.range(0)));
    f.view->Editor().CurSet(0, f.view->Editor().LineCount() / 2, tarn::Txmovemode::setcenter);
    for (auto _ : state) f.view->RepaintAll();
    state.counters["rows"] = f.view->Editor().ClLineCount;
    state.counters["lines"] = f.view->Editor().LineCount();
    int segments = 0;
    for (int i = 0; i < f.view->Editor().LineCount(); i += 97)
        segments += tarn::IsWrapSegment(f.view->Editor().Lines.Line(i));
    state.counters["wrapped%"] = 100.0 * segments / (f.view->Editor().LineCount() / 97 + 1);
}
BENCHMARK(BM_FullRepaint)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// One iteration pages down 1,000 times, each page painted as the paint
// message paints it.
void BM_PageDown1000(benchmark::State& state) {
    Fixture& f = Shared(static_cast<std::size_t>(state.range(0)));
    auto& e = f.view->Editor();
    for (auto _ : state) {
        state.PauseTiming();
        e.CurSet(0, e.LineCount() / 4, tarn::Txmovemode::settop);
        f.view->repaint();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            f.view->WndProc(msg::WM_VSCROLL, msg::SB_PAGEDOWN, 0);
            f.view->repaint();
        }
    }
    state.counters["top"] = e.ClOffsetY;
    state.counters["painted"] = f.view->Surface().isNull() ? 0 : 1;
}
BENCHMARK(BM_PageDown1000)->Arg(10)->Unit(benchmark::kMillisecond);

// The same full repaint with fewer rows on screen: the cost follows them.
void BM_FullRepaintHalfHeight(benchmark::State& state) {
    Fixture& f = Shared(10);
    f.view->resize(800, 300);
    f.view->repaint();
    for (auto _ : state) f.view->RepaintAll();
    state.counters["rows"] = f.view->Editor().ClLineCount;
    f.view->resize(800, 600);
    f.view->repaint();
}
BENCHMARK(BM_FullRepaintHalfHeight)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// A preview refresh as a person sees it: from the editor's RefreshTempFile
// (the page written, caught, converted, written again) to the preview
// window reporting the page loaded, for a 10 KB page in the default screen.
// A real control created through a registry of the benchmark's own and the
// program's own preview window, off screen.
//
// Goal: an edited page is on screen within 150 ms of the refresh.
#include <benchmark/benchmark.h>

#include "program_folder.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>
#include <memory>
#include <unistd.h>

#include "host/preview/event_wait.h"
#include "host/preview/mobile_browser.h"
#include "host/shell/edit_form.h"
#include "host/shell/program_windows.h"

namespace {

QString Page(int bytes) {
    QString page = QStringLiteral("<HTML><HEAD><TITLE>ベンチ</TITLE></HEAD><BODY>\r\n");
    for (int i = 0; page.size() * 2 < bytes; ++i)
        page += QStringLiteral("<FONT color=\"#FF0000\" style=\"font-size:small\">お知らせ %1</FONT>&#63647;"
                               "<A href=\"p%1.html\" accesskey=\"%2\">次へ</A><BR>\r\n")
                    .arg(i)
                    .arg(i % 10);
    return page + QStringLiteral("</BODY></HTML>\r\n");
}

struct Program {
    quenby::shell::AppSettings settings;
    quenby::shell::ProgramWindows windows;
    std::unique_ptr<quenby::shell::EditForm> form;
};
Program* program = nullptr;

void BM_RefreshToPageShown(benchmark::State& state) {
    quenby::preview::MobileBrowser* browser = program->windows.PreviewWindow();
    QSignalSpy shown(browser, &quenby::preview::MobileBrowser::PageShown);
    for (auto _ : state) {
        const int before = shown.count();
        program->form->RefreshTempFile();
        if (!quenby::preview::RunEventsUntil([&] { return shown.count() > before; }, 10000)) {
            state.SkipWithError("the preview did not show the page");
            break;
        }
    }
}
BENCHMARK(BM_RefreshToPageShown)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    bench_support::BenchProgramFolder folder;
    if (!folder.Registered()) {
        std::fprintf(stderr, "the control could not be registered\n");
        return 1;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        Program p;
        p.settings.TimeAutoRefresh = false;
        p.form = std::make_unique<quenby::shell::EditForm>(p.settings, &p.windows.Preview());
        p.windows.Preview().Load();
        p.form->Form_Load();
        p.form->show();
        p.windows.ShowPreview(p.form.get());
        p.form->Control()->SetText(Page(10 * 1024));
        program = &p;
        benchmark::RunSpecifiedBenchmarks();
        program = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}

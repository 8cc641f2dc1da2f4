#include "host/checker/page_checker.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quenby::checker;
using quenby::HandsetProfile;

HandsetProfile Profile() {
    HandsetProfile p;
    p.version = QStringLiteral("7.0");
    for (const char* e : {"HTML", "HEAD", "TITLE", "BODY", "A", "BR", "P", "DIV", "FONT", "IMG"})
        p.elements.insert(QString::fromLatin1(e));
    for (const char* a : {"A.HREF", "A.NAME", "A.ACCESSKEY", "DIV.ALIGN", "FONT.COLOR", "IMG.SRC"})
        p.attributes.insert(QString::fromLatin1(a));
    p.limitBytes = 102400;
    p.screen = QSize(240, 320);
    p.agent = QStringLiteral("bench");
    p.extendedPictographs = true;
    return p;
}

// Japanese text, tags with attributes, references and pictographs, about 100 KB.
QString Page() {
    QString page = QStringLiteral("<html><head><title>bench</title></head><body>\n");
    int line = 0;
    while (page.size() < 100 * 1024) {
        page += QStringLiteral("<div align=\"center\"><a name=\"n%1\" href=\"p%1.html\">").arg(line);
        page += QString::fromUtf8("日本語のテキストです") + QChar(0xE63E);
        page += QStringLiteral("</a> &#63647; <font color=#ff0000>text</font><br>\n</div>\n");
        ++line;
    }
    return page + QStringLiteral("</body></html>\n");
}

void BM_CheckPage(benchmark::State& state) {
    const HandsetProfile profile = Profile();
    const QString page = Page();
    for (auto _ : state) benchmark::DoNotOptimize(CheckPage(page, profile, {}));
    state.SetBytesProcessed(state.iterations() * page.size() * 2);
    state.SetLabel("goal: under 5 ms");
}
BENCHMARK(BM_CheckPage)->Unit(benchmark::kMillisecond);

}  // namespace

// The preview's page conversion (link rules, then the markup rewriting) on
// generated i-mode pages. The goal: a 100 KB page in under 10 ms in a
// Release build. Pages whose tags repeat are the usual case; the page where
// every tag is distinct is the worst case of the one-replace-per-tag rule.
#include <benchmark/benchmark.h>

#include <QString>

#include "host/preview/html_conv.h"
#include "host/preview/page_conversion.h"

namespace {

using quenby::preview::HTMLConv;
using quenby::preview::RewriteLinks;

const QString kUrl = QStringLiteral("http://example.jp/imode/index.html");
const QString kFolder = QStringLiteral("/opt/quenby");

// One line of a portal-like page; `variant` picks among a few repeating
// forms, or, with distinct set, makes every tag of the line unique.
QString Line(int i, bool distinct) {
    const int v = distinct ? i : i % 8;
    const QString colour = QStringLiteral("#%1").arg((v * 2654435761u) & 0xffffff, 6, 16, QLatin1Char('0'));
    switch (i % 6) {
    case 0:
        return QStringLiteral("<font style=\"font-size:10px;color:%1\">&#%2;ニュース速報</font><br>\r\n")
            .arg(colour)
            .arg(63647 + i % 94);
    case 1:
        return QStringLiteral("<a href=\"news/%1.html\" style=\"color:%2;font-size:small\" accesskey=\"%3\">"
                              "&#%4;記事の見出し %1</a><br>\r\n")
            .arg(v)
            .arg(colour)
            .arg(i % 10)
            .arg(63879 + i % 10);
    case 2:
        return QStringLiteral("<span style=\"font-family:MS Gothic; font-weight:bold; color:%1\">本文のテキスト、"
                              "全角と  ASCII text が混ざる行</span>\r\n")
            .arg(colour);
    case 3:
        return QStringLiteral("<div align=\"center\" style=\"margin:0;padding:2px;background-color:%1\">"
                              "<img src=\"img/banner%2.gif\" width=\"120\" height=\"30\"></div>\r\n")
            .arg(colour)
            .arg(v);
    case 4:
        return QStringLiteral("<hr color=\"%1\"><a href=\"/top.html\" style='color:%1'>トップへ</a>&#63920;\r\n")
            .arg(colour);
    default:
        return QStringLiteral("<marquee><font color=\"%1\" style=\"font-size : large\">お知らせ %2</font>"
                              "</marquee><br>\r\n")
            .arg(colour)
            .arg(v);
    }
}

QString Page(qsizetype bytes, bool distinct) {
    QString page = QStringLiteral(
        "<html>\r\n<head><title>i-mode</title></head>\r\n"
        "<body bgcolor=\"#ffffff\" style=\"font-size:medium;margin:0\">\r\n");
    // Sized in UTF-8 bytes, as the file would be.
    qsizetype size = page.toUtf8().size();
    for (int i = 0; size < bytes; ++i) {
        const QString line = Line(i, distinct);
        size += line.toUtf8().size();
        page += line;
    }
    page += QStringLiteral("</body>\r\n</html>\r\n");
    return page;
}

void Convert(benchmark::State& state, bool distinct) {
    const QString page = Page(state.range(0), distinct);
    for (auto _ : state) {
        QString out = HTMLConv(RewriteLinks(page, kUrl), kFolder);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_RepeatingTags(benchmark::State& state) { Convert(state, false); }
void BM_DistinctTags(benchmark::State& state) { Convert(state, true); }

BENCHMARK(BM_RepeatingTags)->Arg(10 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistinctTags)->Arg(100 << 10)->Unit(benchmark::kMillisecond);

}  // namespace

// Tag colouring as the editor window runs it: inside the control's painting,
// for every painted row. A real control created through a registry of the
// benchmark's own, its window 800 x 600, a dense page of 2,400 rows with
// several tags on each, and the shipped tag lists.
//
// Goals: a full repaint with the colouring on takes at most twice as long
// as with it off, and a typed character (with its repaint and colouring)
// takes less than 1 ms.
#include <benchmark/benchmark.h>

#include "control_bench_main.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "host/common/control_host.h"
#include "host/common/text_file.h"
#include "host/shell/tag_colouring.h"
#include "host/shell/tag_lists.h"

namespace {

namespace fs = std::filesystem;
using quenby::ControlHost;
using quenby::shell::AppSettings;

QString DensePage(int rows) {
    static const char* const kRows[] = {
        "<p align=\"center\"><font color=\"#ff0000\">日本語のテキスト %1</font><br></p>",
        "<a href=\"page%1.htm\" accesskey=\"1\">リンク %1</a> | <a href=\"top.htm\" name=\"t%1\">戻る</a><br>",
        "<img src=\"img%1.gif\" width=\"120\" height=\"80\" alt=\"画像\"><hr size=\"2\" width=\"100%\" noshade>",
        "<!-- comment %1 --><div align=\"left\"><blink>点滅</blink> and <marquee loop=\"3\">流れる</marquee></div>",
        "<input type=\"text\" name=\"q%1\" size=\"10\" maxlength=\"20\" istyle=\"1\"><br clear=\"all\">",
        "<dl><dt>項目 %1</dt><dd>説明の文章がここに入ります。</dd></dl><ul type=\"disc\"><li>一</li></ul>",
    };
    QStringList lines;
    for (int i = 0; i < rows; ++i) lines << QString::fromUtf8(kRows[i % 6]).arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

QStringList ShippedList(const char* file) {
    return quenby::shell::ParseTagList(
        QString::fromStdU16String(quenby::ReadTextFile(fs::path(QUENBY_DATA_DIR) / file)));
}

// The editor as the window holds it, made once for all benchmarks.
struct Editor {
    std::unique_ptr<QWidget> form;
    std::unique_ptr<ControlHost> control;
    AppSettings settings;
    QString page;
    // What the window does while the control paints: nothing or the whole
    // colouring; and, to see where the time goes, only finding the runs, or
    // finding them and making calls that the control takes but paints
    // nothing for. Joined paints the same pixels with fewer calls (runs of
    // one colour that touch become one; tags first, then comments, then
    // attributes, the order they have within a tag): what merging the runs
    // on the host's side would gain.
    enum class Mode { Off, On, FindOnly, FindAndCall, Joined } mode = Mode::On;
    std::size_t events = 0;
    std::size_t runsMade = 0;

    void Colour(int l1, int l2, int dx1, int dy1, int dx2, int dy2) {
        namespace dispid = tarnedit::dispid;
        ++events;
        if (mode == Mode::Off) return;
        if (mode == Mode::On) {
            quenby::shell::ApplyTagColouring(*control, settings, l1, l2, dx1, dy1, dx2, dy2);
            return;
        }
        const auto runs = quenby::shell::ColourTags(
            l1, l2, [this](int i) { return control->Function<QString>(dispid::AxGetLines, i); }, settings.HTMLTagList,
            settings.CommentTagList, {settings.HTMLTagColor, settings.HTMLTagColor2, settings.CommentTagColor});
        if (mode == Mode::FindOnly) {
            runsMade += runs.size();
            return;
        }
        const quenby::com::OLE_COLOR back(control->Get<std::uint32_t>(dispid::Color));
        if (mode == Mode::FindAndCall) {
            // A run of length 0 goes through the whole dispatch and is then
            // ignored by the control.
            runsMade += runs.size();
            for (const auto& r : runs)
                control->Call(dispid::SetTxtColor2, r.x, r.y, 0, quenby::com::OLE_COLOR(r.colour), back, false, dx1,
                              dy1, dx2, dy2);
            return;
        }
        const auto rank = [this](std::uint32_t c) {
            return c == settings.HTMLTagColor ? 0 : c == settings.CommentTagColor ? 1 : 2;
        };
        std::vector<quenby::shell::ColourRun> joined(runs.begin(), runs.end());
        std::stable_sort(joined.begin(), joined.end(), [&](const auto& a, const auto& b) {
            return std::make_tuple(a.y, rank(a.colour), a.x) < std::make_tuple(b.y, rank(b.colour), b.x);
        });
        std::vector<quenby::shell::ColourRun> out;
        for (const auto& r : joined) {
            if (!out.empty() && out.back().y == r.y && out.back().colour == r.colour &&
                r.x <= out.back().x + out.back().length)
                out.back().length = std::max(out.back().length, r.x + r.length - out.back().x);
            else
                out.push_back(r);
        }
        runsMade += out.size();
        for (const auto& r : out)
            control->Call(dispid::SetTxtColor2, r.x, r.y, r.length, quenby::com::OLE_COLOR(r.colour), back, false,
                          dx1, dy1, dx2, dy2);
    }

    bool Make(QString* error) {
        form = std::make_unique<QWidget>();
        control = bench_support::ControlInForm(*form, error);
        if (!control) return false;
        settings.HTMLTagList = ShippedList("HtmlText.ctd");
        settings.CommentTagList = ShippedList("CommentText.ctd");
        settings.HTMLTagColor = quenby::RGB(0, 0, 255);
        settings.HTMLTagColor2 = quenby::RGB(255, 0, 0);
        settings.CommentTagColor = quenby::RGB(0, 128, 0);
        QObject::connect(control.get(), &ControlHost::userClientDraw,
                         [this](int l1, int l2, int dx1, int dy1, int dx2, int dy2) { Colour(l1, l2, dx1, dy1, dx2, dy2); });
        page = DensePage(2400);
        control->SetText(page);
        return bench_support::ShowForm(*form, error);
    }
};

Editor* editor = nullptr;

const char* const kModeNames[] = {"colouring off", "colouring on", "finding only", "finding and empty calls",
                                  "joined runs"};

void SetMode(benchmark::State& state) {
    editor->mode = static_cast<Editor::Mode>(state.range(0));
    editor->runsMade = 0;
    editor->events = 0;
    state.SetLabel(kModeNames[state.range(0)]);
}

// RefreshLine repaints every visible row at once, raising the colouring
// event row by row, as the window's own full repaint does.
void BM_FullRepaint(benchmark::State& state) {
    SetMode(state);
    for (auto _ : state) editor->control->RefreshLine();
    state.counters["rows"] = static_cast<double>(editor->events) / static_cast<double>(state.iterations());
    if (editor->runsMade)
        state.counters["runs"] = static_cast<double>(editor->runsMade) / static_cast<double>(state.iterations());
    editor->mode = Editor::Mode::On;
}
BENCHMARK(BM_FullRepaint)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// The same through the widget: everything invalidated, then repaint().
void BM_WidgetRepaint(benchmark::State& state) {
    SetMode(state);
    QWidget* w = editor->control->Window();
    for (auto _ : state) {
        editor->control->ReDesign();
        w->repaint();
    }
    editor->mode = Editor::Mode::On;
}
BENCHMARK(BM_WidgetRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One character typed into a row full of tags (row 7 of the view): the
// control inserts it and repaints the row, which the window colours. The
// character is taken back untimed, so every round types into the same row.
void BM_TypeCharacter(benchmark::State& state) {
    SetMode(state);
    ControlHost& c = *editor->control;
    QWidget* w = c.Window();
    c.Function<bool>(tarnedit::dispid::CurSet, 30, 7, 0);
    c.RefreshLine();
    for (auto _ : state) {
        QTest::keyClick(w, Qt::Key_A);
        state.PauseTiming();
        QTest::keyClick(w, Qt::Key_Backspace);
        state.ResumeTiming();
    }
    editor->mode = Editor::Mode::On;
}
BENCHMARK(BM_TypeCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The finding alone, without the control: every row of the page.
void BM_ColourTagsWholePage(benchmark::State& state) {
    const QStringList rows = editor->page.split(QStringLiteral("\r\n"));
    const quenby::shell::TagColours colours{1, 2, 3};
    std::size_t runs = 0;
    for (auto _ : state) {
        const auto r = quenby::shell::ColourTags(
            0, static_cast<int>(rows.size()) - 1, [&](int i) { return rows[i]; }, editor->settings.HTMLTagList,
            editor->settings.CommentTagList, colours);
        runs = r.size();
        benchmark::DoNotOptimize(r.data());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
    state.counters["runs"] = static_cast<double>(runs);
    state.SetItemsProcessed(state.iterations() * rows.size());
}
BENCHMARK(BM_ColourTagsWholePage)->Unit(benchmark::kMicrosecond);

// A 100 KB row with thousands of tags.
void BM_ColourTagsLongRow(benchmark::State& state) {
    QString row;
    while (row.size() < 100000) row += QStringLiteral("<a href=\"x.htm\">日本</a><br>");
    const quenby::shell::TagColours colours{1, 2, 3};
    for (auto _ : state) {
        const auto r = quenby::shell::ColourTags(0, 0, [&](int) { return row; }, editor->settings.HTMLTagList,
                                                 editor->settings.CommentTagList, colours);
        benchmark::DoNotOptimize(r.data());
    }
    state.SetBytesProcessed(state.iterations() * row.size() * 2);
}
BENCHMARK(BM_ColourTagsLongRow)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return bench_support::RunWithControl(argc, argv, editor); }

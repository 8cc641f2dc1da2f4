#include "host/preview/render_command.h"

#include "host/common/program_folder.h"
#include "host/common/text_file.h"
#include "host/preview/event_wait.h"
#include "host/preview/mobile_browser.h"
#include "host/preview/skin_layout.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QTimer>

#include <cstdio>
#include <system_error>

namespace quenby::preview {
namespace {

struct RenderArguments {
    QString page, output, skin, url;
};

void Complain(const QString& message) {
    std::fprintf(stderr, "quenby: %s\n", message.toLocal8Bit().constData());
}

std::optional<RenderArguments> Parse(const QStringList& arguments) {
    RenderArguments a;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        auto value = [&](QString& into) {
            if (i + 1 >= arguments.size()) return false;
            into = arguments[++i];
            return true;
        };
        if (arg == QLatin1String("--render")) {
            if (!value(a.page)) return std::nullopt;
        } else if (arg == QLatin1String("-o")) {
            if (!value(a.output)) return std::nullopt;
        } else if (arg == QLatin1String("--skin")) {
            if (!value(a.skin)) return std::nullopt;
        } else if (arg == QLatin1String("--url")) {
            if (!value(a.url)) return std::nullopt;
        } else {
            Complain(QStringLiteral("unknown argument: ") + arg);
            return std::nullopt;
        }
    }
    if (a.page.isEmpty() || a.output.isEmpty()) return std::nullopt;
    return a;
}

// A skin named on the command line: a path as given, else a name in the
// program's skin folder.
std::filesystem::path FindSkin(const QString& name, const std::filesystem::path& programFolder) {
    std::error_code ec;
    const std::filesystem::path given = ToPath(name);
    if (std::filesystem::is_regular_file(given, ec)) return given;
    return SkinFilePath(programFolder, name);
}

}  // namespace

bool IsRenderCommand(const QStringList& arguments) { return arguments.contains(QStringLiteral("--render")); }

int RunRenderCommand(const QStringList& arguments, const std::filesystem::path& programFolder,
                     const std::filesystem::path& settingsFile) {
    const std::optional<RenderArguments> args = Parse(arguments);
    if (!args) {
        Complain(QStringLiteral("usage: quenby --render PAGE -o shot.png [--skin FILE] [--url URL]"));
        return 2;
    }
    const TextFile page = ReadTextFileChecked(ToPath(args->page));
    if (page.status == ReadStatus::Missing || page.status == ReadStatus::Unreadable) {
        Complain(QStringLiteral("cannot read the page ") + args->page +
                 (page.error.empty() ? QString() : QStringLiteral(": ") + QString::fromStdString(page.error)));
        return 1;
    }
    std::filesystem::path skinFile;
    if (!args->skin.isEmpty()) {
        skinFile = FindSkin(args->skin, programFolder);
        if (!ReadSkinFile(skinFile)) {
            Complain(QStringLiteral("cannot read the skin ") + args->skin);
            return 1;
        }
    }

    // Its own temporary folder: a preview window of a running program keeps
    // its preview file.
    QTemporaryDir temporary;
    if (!temporary.isValid()) {
        Complain(QStringLiteral("cannot make a temporary folder"));
        return 1;
    }
    MobileBrowser browser({programFolder, ToPath(temporary.path()), settingsFile});
    if (!args->skin.isEmpty()) {
        browser.LoadSkinFile(skinFile);
        const SkinLayout& layout = browser.Layout();
        if (!layout.background.empty() && QImage(FromPath(layout.background)).isNull()) {
            Complain(QStringLiteral("cannot read the skin's picture ") + FromPath(layout.background));
            return 1;
        }
    }
    browser.show();

    bool shown = false, ok = false;
    QObject::connect(&browser, &MobileBrowser::PageShown, [&](bool success) {
        shown = true;
        ok = success;
    });
    browser.TempFileNavigate(args->page, args->url);
    if (!RunEventsUntil([&] { return shown; }, 30000) || !ok) {
        Complain(QStringLiteral("the page did not load: ") + args->page);
        return 1;
    }
    // A still picture cannot scroll: each marquee is drawn with its text at
    // the start of its line, as a handset shows it before it moves, so that
    // every render of the page is the same picture. (Done from the
    // program's own script world; the page's scripts stay off.)
    bool settled = false;
    browser.SeenBrowser()->page()->runJavaScript(
        QStringLiteral("for (const m of Array.from(document.querySelectorAll('marquee'))) {"
                       " const d = document.createElement('div');"
                       " d.style.cssText = 'overflow:hidden;white-space:nowrap;' + (m.getAttribute('style') || '');"
                       " if (m.getAttribute('bgcolor')) d.style.backgroundColor = m.getAttribute('bgcolor');"
                       " while (m.firstChild) d.appendChild(m.firstChild);"
                       " m.replaceWith(d); }"),
        QWebEngineScript::ApplicationWorld, [&](const QVariant&) { settled = true; });
    RunEventsUntil([&] { return settled; }, 5000);
    // The engine paints after the load has finished, pictures a frame or
    // two after the text: the picture is taken once it has stayed the same
    // for a while (a page that never settles, a marquee say, is taken as it
    // stands after a few seconds).
    QImage last;
    QElapsedTimer unchanged;
    unchanged.start();
    RunEventsUntil(
        [&] {
            QImage now = browser.BrowseArea()->grab().toImage();
            if (now != last) unchanged.restart();
            last = std::move(now);
            return unchanged.elapsed() >= 250;
        },
        5000);
    // With a skin the picture keeps its own transparency around the phone;
    // only the screen comes from the window.
    const SkinLayout& layout = browser.Layout();
    QImage picture(layout.background.empty() ? QString() : FromPath(layout.background));
    if (!last.isNull() && !picture.isNull() && picture.size() == last.size()) {
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(layout.screen.topLeft(), last.copy(layout.screen));
        painter.end();
        last = picture;
    }
    if (last.isNull() || !last.save(args->output, "PNG")) {
        Complain(QStringLiteral("cannot write ") + args->output);
        return 1;
    }
    return 0;
}

}  // namespace quenby::preview

// Quenby: an HTML editor for i-mode pages.
#include <QApplication>
#include <QTimer>

#include "host/checker/check_command.h"
#include "host/common/message_box.h"
#include "host/common/program_folder.h"
#include "host/preview/render_command.h"
#include "host/shell/app_settings.h"
#include "host/shell/command_line.h"
#include "host/shell/program_windows.h"
#include "host/shell/startup.h"
#include "host/shell/translations.h"

#include <unistd.h>

namespace {

bool HasDisplay() {
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool AsksForRender(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--render") == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // A check prints and exits: no window, so no display either.
    if (quenby::checker::IsCheckCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return quenby::checker::RunCheckCommand(QCoreApplication::arguments(), quenby::ProgramFolder());
    }
    const bool render = AsksForRender(argc, argv);
    // A render needs no display: without one it draws off screen.
    if (render && !HasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The browser engine refuses its sandbox to the super-user.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(quenby::ProgramTitle());
    quenby::shell::LoadQtTranslations(app);

    if (render)
        return quenby::preview::RunRenderCommand(QApplication::arguments(), quenby::ProgramFolder(),
                                                 quenby::INIFilePath());

    quenby::shell::AppSettings settings;
    quenby::shell::ProgramWindows windows;
    quenby::shell::Startup startup(settings, windows, quenby::shell::CommandText(QApplication::arguments()));
    // Benchmarks time the whole start: the program ends as soon as the
    // editor window is usable.
    if (qEnvironmentVariableIsSet("QUENBY_QUIT_WHEN_READY"))
        startup.onReady = [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); };
    startup.Main();
    return QApplication::exec();
}

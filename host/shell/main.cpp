// Quenby: an HTML editor for i-mode pages.
#include <QApplication>
#include <QTimer>

#include "host/common/message_box.h"
#include "host/shell/app_settings.h"
#include "host/shell/command_line.h"
#include "host/shell/program_windows.h"
#include "host/shell/startup.h"
#include "host/shell/translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(quenby::ProgramTitle());
    quenby::shell::LoadQtTranslations(app);

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

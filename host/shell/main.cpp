// Quenby: an HTML editor for i-mode pages.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "host/common/message_box.h"
#include "host/shell/app_settings.h"
#include "host/shell/command_line.h"
#include "host/shell/program_windows.h"
#include "host/shell/startup.h"

namespace {

// The program speaks Japanese, so Qt's own buttons and dialogs do too
// (はい, いいえ, キャンセル beside the program's captions).
void LoadQtTranslations(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(quenby::ProgramTitle());
    LoadQtTranslations(app);

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

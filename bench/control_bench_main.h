// The main of the benchmarks that drive windows with a control.
#pragma once

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "host/common/control_host.h"
#include "program_folder.h"

namespace bench_support {

// A control filling a form of 800 x 600, the window every benchmark with a
// control measures; null (and error set) when none could be made.
inline std::unique_ptr<quenby::ControlHost> ControlInForm(QWidget& form, QString* error) {
    form.resize(800, 600);
    std::unique_ptr<quenby::ControlHost> control = quenby::ControlHost::Create(&form, std::string(), error);
    if (control) control->Window()->setGeometry(0, 0, 800, 600);
    return control;
}

// Shows the form and waits until it is on the screen.
inline bool ShowForm(QWidget& form, QString* error) {
    form.show();
    if (QTest::qWaitForWindowExposed(&form)) return true;
    *error = QStringLiteral("the window was not shown");
    return false;
}

// The main of a benchmark of windows with a control: off screen unless told
// otherwise, in a program folder of its own with the control registered, one
// fixture (with `bool Make(QString*)`) made once and handed to the
// benchmarks through `current` while they run.
template <class Fixture>
int RunWithControl(int argc, char** argv, Fixture*& current, std::filesystem::path* folderPath = nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    BenchProgramFolder folder;
    if (!folder.Registered()) {
        std::fprintf(stderr, "the control could not be registered\n");
        return 1;
    }
    if (folderPath) *folderPath = folder.path();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        Fixture f;
        QString error;
        if (!f.Make(&error)) {
            std::fprintf(stderr, "no control: %s\n", qPrintable(error));
            return 1;
        }
        current = &f;
        benchmark::RunSpecifiedBenchmarks();
        current = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench_support

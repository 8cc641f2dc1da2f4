#include "host/shell/program_windows.h"

#include <QTimer>

namespace quenby::shell {

void ProgramWindows::LoadSplash(std::function<void()> tick) {
    // The heavy start-up runs from the splash's first tick, once the event
    // loop runs, so that the splash (when shown) is painted first.
    QTimer::singleShot(100, std::move(tick));
}

void ProgramWindows::Show(Dialog d, EditForm& owner) {
    if (d == Dialog::TemplateSelect) owner.CreateStandardFile(QString());
}

}  // namespace quenby::shell

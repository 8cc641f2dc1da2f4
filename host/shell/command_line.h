// The program's command line as the start-up takes it: everything after
// the program's name as one text, the arguments joined by single spaces,
// quotes and all. The whole text names one document.
#pragma once

#include <QString>
#include <QStringList>

namespace quenby::shell {

// arguments: the program's name first, as QCoreApplication::arguments().
QString CommandText(const QStringList& arguments);

}  // namespace quenby::shell

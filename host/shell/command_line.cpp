#include "host/shell/command_line.h"

namespace quenby::shell {

QString CommandText(const QStringList& arguments) { return arguments.mid(1).join(QLatin1Char(' ')); }

}  // namespace quenby::shell

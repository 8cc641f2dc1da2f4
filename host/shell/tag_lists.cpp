#include "host/shell/tag_lists.h"

namespace quenby::shell {

QStringList ParseTagList(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral(","));
    s.replace(QLatin1Char('\r'), QLatin1Char(','));
    s.replace(QLatin1Char('\n'), QLatin1Char(','));
    do {
        s.replace(QStringLiteral(",,"), QStringLiteral(","));
        s = s.toUpper();
    } while (s.contains(QStringLiteral(",,")));
    if (s.endsWith(QLatin1Char(','))) s.chop(1);
    // Empty lines are no entries: also one at the very start of the file,
    // which the folding above leaves as a leading comma (an empty name
    // would match every tag).
    if (s.startsWith(QLatin1Char(','))) s.remove(0, 1);
    if (s.isEmpty()) return {};
    return s.split(QLatin1Char(','));
}

}  // namespace quenby::shell

#include "host/shell/app_settings.h"

#include <cmath>
#include <limits>

namespace quenby::shell {

QString WriteOptionFlag(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

bool ReadOptionFlag(const QString& value) {
    if (value.isEmpty()) return true;
    if (value.toUpper() == QLatin1String("TRUE")) return true;
    return LeadingNumber(value) == 1.0;
}

QString WriteDisplayFlag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

std::optional<bool> ReadDisplayFlag(const QString& value) {
    const std::optional<double> v = WholeNumber(value);
    if (!v) return std::nullopt;
    return *v != 0.0;
}

QString WriteColour(std::uint32_t colour) {
    return QStringLiteral("&H") + QString::number(colour, 16).toUpper();
}

std::optional<std::uint32_t> ReadColour(const QString& value) {
    const std::optional<double> v = WholeNumber(value);
    if (!v) return std::nullopt;
    const double r = std::round(*v);
    // A negative number is the 32-bit pattern a signed colour value has.
    if (r < std::numeric_limits<std::int32_t>::min() || r > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(r));
}

std::uint32_t ReadTagColour(const QString& value, std::uint32_t fallback) {
    const std::uint32_t c = ReadColour(value).value_or(0);
    return c == 0 ? fallback : c;
}

QString WriteFontSize(double points) {
    QString s = QString::number(points, 'f', 4);
    while (s.contains(QLatin1Char('.')) && (s.endsWith(QLatin1Char('0')) || s.endsWith(QLatin1Char('.')))) s.chop(1);
    return s;
}

std::optional<int> ReadFontSize(const QString& value) {
    const std::optional<double> v = WholeNumber(value);
    if (!v) return std::nullopt;
    const double size = std::floor(*v + 0.25);
    if (size < std::numeric_limits<int>::min() || size > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(size);
}

std::optional<int> ReadInteger(const QString& value) {
    const std::optional<double> v = WholeNumber(value);
    if (!v) return std::nullopt;
    const double r = std::round(*v);
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(r);
}

}  // namespace quenby::shell

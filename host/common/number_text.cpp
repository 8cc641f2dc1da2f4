#include "host/common/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quenby {
namespace {

int DigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Parses a number at text[i...]; returns the value and moves i past it, or
// nothing when no number starts there.
std::optional<double> NumberAt(const QString& text, qsizetype& i) {
    const qsizetype n = text.size();
    if (i + 1 < n && text[i] == QLatin1Char('&')) {
        const QChar kind = text[i + 1].toUpper();
        const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (base == 0) return std::nullopt;
        qsizetype j = i + 2;
        // Unsigned 32-bit: a colour such as &HFFFF or &H80FF is its value,
        // never a negative 16-bit number.
        std::uint64_t v = 0;
        bool any = false;
        for (; j < n; ++j) {
            const int digit = DigitValue(text[j]);
            if (digit < 0 || digit >= base) break;
            v = std::min<std::uint64_t>(v * static_cast<unsigned>(base) + static_cast<unsigned>(digit), 0xFFFFFFFFull);
            any = true;
        }
        if (!any) return std::nullopt;
        i = j;
        return static_cast<double>(v);
    }
    qsizetype j = i;
    if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) ++j;
    const qsizetype digitsFrom = j;
    while (j < n && text[j].isDigit() && text[j].unicode() < 128) ++j;
    qsizetype digits = j - digitsFrom;
    if (j < n && text[j] == QLatin1Char('.')) {
        ++j;
        const qsizetype f = j;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) ++j;
        digits += j - f;
    }
    if (digits == 0) return std::nullopt;
    // An exponent only counts when digits follow it.
    if (j < n && (text[j] == QLatin1Char('E') || text[j] == QLatin1Char('e'))) {
        qsizetype k = j + 1;
        if (k < n && (text[k] == QLatin1Char('+') || text[k] == QLatin1Char('-'))) ++k;
        const qsizetype e = k;
        while (k < n && text[k].isDigit() && text[k].unicode() < 128) ++k;
        if (k > e) j = k;
    }
    bool ok = false;
    double v = text.mid(i, j - i).toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    i = j;
    return v;
}

}  // namespace

double LeadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return NumberAt(text, i).value_or(0.0);
}

std::optional<double> WholeNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::optional<double> v = NumberAt(text, i);
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (!v || i != text.size()) return std::nullopt;
    return v;
}

}  // namespace quenby

// Numbers written in settings and skin files, read the way the files were
// always read: leading blanks skipped, then as much as forms a number.
#pragma once

#include <QString>
#include <optional>

namespace quenby {

// The number at the start of a text: leading blanks skipped, then as much
// as can form a number (sign, digits, one decimal point, an exponent, or
// "&H"/"&O" with hexadecimal or octal digits); 0 when there is none.
double LeadingNumber(const QString& text);
// The whole text (blanks around it allowed) as a number, or nothing.
std::optional<double> WholeNumber(const QString& text);

}  // namespace quenby

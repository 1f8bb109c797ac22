// Number format patterns: the "format" entries of the keyword convert table
// render a decimal number with a pattern of the platform's number-formatter
// syntax ("0", "0.00", "#,##0.0", "00000", a literal prefix such as "¥0").
//
// The rendering is the platform formatter's: ICU's DecimalFormat with the
// POSIX English symbols (decimal point ".", grouping separator ","), so the
// result never depends on the process's locale, and the formatter's default
// rounding, half to even (2.5 -> "2", 3.5 -> "4"). The number is handed over
// as exact decimal text; no binary floating point touches it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conversion/decimal_number.h"

namespace orval {

// number rendered with pattern; none when the pattern is not a valid number format pattern.
std::optional<std::string> formatDecimalWithPattern(const DecimalNumber& number, std::string_view pattern);

}  // namespace orval

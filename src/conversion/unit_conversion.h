// Unit conversions between the internal and the canonical form of the print
// options: lengths (millimetres <-> cep units of 1/14400 inch), print
// position magnifications, and the values stored as scaled integers
// ("Magnification" in tenths, line widths in thousandths, special toner
// replacement ratios in hundredths).
//
// Every function takes the value as stored (text, read with the system's
// decimal reading: junk reads as 0) and answers text. The arithmetic is exact
// decimal arithmetic (DecimalNumber) with rounding half away from zero. A
// value too large to convert (beyond 36 digits) gives an empty string, which
// the conversions treat as "not set". Callers skip empty values themselves.
#pragma once

#include <string>
#include <string_view>

namespace orval {

// Millimetres -> cep: value × 14400 / 25.4, rounded to an integer ("1" -> "567").
std::string convertMmToCep(std::string_view millimetres);
// Cep -> millimetres: value × 25.4 / 14400, rounded to two decimals ("567" -> "1.00").
std::string convertCepToMm(std::string_view cep);
// Print position magnification to percent: integer value / 10 + 100 ("-500" -> "50.0").
std::string convertKORAToMag(std::string_view kora);
// Percent to print position magnification: integer part of (value - 100) × 10 rounded to one
// decimal ("50" -> "-500").
std::string convertMagToKORA(std::string_view percent);
// round(value × 10^digits) as an integer: ("100.0", 1) -> "1000"; ("0.250", 3) -> "250".
std::string decimalToScaledInteger(std::string_view value, int digits);
// Integer value / 10^digits with exactly digits decimals: ("1000", 1) -> "100.0".
std::string scaledIntegerToDecimal(std::string_view value, int digits);
// A crease position measured from the other end of the sheet: integer length - integer position,
// ("56693", "5669") -> "51024"; a position beyond the length gives a negative result.
std::string mirroredPosition(std::string_view length, std::string_view position);

}  // namespace orval

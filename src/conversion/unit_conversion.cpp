#include "conversion/unit_conversion.h"

#include <optional>

#include "conversion/decimal_number.h"

namespace orval {

namespace {

// 14400 cep per inch, 25.4 mm per inch.
const DecimalNumber kCepPerInch{14400};
const DecimalNumber kMmPerInch{254, 1};
const DecimalNumber kHundred{100};
const DecimalNumber kTen{10};

// The text's integer value: its decimal reading truncated towards zero.
std::optional<DecimalNumber> integerOf(std::string_view text) {
  const std::optional<DecimalNumber> n = DecimalNumber::parse(text);
  if (!n) return std::nullopt;
  return n->truncated();
}

// 10^-digits, for digits within 0..kMaxDigits.
std::optional<DecimalNumber> unitInLastPlace(int digits) {
  if (digits < 0 || digits > DecimalNumber::kMaxDigits) return std::nullopt;
  return DecimalNumber(1, digits);
}

}  // namespace

std::string convertMmToCep(std::string_view millimetres) {
  const auto mm = DecimalNumber::parse(millimetres);
  if (!mm) return {};
  const auto scaled = mm->times(kCepPerInch);
  if (!scaled) return {};
  const auto cep = scaled->dividedBy(kMmPerInch, 0);
  return cep ? cep->toString() : std::string();
}

std::string convertCepToMm(std::string_view cep) {
  const auto value = DecimalNumber::parse(cep);
  if (!value) return {};
  const auto scaled = value->times(kMmPerInch);
  if (!scaled) return {};
  const auto mm = scaled->dividedBy(kCepPerInch, 2);
  return mm ? mm->toFixed(2) : std::string();
}

std::string convertKORAToMag(std::string_view kora) {
  const auto integer = integerOf(kora);
  if (!integer) return {};
  const auto tenth = integer->dividedBy(kTen, 1);
  if (!tenth) return {};
  const auto percent = tenth->plus(kHundred);
  return percent ? percent->toFixed(1) : std::string();
}

std::string convertMagToKORA(std::string_view percent) {
  const auto value = DecimalNumber::parse(percent);
  if (!value) return {};
  const auto offset = value->minus(kHundred);
  if (!offset) return {};
  const auto kora = offset->times(kTen);
  return kora ? kora->rounded(1).truncated().toString() : std::string();
}

std::string decimalToScaledInteger(std::string_view value, int digits) {
  const auto number = DecimalNumber::parse(value);
  const auto unit = unitInLastPlace(digits);
  if (!number || !unit) return {};
  const auto scaled = number->dividedBy(*unit, 0);
  return scaled ? scaled->toString() : std::string();
}

std::string scaledIntegerToDecimal(std::string_view value, int digits) {
  const auto integer = integerOf(value);
  const auto unit = unitInLastPlace(digits);
  if (!integer || !unit) return {};
  const auto result = integer->times(*unit);
  return result ? result->toFixed(digits) : std::string();
}

std::string mirroredPosition(std::string_view length, std::string_view position) {
  const auto l = integerOf(length);
  const auto p = integerOf(position);
  if (!l || !p) return {};
  const auto mirrored = l->minus(*p);
  return mirrored ? mirrored->toString() : std::string();
}

}  // namespace orval

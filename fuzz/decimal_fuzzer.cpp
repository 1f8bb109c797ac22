// The decimal readers and what is computed from numbers stored as text: the
// system's decimal reading, exact decimals (reading, arithmetic, rounding,
// text), the convert table's number patterns and the unit conversions.
// Exact decimals must read back from their own text, undo a sum exactly,
// order as their difference says, and agree with the decimal reading.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "conversion/decimal_number.h"
#include "conversion/number_pattern.h"
#include "conversion/unit_conversion.h"
#include "fuzz_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/value.h"

using namespace orval;

namespace {

void checkReal(double x) {
  if (std::isfinite(x)) ORVAL_FUZZ_CHECK(decimalValueOfString(formatReal(x)) == x);
}

// The exact reading and the binary one of the same text agree to the binary one's precision.
void checkAgreement(const DecimalNumber& exact, double binary) {
  const double approx = std::strtod(exact.toString().c_str(), nullptr);
  ORVAL_FUZZ_CHECK(std::fabs(approx - binary) <= 1e-12 * std::fabs(binary) + 1e-36);
}

void checkOne(const DecimalNumber& a, FuzzedDataProvider& input) {
  ORVAL_FUZZ_CHECK(DecimalNumber::parse(a.toString()) == a);
  const int digits = input.ConsumeIntegralInRange(-2, DecimalNumber::kMaxDigits + 2);
  const std::optional<DecimalNumber> fixed = DecimalNumber::parse(a.toFixed(digits));
  ORVAL_FUZZ_CHECK(fixed == a.rounded(digits));
  a.truncated();
  a.toInt64();
}

void checkTwo(const DecimalNumber& a, const DecimalNumber& b, int fractionDigits) {
  if (const std::optional<DecimalNumber> sum = a.plus(b)) ORVAL_FUZZ_CHECK(sum->minus(b) == a);
  if (const std::optional<DecimalNumber> difference = a.minus(b)) {
    ORVAL_FUZZ_CHECK(difference->plus(b) == a);
    ORVAL_FUZZ_CHECK((a <=> b) == (difference->isZero() ? std::strong_ordering::equal
                                   : difference->isNegative() ? std::strong_ordering::less
                                                              : std::strong_ordering::greater));
  }
  const std::optional<DecimalNumber> product = a.times(b);
  if (product && !b.isZero() && a.scale() + b.scale() <= DecimalNumber::kMaxDigits)
    ORVAL_FUZZ_CHECK(product->dividedBy(b, a.scale()) == a);
  a.dividedBy(b, fractionDigits);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LogCapture quiet(LogCapture::Sinks::Silenced);
  FuzzedDataProvider input(data, size);
  const std::string pattern = input.ConsumeRandomLengthString(32);
  const std::string first = input.ConsumeRandomLengthString(80);
  const std::string second = input.ConsumeRandomLengthString(80);
  const int digits = input.ConsumeIntegralInRange(-1, 40);

  const double binary = decimalValueOfString(first);
  checkReal(binary);
  integerValueOfString(first);

  const std::optional<DecimalNumber> a = DecimalNumber::parse(first);
  const std::optional<DecimalNumber> b = DecimalNumber::parse(second);
  if (a) {
    checkAgreement(*a, binary);
    checkOne(*a, input);
    formatDecimalWithPattern(*a, pattern);
  }
  if (a && b) checkTwo(*a, *b, digits);

  convertMmToCep(first);
  convertCepToMm(first);
  convertKORAToMag(first);
  convertMagToKORA(first);
  decimalToScaledInteger(first, digits);
  scaledIntegerToDecimal(first, digits);
  mirroredPosition(first, second);
  return 0;
}

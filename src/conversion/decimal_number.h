// DecimalNumber: exact decimal arithmetic for lengths, magnifications and
// other measured values, so that no binary floating point touches them.
//
// A DecimalNumber is coefficient × 10^-scale, with a coefficient of at most
// kMaxDigits decimal digits and a scale (number of fraction digits) from 0 to
// kMaxDigits. Sums, differences and products are exact; a quotient is rounded
// to the number of fraction digits the caller asks for. All rounding is half
// away from zero (2.5 -> 3, -2.5 -> -3).
//
// Range: an operation whose exact result does not fit a coefficient of
// kMaxDigits digits answers std::nullopt; nothing ever wraps around. Only
// fraction digits beyond the largest scale are rounded off (in reading text
// and in products). A zero result is never negative.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orval {

class DecimalNumber {
 public:
  // Most significant digits a coefficient holds; also the largest scale.
  static constexpr int kMaxDigits = 36;

  // Zero.
  DecimalNumber() = default;
  // The integer value.
  DecimalNumber(std::int64_t integer);  // NOLINT: integers convert implicitly, as numbers do.
  // coefficient × 10^-scale; throws std::invalid_argument for a scale outside 0..kMaxDigits.
  DecimalNumber(std::int64_t coefficient, int scale);

  // Reads the leading decimal number of text, as the system reads numbers
  // stored as text: white space, an optional sign, digits with an optional
  // fraction ("5.", ".5"), an optional exponent ("1.5e3"); trailing characters
  // are ignored and text that does not begin with a number reads as zero.
  // Digits beyond kMaxDigits fraction or significant digits are rounded off;
  // std::nullopt when the integer part has more than kMaxDigits digits.
  static std::optional<DecimalNumber> parse(std::string_view text);

  bool isZero() const { return magnitude_ == 0; }
  bool isNegative() const { return negative_; }
  // Number of fraction digits held (trailing zeros included: "1.50" has 2).
  int scale() const { return scale_; }

  // Exact sum; std::nullopt when out of range.
  std::optional<DecimalNumber> plus(const DecimalNumber& other) const;
  // Exact difference; std::nullopt when out of range.
  std::optional<DecimalNumber> minus(const DecimalNumber& other) const;
  // Exact product (fraction digits beyond kMaxDigits rounded off); std::nullopt when out of range.
  std::optional<DecimalNumber> times(const DecimalNumber& other) const;
  // Quotient rounded half away from zero to fractionDigits (0..kMaxDigits)
  // digits; std::nullopt for a zero divisor, a bad digit count or a result out of range.
  std::optional<DecimalNumber> dividedBy(const DecimalNumber& divisor, int fractionDigits) const;

  // This number rounded half away from zero to at most fractionDigits digits
  // (a negative count counts as 0); never out of range.
  DecimalNumber rounded(int fractionDigits) const;
  // The integer part (truncated towards zero).
  DecimalNumber truncated() const;
  // The integer part as a 64-bit integer, clamped to the 64-bit range.
  std::int64_t toInt64() const;

  // Plain text without exponent and without trailing fraction zeros:
  // "566.93", "-0.5", "100", "0".
  std::string toString() const;
  // Text with exactly fractionDigits fraction digits after rounding half away
  // from zero, like "%.*f" but exact: toFixed(2) of 1.005 is "1.01", of -0.001 is "0.00".
  std::string toFixed(int fractionDigits) const;

  // Comparison by value: 1.50 == 1.5.
  friend bool operator==(const DecimalNumber& a, const DecimalNumber& b);
  friend std::strong_ordering operator<=>(const DecimalNumber& a, const DecimalNumber& b);

 private:
  using Magnitude = unsigned __int128;

  DecimalNumber(Magnitude magnitude, int scale, bool negative);
  // The value with a zero magnitude made non-negative.
  static DecimalNumber make(Magnitude magnitude, int scale, bool negative);
  static std::optional<DecimalNumber> addSigned(const DecimalNumber& a, const DecimalNumber& b,
                                                bool negateB);

  Magnitude magnitude_ = 0;
  int scale_ = 0;
  bool negative_ = false;
};

}  // namespace orval

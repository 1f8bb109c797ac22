#include "conversion/decimal_number.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace orval {

namespace {

using Magnitude = unsigned __int128;

// 10^n for 0 <= n <= 38 (10^38 still fits an unsigned 128-bit integer).
constexpr Magnitude pow10(int n) {
  Magnitude p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

constexpr Magnitude kLargestMagnitude = pow10(DecimalNumber::kMaxDigits) - 1;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Divides magnitude by 10^digits, rounding half away from zero (on the magnitude).
Magnitude divideRounded(Magnitude magnitude, int digits) {
  if (digits <= 0) return magnitude;
  if (digits > 38) return 0;  // half of 10^39 exceeds every 128-bit magnitude
  const Magnitude p = pow10(digits);
  Magnitude q = magnitude / p;
  if (magnitude % p >= p / 2) ++q;
  return q;
}

std::string digitsOf(Magnitude m) {
  if (m == 0) return "0";
  std::string s;
  while (m != 0) {
    s.push_back(static_cast<char>('0' + static_cast<int>(m % 10)));
    m /= 10;
  }
  std::reverse(s.begin(), s.end());
  return s;
}

}  // namespace

DecimalNumber::DecimalNumber(std::int64_t integer)
    // Negating in 128 bits gives |integer| for INT64_MIN too.
    : magnitude_(static_cast<Magnitude>(integer < 0 ? -static_cast<__int128>(integer)
                                                    : static_cast<__int128>(integer))),
      negative_(integer < 0) {}

DecimalNumber::DecimalNumber(std::int64_t coefficient, int scale) : DecimalNumber(coefficient) {
  if (scale < 0 || scale > kMaxDigits)
    throw std::invalid_argument("DecimalNumber: scale out of range");
  scale_ = scale;
}

DecimalNumber::DecimalNumber(Magnitude magnitude, int scale, bool negative)
    : magnitude_(magnitude), scale_(scale), negative_(negative && magnitude != 0) {}

DecimalNumber DecimalNumber::make(Magnitude magnitude, int scale, bool negative) {
  return DecimalNumber(magnitude, scale, negative);
}

std::optional<DecimalNumber> DecimalNumber::parse(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  std::string digits;  // every mantissa digit, integer and fraction part
  std::int64_t fractionCount = 0;
  while (i < text.size() && isDigit(text[i])) digits.push_back(text[i++]);
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      digits.push_back(text[i++]);
      ++fractionCount;
    }
  }
  if (digits.empty()) return DecimalNumber();  // no number at all reads as zero

  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    if (j < text.size() && isDigit(text[j])) {
      // Saturate: any exponent this large already decides the outcome.
      constexpr std::int64_t kExponentLimit = 1'000'000;
      while (j < text.size() && isDigit(text[j])) {
        exponent = std::min(kExponentLimit, exponent * 10 + (text[j] - '0'));
        ++j;
      }
      if (negativeExponent) exponent = -exponent;
    }
  }

  // value = digits × 10^power
  std::int64_t power = exponent - fractionCount;
  const std::size_t firstNonZero = digits.find_first_not_of('0');
  if (firstNonZero == std::string::npos) return DecimalNumber();
  digits.erase(0, firstNonZero);

  if (power >= 0) {
    if (static_cast<std::int64_t>(digits.size()) + power > kMaxDigits) return std::nullopt;
    Magnitude m = 0;
    for (const char c : digits) m = m * 10 + static_cast<Magnitude>(c - '0');
    return make(m * pow10(static_cast<int>(power)), 0, negative);
  }

  // Fraction digits: trailing zeros carry no value.
  while (power < 0 && digits.back() == '0') {
    digits.pop_back();
    ++power;
  }
  std::int64_t scale = -power;
  const std::int64_t size = static_cast<std::int64_t>(digits.size());
  const std::int64_t drop =
      std::min(scale, std::max({scale - kMaxDigits, size - kMaxDigits, std::int64_t{0}}));
  const std::int64_t kept = size - drop;
  if (kept > kMaxDigits) return std::nullopt;  // the integer part alone is too long
  Magnitude m = 0;
  if (kept >= 0) {
    for (std::int64_t k = 0; k < kept; ++k)
      m = m * 10 + static_cast<Magnitude>(digits[static_cast<std::size_t>(k)] - '0');
    if (drop > 0 && digits[static_cast<std::size_t>(kept)] >= '5') ++m;
  }
  // else every digit lies below the first dropped position, which is a zero: the value rounds to 0.
  scale -= drop;
  // A carry may reach kMaxDigits + 1 digits; it is then a power of ten and loses a zero.
  while (m > kLargestMagnitude && scale > 0 && m % 10 == 0) {
    m /= 10;
    --scale;
  }
  if (m > kLargestMagnitude) return std::nullopt;
  return make(m, static_cast<int>(scale), negative);
}

std::optional<DecimalNumber> DecimalNumber::addSigned(const DecimalNumber& a,
                                                      const DecimalNumber& b, bool negateB) {
  const int scale = std::max(a.scale_, b.scale_);
  Magnitude ma = 0;
  Magnitude mb = 0;
  if (__builtin_mul_overflow(a.magnitude_, pow10(scale - a.scale_), &ma) ||
      __builtin_mul_overflow(b.magnitude_, pow10(scale - b.scale_), &mb) ||
      ma > kLargestMagnitude || mb > kLargestMagnitude)
    return std::nullopt;
  const bool negativeA = a.negative_;
  const bool negativeB = b.negative_ != negateB && b.magnitude_ != 0;
  Magnitude m = 0;
  bool negative = false;
  if (negativeA == negativeB) {
    m = ma + mb;
    negative = negativeA;
  } else if (ma >= mb) {
    m = ma - mb;
    negative = negativeA;
  } else {
    m = mb - ma;
    negative = negativeB;
  }
  if (m > kLargestMagnitude) return std::nullopt;
  return make(m, scale, negative);
}

std::optional<DecimalNumber> DecimalNumber::plus(const DecimalNumber& other) const {
  return addSigned(*this, other, false);
}

std::optional<DecimalNumber> DecimalNumber::minus(const DecimalNumber& other) const {
  return addSigned(*this, other, true);
}

std::optional<DecimalNumber> DecimalNumber::times(const DecimalNumber& other) const {
  Magnitude m = 0;
  if (__builtin_mul_overflow(magnitude_, other.magnitude_, &m)) return std::nullopt;
  int scale = scale_ + other.scale_;
  if (scale > kMaxDigits) {
    m = divideRounded(m, scale - kMaxDigits);
    scale = kMaxDigits;
  }
  if (m > kLargestMagnitude) return std::nullopt;
  return make(m, scale, negative_ != other.negative_);
}

std::optional<DecimalNumber> DecimalNumber::dividedBy(const DecimalNumber& divisor,
                                                      int fractionDigits) const {
  if (divisor.isZero() || fractionDigits < 0 || fractionDigits > kMaxDigits) return std::nullopt;
  const Magnitude a = magnitude_;
  const Magnitude b = divisor.magnitude_;
  // result × 10^fractionDigits = (a / b) × 10^shift
  const int shift = divisor.scale_ - scale_ + fractionDigits;
  Magnitude q = a / b;
  if (shift >= 0) {
    // Long division, one decimal digit at a time: the remainder stays below
    // b, so ten times it never overflows.
    Magnitude r = a % b;
    for (int k = 0; k < shift; ++k) {
      if (q > kLargestMagnitude) return std::nullopt;
      const Magnitude r10 = r * 10;
      q = q * 10 + r10 / b;
      r = r10 % b;
    }
    if (r >= b - r) ++q;  // remainder at least half the divisor
  } else {
    // (q + f) / 10^m with 0 <= f < 1 rounds up exactly when q mod 10^m
    // reaches half of 10^m, an integer; the fraction f never tips it.
    q = divideRounded(q, -shift);
  }
  if (q > kLargestMagnitude) return std::nullopt;
  return make(q, fractionDigits, negative_ != divisor.negative_);
}

DecimalNumber DecimalNumber::rounded(int fractionDigits) const {
  fractionDigits = std::max(fractionDigits, 0);
  if (fractionDigits >= scale_) return *this;
  return make(divideRounded(magnitude_, scale_ - fractionDigits), fractionDigits, negative_);
}

DecimalNumber DecimalNumber::truncated() const {
  return make(magnitude_ / pow10(scale_), 0, negative_);
}

std::int64_t DecimalNumber::toInt64() const {
  const Magnitude m = magnitude_ / pow10(scale_);
  constexpr Magnitude kMaxPositive =
      static_cast<Magnitude>(std::numeric_limits<std::int64_t>::max());
  if (!negative_)
    return m > kMaxPositive ? std::numeric_limits<std::int64_t>::max()
                            : static_cast<std::int64_t>(m);
  if (m > kMaxPositive) return std::numeric_limits<std::int64_t>::min();
  return -static_cast<std::int64_t>(m);
}

std::string DecimalNumber::toString() const {
  std::string digits = digitsOf(magnitude_);
  if (scale_ > 0) {
    if (static_cast<int>(digits.size()) <= scale_)
      digits.insert(0, static_cast<std::size_t>(scale_ + 1) - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(scale_), 1, '.');
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  return negative_ ? "-" + digits : digits;
}

std::string DecimalNumber::toFixed(int fractionDigits) const {
  fractionDigits = std::clamp(fractionDigits, 0, kMaxDigits);
  const DecimalNumber r = rounded(fractionDigits);
  std::string digits = digitsOf(r.magnitude_);
  // Pad to exactly fractionDigits fraction digits and at least one integer digit.
  digits.append(static_cast<std::size_t>(fractionDigits - r.scale_), '0');
  if (static_cast<int>(digits.size()) <= fractionDigits)
    digits.insert(0, static_cast<std::size_t>(fractionDigits + 1) - digits.size(), '0');
  if (fractionDigits > 0)
    digits.insert(digits.size() - static_cast<std::size_t>(fractionDigits), 1, '.');
  return r.negative_ ? "-" + digits : digits;
}

bool operator==(const DecimalNumber& a, const DecimalNumber& b) {
  return (a <=> b) == std::strong_ordering::equal;
}

std::strong_ordering operator<=>(const DecimalNumber& a, const DecimalNumber& b) {
  if (a.negative_ != b.negative_)
    return a.negative_ ? std::strong_ordering::less : std::strong_ordering::greater;
  // Same sign: compare magnitudes at a common scale. A magnitude that
  // overflows when scaled up is the larger one (the other is at most 10^36).
  const int scale = std::max(a.scale_, b.scale_);
  Magnitude ma = 0;
  Magnitude mb = 0;
  const bool overflowA = __builtin_mul_overflow(a.magnitude_, pow10(scale - a.scale_), &ma);
  const bool overflowB = __builtin_mul_overflow(b.magnitude_, pow10(scale - b.scale_), &mb);
  std::strong_ordering byMagnitude = std::strong_ordering::equal;
  if (overflowA) {
    byMagnitude = std::strong_ordering::greater;
  } else if (overflowB) {
    byMagnitude = std::strong_ordering::less;
  } else {
    byMagnitude = ma <=> mb;
  }
  if (!a.negative_) return byMagnitude;
  return 0 <=> byMagnitude;  // both negative: the larger magnitude is the smaller number
}

}  // namespace orval

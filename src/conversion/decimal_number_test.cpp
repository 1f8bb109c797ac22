#include "conversion/decimal_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace orval {
namespace {

DecimalNumber read(std::string_view text) {
  const std::optional<DecimalNumber> n = DecimalNumber::parse(text);
  EXPECT_TRUE(n.has_value()) << text;
  return n.value_or(DecimalNumber());
}

using Rows = std::initializer_list<std::pair<const char*, const char*>>;

// A quotient's text, or "none" when there is no answer.
std::string quotient(const char* a, const char* b, int digits) {
  const std::optional<DecimalNumber> q = read(a).dividedBy(read(b), digits);
  return q ? q->toString() : "none";
}

TEST(DecimalNumberTest, ParsesTheSystemsDecimalReading) {
  // An exponent without digits is not part of the number.
  for (const auto& [in, out] : Rows{{"  -12.50xyz", "-12.5"}, {"\t\n+7", "7"}, {".5", "0.5"}, {"5.", "5"},
                                    {"1.5e3", "1500"}, {"2.5E-2", "0.025"}, {"1e", "1"}, {"1e+2mm", "100"}})
    EXPECT_EQ(read(in).toString(), out) << in;
  EXPECT_EQ(read("0012.3400").scale(), 2);
  for (const char* junk : {"", "abc", "-", ".", "+.e5", " x1"})
    EXPECT_TRUE(read(junk).isZero()) << junk;
  const DecimalNumber negativeZero = read("-0.000");
  EXPECT_TRUE(negativeZero.isZero());
  EXPECT_FALSE(negativeZero.isNegative());
  EXPECT_EQ(negativeZero.toString(), "0");
}

TEST(DecimalNumberTest, ParseRangeAndExcessDigits) {
  EXPECT_EQ(read("999999999999999999999999999999999999").toString(),
            "999999999999999999999999999999999999");  // 36 digits fit
  EXPECT_FALSE(DecimalNumber::parse("1000000000000000000000000000000000000").has_value());
  EXPECT_FALSE(DecimalNumber::parse("1e36").has_value());
  EXPECT_EQ(read("1e35").toString(), "100000000000000000000000000000000000");
  EXPECT_FALSE(DecimalNumber::parse("1e999999999999999999999").has_value());  // exponent saturates
  EXPECT_TRUE(read("1e-999999999999999999999").isZero());
  EXPECT_TRUE(read("0e999999999").isZero());
  // Fraction digits beyond the 36th are rounded half away from zero.
  EXPECT_EQ(read("0.0000000000000000000000000000000000005").toString(), "0.000000000000000000000000000000000001");
  EXPECT_TRUE(read("0.0000000000000000000000000000000000004").isZero());
  EXPECT_EQ(read("-0.999999999999999999999999999999999999999").toString(), "-1");
  // Significant digits beyond 36 are rounded off the fraction only.
  EXPECT_EQ(read("12345678901234567890123456789012345.67").toString(), "12345678901234567890123456789012345.7");
  EXPECT_FALSE(DecimalNumber::parse("1234567890123456789012345678901234567.1").has_value());
  // A carry into a 37th digit of a fraction drops a zero rather than failing.
  EXPECT_EQ(read("9.999999999999999999999999999999999999").toString(), "10");
}

TEST(DecimalNumberTest, RoundsHalfAwayFromZero) {
  struct Case {
    const char* in;
    int digits;
    const char* out;
  };
  for (const Case& c : {Case{"2.5", 0, "3"}, Case{"-2.5", 0, "-3"}, Case{"2.4999", 0, "2"}, Case{"-0.5", 0, "-1"},
                        Case{"0.05", 1, "0.1"}, Case{"-0.04", 1, "0"}, Case{"99.95", 1, "100"}, Case{"17.5", -3, "18"}})
    EXPECT_EQ(read(c.in).rounded(c.digits).toString(), c.out) << c.in << " to " << c.digits;
  EXPECT_FALSE(read("-0.04").rounded(1).isNegative());
  EXPECT_EQ(read("1.25").rounded(5).scale(), 2);  // rounding never adds digits
  EXPECT_EQ(read("-12.9").truncated().toString(), "-12");
}

TEST(DecimalNumberTest, FixedAndPlainRendering) {
  // "1.005" would give "1.00" in binary floating point.
  for (const auto& [in, digits, out] :
       {std::tuple{"1.005", 2, "1.01"}, std::tuple{"-1.005", 2, "-1.01"}, std::tuple{"-0.001", 2, "0.00"},
        std::tuple{"12", 3, "12.000"}, std::tuple{"-0.5", 0, "-1"}, std::tuple{"0.005", 3, "0.005"}})
    EXPECT_EQ(read(in).toFixed(digits), out) << in;
  for (const auto& [in, out] : Rows{{"100.00", "100"}, {"0.50", "0.5"}, {"-0.05", "-0.05"}, {"1200", "1200"}})
    EXPECT_EQ(read(in).toString(), out);
}

TEST(DecimalNumberTest, ExactSumsDifferencesAndProducts) {
  EXPECT_EQ(read("0.1").plus(read("0.2")), read("0.3"));  // exact, unlike binary reals
  EXPECT_EQ(read("3").plus(read("-5.25"))->toString(), "-2.25");
  EXPECT_EQ(read("-1").minus(read("-3"))->toString(), "2");
  EXPECT_FALSE(read("1").minus(read("1.000"))->isNegative());
  EXPECT_EQ(read("0.1").times(read("0.2"))->toString(), "0.02");
  EXPECT_EQ(read("-1.5").times(read("-0.5"))->toString(), "0.75");
  EXPECT_FALSE(read("-1.5").times(read("0"))->isNegative());
  // Out of range answers nothing instead of wrapping around.
  EXPECT_FALSE(read("1e18").times(read("1e18")).has_value());
  EXPECT_EQ(read("1e17").times(read("1e18"))->toString(), "100000000000000000000000000000000000");
  EXPECT_FALSE(read("999999999999999999999999999999999999").plus(read("1")).has_value());
  EXPECT_FALSE(read("-999999999999999999999999999999999999").minus(read("1")).has_value());
  EXPECT_FALSE(read("1e35").plus(read("0.1")).has_value());  // would need 37 digits
  // Fraction digits beyond the 36th are rounded off a product.
  EXPECT_TRUE(read("1e-20").times(read("1e-20"))->isZero());
  EXPECT_EQ(read("5e-19").times(read("1e-18"))->toString(), "0.000000000000000000000000000000000001");
}

TEST(DecimalNumberTest, QuotientsRoundedToTheRequestedDigits) {
  struct Case {
    const char *a, *b;
    int digits;
    const char* out;
  };
  // Includes dividends with more fraction digits than divisor and result together.
  for (const Case& c : {Case{"1", "-8", 2, "-0.13"}, Case{"1.23456", "2", 1, "0.6"}, Case{"-1.25", "1", 1, "-1.3"},
                        Case{"0.4999999", "1", 0, "0"}, Case{"0.00015", "3", 4, "0.0001"},
                        Case{"1", "0", 2, "none"}, Case{"1", "3", -1, "none"},
                        Case{"1", "3", DecimalNumber::kMaxDigits + 1, "none"},
                        Case{"999999999999999999999999999999999999", "0.1", 0, "none"},
                        Case{"1", "7", 36, "0.142857142857142857142857142857142857"}})
    EXPECT_EQ(quotient(c.a, c.b, c.digits), c.out) << c.a << " / " << c.b << " to " << c.digits;
}

// Quotients against an independent rational computation in 128-bit integers.
TEST(DecimalNumberTest, QuotientsMatchExactRationalRounding) {
  std::mt19937_64 random(20240611);
  std::uniform_int_distribution<std::int64_t> coefficient(-100'000'000, 100'000'000);
  std::uniform_int_distribution<int> smallScale(0, 4);
  std::uniform_int_distribution<int> digits(0, 6);
  for (int i = 0; i < 20000; ++i) {
    const std::int64_t ca = coefficient(random);
    std::int64_t cb = coefficient(random);
    if (cb == 0) cb = 7;
    const int sa = smallScale(random);
    const int sb = smallScale(random);
    const int d = digits(random);
    // (ca / 10^sa) / (cb / 10^sb) × 10^d = ca × 10^(sb + d) / (cb × 10^sa)
    __int128 num = ca;
    for (int k = 0; k < sb + d; ++k) num *= 10;
    __int128 den = cb;
    for (int k = 0; k < sa; ++k) den *= 10;
    const bool negative = (num < 0) != (den < 0);
    const __int128 an = num < 0 ? -num : num;
    const __int128 ad = den < 0 ? -den : den;
    __int128 q = (2 * an + ad) / (2 * ad);
    if (negative) q = -q;
    const auto result = DecimalNumber(ca, sa).dividedBy(DecimalNumber(cb, sb), d);
    ASSERT_TRUE(result.has_value());
    ASSERT_EQ(*result, DecimalNumber(static_cast<std::int64_t>(q), d))
        << ca << "e-" << sa << " / " << cb << "e-" << sb << " to " << d;
  }
}

TEST(DecimalNumberTest, ComparesByValue) {
  EXPECT_EQ(read("1.50"), read("1.5"));
  EXPECT_LT(read("-2"), read("-1.5"));
  EXPECT_LT(read("-0.001"), read("0"));
  EXPECT_LT(read("9.99"), read("10"));
  // Scales too far apart to align in 128 bits still compare right.
  const DecimalNumber big = read("1e35");
  const DecimalNumber tiny = read("1e-36");
  EXPECT_GT(big, tiny);
  EXPECT_LT(read("-1e35"), read("-1e-36"));
}

TEST(DecimalNumberTest, IntegerPartClampsToSixtyFourBits) {
  EXPECT_EQ(read("12.9").toInt64(), 12);
  EXPECT_EQ(read("-9223372036854775808").toInt64(), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(read("1e30").toInt64(), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(read("-1e30").toInt64(), std::numeric_limits<std::int64_t>::min());
}

}  // namespace
}  // namespace orval

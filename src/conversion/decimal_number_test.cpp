#include "conversion/decimal_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace orval {
namespace {

DecimalNumber read(std::string_view text) {
  const std::optional<DecimalNumber> n = DecimalNumber::parse(text);
  EXPECT_TRUE(n.has_value()) << text;
  return n.value_or(DecimalNumber());
}

// The text of an optional answer, or "none".
std::string text(const std::optional<DecimalNumber>& n) { return n ? n->toString() : "none"; }

TEST(DecimalNumberTest, ParsesTheSystemsDecimalReading) {
  const std::string max36(36, '9');
  for (const auto& [in, out] : std::initializer_list<std::pair<std::string, std::string>>{
           {"  -12.50xyz", "-12.5"}, {"\t\n+7", "7"}, {".5", "0.5"}, {"1.5e3", "1500"}, {"2.5E-2", "0.025"},
           {"1e", "1"}, {"1e+2mm", "100"},  // an exponent without digits is not part of the number
           {"", "0"}, {"+.e5", "0"}, {" x1", "0"}, {"-0.000", "0"}, {max36, max36},
           {"1" + std::string(36, '0'), "none"}, {"1e36", "none"}, {"1e999999999999999999999", "none"},
           {"1e-999999999999999999999", "0"},
           // Fraction digits beyond the 36th are rounded half away from zero, off the fraction only.
           {"0.0000000000000000000000000000000000005", "0.000000000000000000000000000000000001"},
           {"-0.999999999999999999999999999999999999999", "-1"},
           {"12345678901234567890123456789012345.67", "12345678901234567890123456789012345.7"},
           {"1234567890123456789012345678901234567.1", "none"},
           {"9.999999999999999999999999999999999999", "10"}})  // a carry into a 37th digit drops a zero
    EXPECT_EQ(text(DecimalNumber::parse(in)), out) << in;
  EXPECT_EQ(read("0012.3400").scale(), 2);
  EXPECT_FALSE(read("-0.000").isNegative());
}

TEST(DecimalNumberTest, RoundingAndRendering) {
  struct Case {
    const char* in;
    int digits;
    const char* out;
  };
  for (const Case& c : {Case{"2.5", 0, "3"}, Case{"-2.5", 0, "-3"}, Case{"2.4999", 0, "2"}, Case{"0.05", 1, "0.1"},
                        Case{"-0.04", 1, "0"}, Case{"99.95", 1, "100"}, Case{"17.5", -3, "18"}})
    EXPECT_EQ(read(c.in).rounded(c.digits).toString(), c.out) << c.in << " to " << c.digits;
  EXPECT_FALSE(read("-0.04").rounded(1).isNegative());
  EXPECT_EQ(read("1.25").rounded(5).scale(), 2);  // rounding never adds digits
  EXPECT_EQ(read("-12.9").truncated().toString(), "-12");
  // "1.005" would give "1.00" in binary floating point.
  for (const Case& c : {Case{"1.005", 2, "1.01"}, Case{"-1.005", 2, "-1.01"}, Case{"-0.001", 2, "0.00"},
                        Case{"12", 3, "12.000"}, Case{"-0.5", 0, "-1"}})
    EXPECT_EQ(read(c.in).toFixed(c.digits), c.out) << c.in;
}

TEST(DecimalNumberTest, ExactArithmeticWithinRange) {
  EXPECT_EQ(read("0.1").plus(read("0.2")), read("0.3"));  // exact, unlike binary reals
  EXPECT_EQ(text(read("3").plus(read("-5.25"))), "-2.25");
  EXPECT_EQ(text(read("-1").minus(read("-3"))), "2");
  EXPECT_FALSE(read("1").minus(read("1.000"))->isNegative());
  EXPECT_EQ(text(read("-1.5").times(read("-0.5"))), "0.75");
  EXPECT_FALSE(read("-1.5").times(read("0"))->isNegative());
  // Out of range answers nothing instead of wrapping around; fraction digits beyond the 36th are rounded off.
  EXPECT_EQ(text(read("1e18").times(read("1e18"))), "none");
  EXPECT_EQ(text(read("1e17").times(read("1e18"))), "1" + std::string(35, '0'));
  EXPECT_EQ(text(read(std::string(36, '9')).plus(read("1"))), "none");
  EXPECT_EQ(text(read("-" + std::string(36, '9')).minus(read("1"))), "none");
  EXPECT_EQ(text(read("1e35").plus(read("0.1"))), "none");  // would need 37 digits
  EXPECT_EQ(text(read("5e-19").times(read("1e-18"))), "0.000000000000000000000000000000000001");
  struct Case {
    const char *a, *b;
    int digits;
    const char* out;
  };
  for (const Case& c : {Case{"1", "-8", 2, "-0.13"}, Case{"1.23456", "2", 1, "0.6"}, Case{"0.00015", "3", 4, "0.0001"},
                        Case{"1", "0", 2, "none"}, Case{"1", "3", -1, "none"},
                        Case{"1", "3", DecimalNumber::kMaxDigits + 1, "none"},
                        Case{"999999999999999999999999999999999999", "0.1", 0, "none"},
                        Case{"1", "7", 36, "0.142857142857142857142857142857142857"}})
    EXPECT_EQ(text(read(c.a).dividedBy(read(c.b), c.digits)), c.out) << c.a << " / " << c.b << " to " << c.digits;
  EXPECT_EQ(read("1.50"), read("1.5"));
  EXPECT_LT(read("-2"), read("-1.5"));
  EXPECT_LT(read("-1e35"), read("-1e-36"));  // scales too far apart to align in 128 bits
  EXPECT_GT(read("1e35"), read("1e-36"));
  EXPECT_EQ(read("-9223372036854775808").toInt64(), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(read("1e30").toInt64(), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(read("-1e30").toInt64(), std::numeric_limits<std::int64_t>::min());
}

}  // namespace
}  // namespace orval

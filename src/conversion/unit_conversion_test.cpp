#include "conversion/unit_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>

namespace orval {
namespace {

// Independent reference: num / den rounded half away from zero, in integers.
__int128 roundedQuotient(__int128 num, __int128 den) {
  const bool negative = (num < 0) != (den < 0);
  const __int128 an = num < 0 ? -num : num;
  const __int128 ad = den < 0 ? -den : den;
  const __int128 q = (2 * an + ad) / (2 * ad);
  return negative ? -q : q;
}

std::string integerText(__int128 v) { return std::to_string(static_cast<long long>(v)); }

// hundredths as "%.2f" text without a negative zero.
std::string hundredthsText(__int128 hundredths) {
  const bool negative = hundredths < 0;
  const long long a = static_cast<long long>(negative ? -hundredths : hundredths);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s%lld.%02lld", negative ? "-" : "", a / 100, a % 100);
  return buf;
}

TEST(UnitConversionTest, MillimetresAndCepExamples) {
  using Rows = std::initializer_list<std::pair<const char*, const char*>>;
  for (const auto& [mm, cep] : Rows{{"1", "567"}, {"210", "119055"}, {"25.4", "14400"}, {"-1", "-567"}, {"abc", "0"},
                                    {"0.0127", "7"},    // exactly 7.2 (a binary real is not)
                                    {"0.00635", "4"},   // exactly 3.6
                                    {"0.000881944444", "0"},  // a hair below half a cep
                                    {"1e40", ""}})            // beyond the arithmetic's range: no wrapped number
    EXPECT_EQ(convertMmToCep(mm), cep) << mm;
  for (const auto& [cep, mm] : Rows{{"119055", "210.00"}, {"14400", "25.40"}, {"-1", "0.00"},  // no negative zero
                                    {"-3", "-0.01"}, {"9", "0.02"},
                                    {"360", "0.64"}, {"-360", "-0.64"},  // exactly 0.635: half away from zero
                                    {"1e40", ""}})
    EXPECT_EQ(convertCepToMm(cep), mm) << cep;
}

// Every hundredth of a millimetre up to one metre, and back.
TEST(UnitConversionTest, HundredthsOfMillimetresSurviveTheRoundTrip) {
  for (std::int64_t hundredths = 0; hundredths <= 100000; ++hundredths) {
    const std::string mm = hundredthsText(hundredths);
    const std::string cep = convertMmToCep(mm);
    ASSERT_EQ(cep, integerText(roundedQuotient(hundredths * 720, 127))) << mm;
    ASSERT_EQ(convertCepToMm(cep), mm);
  }
}

TEST(UnitConversionTest, CepToMillimetresAgainstExactRationals) {
  for (std::int64_t cep = 0; cep <= 300000; ++cep) {
    // cep × 25.4 / 14400 in hundredths = cep × 127 / 720
    ASSERT_EQ(convertCepToMm(std::to_string(cep)), hundredthsText(roundedQuotient(cep * 127, 720)))
        << cep;
  }
}

TEST(UnitConversionTest, RandomLengthsAgainstExactRationals) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::int64_t> coefficient(-1'000'000'000'000, 1'000'000'000'000);
  std::uniform_int_distribution<int> fractionDigits(0, 4);
  for (int i = 0; i < 50000; ++i) {
    const std::int64_t c = coefficient(random);
    const int digits = fractionDigits(random);
    __int128 power = 1;
    for (int k = 0; k < digits; ++k) power *= 10;
    // The text of c / 10^digits.
    const bool negative = c < 0;
    const std::int64_t a = negative ? -c : c;
    std::string mm = (negative ? "-" : "") + std::to_string(a / static_cast<std::int64_t>(power));
    if (digits > 0) {
      std::string fraction = std::to_string(a % static_cast<std::int64_t>(power));
      fraction.insert(0, static_cast<std::size_t>(digits) - fraction.size(), '0');
      mm += "." + fraction;
    }
    ASSERT_EQ(convertMmToCep(mm), integerText(roundedQuotient(__int128(c) * 72000, power * 127)))
        << mm;
    // The same coefficient read as cep.
    const std::string cep = std::to_string(c);
    ASSERT_EQ(convertCepToMm(cep), hundredthsText(roundedQuotient(__int128(c) * 127, 720))) << cep;
  }
}

TEST(UnitConversionTest, PrintPositionMagnification) {
  for (const auto& [kora, mag] : {std::pair{"0", "100.0"}, std::pair{"-500", "50.0"},
                                  std::pair{"5.7", "100.5"},  // the integer value is used
                                  std::pair{"-1001", "-0.1"}})
    EXPECT_EQ(convertKORAToMag(kora), mag) << kora;
  for (const auto& [mag, kora] : {std::pair{"50.0", "-500"}, std::pair{"100.96", "9"},  // integer part, not rounded
                                  std::pair{"100.999", "10"},                            // 9.99 rounds to 10.0 first
                                  std::pair{"99.444", "-5"}, std::pair{"99.95", "0"}})   // -0.5: not "-0"
    EXPECT_EQ(convertMagToKORA(mag), kora) << mag;
  for (int kora = -1000; kora <= 1000; ++kora)
    ASSERT_EQ(convertMagToKORA(convertKORAToMag(std::to_string(kora))), std::to_string(kora));
}

TEST(UnitConversionTest, ScaledIntegers) {
  // "Magnification" in tenths, line widths in thousandths, toner ratios in hundredths.
  for (const auto& [decimal, places, scaled] :
       {std::tuple{"100.0", 1, "1000"}, std::tuple{"1.005", 2, "101"},  // binary 1.005 x 100 is 100.4999...
        std::tuple{"-0.0005", 3, "-1"}, std::tuple{"0.00049", 3, "0"}, std::tuple{"junk", 1, "0"}, std::tuple{"1", -1, ""}})
    EXPECT_EQ(decimalToScaledInteger(decimal, places), scaled) << decimal;
  for (const auto& [scaled, places, decimal] :
       {std::tuple{"1000", 1, "100.0"}, std::tuple{"150", 2, "1.50"}, std::tuple{"-5", 3, "-0.005"},
        std::tuple{"250.9", 3, "0.250"},  // the integer value is used
        std::tuple{"1", 40, ""}})
    EXPECT_EQ(scaledIntegerToDecimal(scaled, places), decimal) << scaled;
  for (int value = -3000; value <= 3000; ++value) {
    const std::string text = std::to_string(value);
    ASSERT_EQ(decimalToScaledInteger(scaledIntegerToDecimal(text, 3), 3), text);
  }
}

TEST(UnitConversionTest, CreasePositionsMirrorAndComeBack) {
  // A crease 30 mm into a 100 mm sheet lies 70 mm from its other end, and back.
  const std::string length = convertMmToCep("100");
  const std::string mirrored = mirroredPosition(length, convertMmToCep("30"));
  EXPECT_EQ(convertCepToMm(mirrored), "70.00");
  EXPECT_EQ(convertCepToMm(mirroredPosition(length, mirrored)), "30.00");
  // A position beyond the sheet stays negative instead of wrapping to a huge number.
  EXPECT_EQ(mirroredPosition("100", "130"), "-30");
  EXPECT_EQ(mirroredPosition("100", "-30"), "130");
  EXPECT_EQ(mirroredPosition("9223372036854775807", "-9223372036854775808"), "18446744073709551615");
}

}  // namespace
}  // namespace orval

#include "conversion/unit_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

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
  EXPECT_EQ(convertMmToCep("1"), "567");
  EXPECT_EQ(convertCepToMm("567"), "1.00");
  EXPECT_EQ(convertMmToCep("210"), "119055");
  EXPECT_EQ(convertCepToMm("119055"), "210.00");  // 210 comes back as 210.00
  EXPECT_EQ(convertMmToCep("25.4"), "14400");
  EXPECT_EQ(convertCepToMm("14400"), "25.40");
  EXPECT_EQ(convertMmToCep("-1"), "-567");
  EXPECT_EQ(convertCepToMm("-1"), "0.00");  // -0.0018 mm: no negative zero
  EXPECT_EQ(convertCepToMm("-3"), "-0.01");
  EXPECT_EQ(convertMmToCep("abc"), "0");
  // 2.54 mm is exactly 1440 cep; a binary real of 2.54 × 14400 / 25.4 is not.
  EXPECT_EQ(convertMmToCep("0.0127"), "7");   // exactly 7.2 -> 7
  EXPECT_EQ(convertMmToCep("0.00635"), "4");  // exactly 3.6 -> 4
  // Exactly half a cep rounds away from zero: 127 / 144000 mm is 0.5 cep.
  EXPECT_EQ(convertMmToCep("0.000881944444"), "0");  // a hair below the half
  EXPECT_EQ(convertCepToMm("9"), "0.02");            // 0.015875 -> 0.02
  EXPECT_EQ(convertCepToMm("720"), "1.27");
  EXPECT_EQ(convertCepToMm("360"), "0.64");    // exactly 0.635: half rounds up
  EXPECT_EQ(convertCepToMm("-360"), "-0.64");  // and away from zero when negative
  // Values beyond the arithmetic's range give an empty text, never a wrapped number.
  EXPECT_EQ(convertMmToCep("1e40"), "");
  EXPECT_EQ(convertCepToMm("1e40"), "");
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
  EXPECT_EQ(convertKORAToMag("0"), "100.0");
  EXPECT_EQ(convertKORAToMag("-500"), "50.0");
  EXPECT_EQ(convertKORAToMag("5.7"), "100.5");  // the integer value is used
  EXPECT_EQ(convertKORAToMag("-1001"), "-0.1");
  EXPECT_EQ(convertMagToKORA("50.0"), "-500");
  EXPECT_EQ(convertMagToKORA("100"), "0");
  EXPECT_EQ(convertMagToKORA("100.06"), "0");    // 0.6: integer part
  EXPECT_EQ(convertMagToKORA("100.96"), "9");    // 9.6: integer part, not rounded
  EXPECT_EQ(convertMagToKORA("100.999"), "10");  // 9.99 rounds to 10.0 first
  EXPECT_EQ(convertMagToKORA("99.444"), "-5");   // -5.56 -> -5.6 -> -5
  EXPECT_EQ(convertMagToKORA("99.95"), "0");     // -0.5 -> 0, not "-0"
  for (int kora = -1000; kora <= 1000; ++kora)
    ASSERT_EQ(convertMagToKORA(convertKORAToMag(std::to_string(kora))), std::to_string(kora));
}

TEST(UnitConversionTest, ScaledIntegers) {
  // "Magnification" in tenths, line widths in thousandths, toner ratios in hundredths.
  EXPECT_EQ(decimalToScaledInteger("100.0", 1), "1000");
  EXPECT_EQ(scaledIntegerToDecimal("1000", 1), "100.0");
  EXPECT_EQ(decimalToScaledInteger("0.250", 3), "250");
  EXPECT_EQ(scaledIntegerToDecimal("250", 3), "0.250");
  EXPECT_EQ(decimalToScaledInteger("1.5", 2), "150");
  EXPECT_EQ(scaledIntegerToDecimal("150", 2), "1.50");
  EXPECT_EQ(decimalToScaledInteger("1.005", 2), "101");  // binary 1.005 × 100 is 100.4999...
  EXPECT_EQ(decimalToScaledInteger("0.0005", 3), "1");
  EXPECT_EQ(decimalToScaledInteger("-0.0005", 3), "-1");
  EXPECT_EQ(decimalToScaledInteger("0.00049", 3), "0");
  EXPECT_EQ(scaledIntegerToDecimal("5", 3), "0.005");
  EXPECT_EQ(scaledIntegerToDecimal("-5", 3), "-0.005");
  EXPECT_EQ(scaledIntegerToDecimal("250.9", 3), "0.250");  // the integer value is used
  EXPECT_EQ(decimalToScaledInteger("junk", 1), "0");
  EXPECT_EQ(decimalToScaledInteger("1", -1), "");
  EXPECT_EQ(scaledIntegerToDecimal("1", 40), "");
  for (int value = -3000; value <= 3000; ++value) {
    const std::string text = std::to_string(value);
    ASSERT_EQ(decimalToScaledInteger(scaledIntegerToDecimal(text, 3), 3), text);
  }
}

TEST(UnitConversionTest, CreasePositionsMirrorAndComeBack) {
  // Three creases on a 100 mm sheet at 10, 20 and 30 mm: crease 1 and 3
  // exchange places, then every position is measured from the other end.
  const std::string length = convertMmToCep("100");
  const std::string crease1 = convertMmToCep("10");
  const std::string crease2 = convertMmToCep("20");
  const std::string crease3 = convertMmToCep("30");
  const std::string canonical1 = mirroredPosition(length, crease3);
  const std::string canonical2 = mirroredPosition(length, crease2);
  const std::string canonical3 = mirroredPosition(length, crease1);
  EXPECT_EQ(convertCepToMm(canonical1), "70.00");
  EXPECT_EQ(convertCepToMm(canonical2), "80.00");
  EXPECT_EQ(convertCepToMm(canonical3), "90.00");
  // The same operation takes them back, still in cep.
  EXPECT_EQ(convertCepToMm(mirroredPosition(length, canonical3)), "10.00");
  EXPECT_EQ(convertCepToMm(mirroredPosition(length, canonical2)), "20.00");
  EXPECT_EQ(convertCepToMm(mirroredPosition(length, canonical1)), "30.00");
  // A position beyond the sheet stays negative instead of wrapping to a huge number.
  EXPECT_EQ(mirroredPosition("100", "130"), "-30");
  EXPECT_EQ(mirroredPosition("100", "-30"), "130");
  EXPECT_EQ(mirroredPosition("9223372036854775807", "-9223372036854775808"),
            "18446744073709551615");
}

}  // namespace
}  // namespace orval

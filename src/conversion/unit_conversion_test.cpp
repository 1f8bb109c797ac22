#include "conversion/unit_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace orval {
namespace {

using Rows = std::initializer_list<std::pair<const char*, const char*>>;

TEST(UnitConversionTest, MillimetresAndCepExamples) {
  for (const auto& [mm, cep] : Rows{{"210", "119055"}, {"25.4", "14400"}, {"-1", "-567"}, {"abc", "0"},
                                    {"0.0127", "7"},          // exactly 7.2 (a binary real is not)
                                    {"0.00635", "4"},         // exactly 3.6
                                    {"0.000881944444", "0"},  // a hair below half a cep
                                    {"1e40", ""}})            // beyond the arithmetic's range: no wrapped number
    EXPECT_EQ(convertMmToCep(mm), cep) << mm;
  for (const auto& [cep, mm] : Rows{{"119055", "210.00"}, {"-1", "0.00"},  // no negative zero
                                    {"-3", "-0.01"}, {"360", "0.64"}, {"-360", "-0.64"},  // 0.635: half away from zero
                                    {"14", "0.02"},  // 0.02469...: rounded once, not through 0.025
                                    {"1e40", ""}})
    EXPECT_EQ(convertCepToMm(cep), mm) << cep;
}

TEST(UnitConversionTest, MagnificationsAndScaledIntegers) {
  for (const auto& [kora, mag] : Rows{{"0", "100.0"}, {"-500", "50.0"}, {"5.7", "100.5"},  // the integer value is used
                                      {"-1001", "-0.1"}})
    EXPECT_EQ(convertKORAToMag(kora), mag) << kora;
  for (const auto& [mag, kora] : Rows{{"100.96", "9"},   // integer part, not rounded
                                      {"100.999", "10"},  // 9.99 rounds to 10.0 first
                                      {"99.444", "-5"}, {"99.95", "0"}})  // -0.5: not "-0"
    EXPECT_EQ(convertMagToKORA(mag), kora) << mag;
  for (int kora = -1000; kora <= 1000; ++kora)
    ASSERT_EQ(convertMagToKORA(convertKORAToMag(std::to_string(kora))), std::to_string(kora));
  // "Magnification" in tenths, line widths in thousandths, toner ratios in hundredths.
  for (const auto& [decimal, places, scaled] :
       {std::tuple{"1.005", 2, "101"},  // binary 1.005 x 100 is 100.4999...
        std::tuple{"junk", 1, "0"}, std::tuple{"1", -1, ""}})
    EXPECT_EQ(decimalToScaledInteger(decimal, places), scaled) << decimal;
  for (const auto& [scaled, places, decimal] : {std::tuple{"150", 2, "1.50"}, std::tuple{"-5", 3, "-0.005"},
                                                std::tuple{"250.9", 3, "0.250"}, std::tuple{"1", 40, ""}})
    EXPECT_EQ(scaledIntegerToDecimal(scaled, places), decimal) << scaled;
  for (int value = -3000; value <= 3000; ++value)
    ASSERT_EQ(decimalToScaledInteger(scaledIntegerToDecimal(std::to_string(value), 3), 3), std::to_string(value));
  // A crease beyond the sheet mirrors to a negative position; the widest lengths do not wrap around.
  EXPECT_EQ(mirroredPosition("100", "130"), "-30");
  EXPECT_EQ(mirroredPosition("9223372036854775807", "-9223372036854775808"), "18446744073709551615");
}

}  // namespace
}  // namespace orval

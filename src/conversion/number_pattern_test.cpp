#include "conversion/number_pattern.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <string>

namespace orval {
namespace {

std::optional<std::string> render(const char* number, const char* pattern) {
  return formatDecimalWithPattern(*DecimalNumber::parse(number), pattern);
}

TEST(NumberPatternTest, RendersThePatternsOfTheConvertTableRoundingHalfToEvenExactly) {
  const struct {
    const char *number, *pattern, *out;
  } rows[] = {{"0.25", "0.000", "0.250"}, {"1234567.125", "#,##0.0", "1,234,567.1"}, {"12", "00000", "00012"},
              {"7", "0.#", "7"}, {"-3.25", "0.0", "-3.2"}, {"2.5", "0", "2"}, {"3.5", "0", "4"},
              {"2.675", "0.00", "2.68"},  // a tie in exact decimals (a binary double holds 2.67499999...)
              {"123456789012345678.5", "0", "123456789012345678"}, {"12", "\xC2\xA5" "0", "\xC2\xA5" "12"},
              {"5", "0' dpi'", "5 dpi"}};
  for (const auto& row : rows) EXPECT_EQ(render(row.number, row.pattern), row.out) << row.number << " " << row.pattern;
  EXPECT_EQ(render("1", "0'"), std::nullopt);  // invalid patterns give nothing
  EXPECT_EQ(render("1", "#.#.#"), std::nullopt);
}

TEST(NumberPatternTest, TheProcessLocaleNeverChangesTheSeparators) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale previous = icu::Locale::getDefault();
  icu::Locale::setDefault(icu::Locale("de_DE"), status);
  EXPECT_EQ(render("1234.5", "#,##0.00"), "1,234.50");
  icu::Locale::setDefault(previous, status);
}

}  // namespace
}  // namespace orval

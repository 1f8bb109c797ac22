#include "conversion/number_pattern.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <string>

namespace orval {
namespace {

std::optional<std::string> render(const char* number, const char* pattern) {
  return formatDecimalWithPattern(*DecimalNumber::parse(number), pattern);
}

TEST(NumberPatternTest, RendersThePatternsOfTheConvertTable) {
  EXPECT_EQ(render("56693", "0"), "56693");
  EXPECT_EQ(render("0.25", "0.000"), "0.250");
  EXPECT_EQ(render("1234567.125", "#,##0.0"), "1,234,567.1");
  EXPECT_EQ(render("12", "00000"), "00012");
  EXPECT_EQ(render("7", "0.#"), "7");
  EXPECT_EQ(render("-3.25", "0.0"), "-3.2");
}

TEST(NumberPatternTest, RoundsHalfToEvenExactly) {
  EXPECT_EQ(render("2.5", "0"), "2");
  EXPECT_EQ(render("3.5", "0"), "4");
  EXPECT_EQ(render("0.125", "0.00"), "0.12");
  EXPECT_EQ(render("0.375", "0.00"), "0.38");
  // Exact decimals: 2.675 is a tie (a binary double holds 2.67499999...).
  EXPECT_EQ(render("2.675", "0.00"), "2.68");
  EXPECT_EQ(render("123456789012345678.5", "0"), "123456789012345678");
}

TEST(NumberPatternTest, LiteralTextAndTheLocale) {
  EXPECT_EQ(render("12", "\xC2\xA5" "0"), "\xC2\xA5" "12");
  EXPECT_EQ(render("5", "0' dpi'"), "5 dpi");
  // The process's locale never changes the separators.
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale previous = icu::Locale::getDefault();
  icu::Locale::setDefault(icu::Locale("de_DE"), status);
  EXPECT_EQ(render("1234.5", "#,##0.00"), "1,234.50");
  icu::Locale::setDefault(previous, status);
}

TEST(NumberPatternTest, InvalidPatternGivesNothing) {
  EXPECT_EQ(render("1", "0'"), std::nullopt);
  EXPECT_EQ(render("1", "#.#.#"), std::nullopt);
}

}  // namespace
}  // namespace orval

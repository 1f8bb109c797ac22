#include "settings_ui/value_pattern.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(ValuePatternTest, RangesMatchStrictlyOtherPatternsExactly) {
  const struct {
    const char* pattern;
    std::optional<std::string> value;
    int type;
  } rows[] = {
      {"__LESS__:10", "9.99", kConflictedTypeLess},       {"__LESS__:10", "10", kConflictedTypeNone},
      {"__LESS__:2.5", "2.49", kConflictedTypeLess},      {"__LESS__:10", "", kConflictedTypeLess},
      {"__LESS__:0", "abc", kConflictedTypeNone},         {"__GREATER__:10", "10.01", kConflictedTypeGreater},
      {"__GREATER__:10", "10", kConflictedTypeNone},      {"__GREATER__:-5", "-4", kConflictedTypeGreater},
      {"__LESS__:10", "__ALL__", kConflictedTypeNone},    {"__GREATER__:-10", "__ALL__", kConflictedTypeNone},
      {"__LESS__:10", std::nullopt, kConflictedTypeNone}, {"On", "On", kConflictedTypeEqual},
      {"On", "on", kConflictedTypeNone},                  {"10", "10.0", kConflictedTypeNone},
      {"__LESS__10", "__LESS__10", kConflictedTypeEqual},
  };
  for (const auto& row : rows)
    EXPECT_EQ(conflictedType(row.pattern, row.value), row.type) << row.pattern << " " << row.value.value_or("-");
}

TEST(ValuePatternTest, TheBoundOfAnotherTextIsEmpty) {
  EXPECT_EQ(conflictedValue("On"), "");
}

TEST(ValuePatternTest, DecimalNumberTextIsAWholeNumber) {
  for (const char* number : {"10", "-2.5", "+3", ".5", "5.", "1e3", "2.5E-2"})
    EXPECT_TRUE(isDecimalNumberText(number)) << number;
  for (const char* text : {"", "10mm", "1e", "+", ".", "1.2.3", " 10"})
    EXPECT_FALSE(isDecimalNumberText(text)) << text;
}

}  // namespace
}  // namespace orval

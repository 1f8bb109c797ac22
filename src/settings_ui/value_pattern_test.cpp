#include "settings_ui/value_pattern.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(ValuePatternTest, LessThanMatchesBelowItsBoundOnly) {
  EXPECT_EQ(conflictedType("__LESS__:10", std::string("9.99")), kConflictedTypeLess);
  EXPECT_EQ(conflictedType("__LESS__:10", std::string("-1")), kConflictedTypeLess);
  EXPECT_EQ(conflictedType("__LESS__:10", std::string("10")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("__LESS__:10", std::string("12")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("__LESS__:2.5", std::string("2.49")), kConflictedTypeLess);
  EXPECT_EQ(conflictedType("__LESS__:10", std::string("")), kConflictedTypeLess);
  EXPECT_EQ(conflictedType("__LESS__:0", std::string("abc")), kConflictedTypeNone);
}

TEST(ValuePatternTest, GreaterThanMatchesAboveItsBoundOnly) {
  EXPECT_EQ(conflictedType("__GREATER__:10", std::string("12")), kConflictedTypeGreater);
  EXPECT_EQ(conflictedType("__GREATER__:10", std::string("10.01")), kConflictedTypeGreater);
  EXPECT_EQ(conflictedType("__GREATER__:10", std::string("10")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("__GREATER__:10", std::string("9")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("__GREATER__:-5", std::string("-4")), kConflictedTypeGreater);
}

TEST(ValuePatternTest, AllAndMissingValuesNeverMatchARange) {
  EXPECT_EQ(conflictedType("__LESS__:10", std::string("__ALL__")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("__GREATER__:-10", std::string("__ALL__")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("__ALL__", std::string("__ALL__")), kConflictedTypeEqual);
  EXPECT_EQ(conflictedType("__LESS__:10", std::nullopt), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("On", std::nullopt), kConflictedTypeNone);
}

TEST(ValuePatternTest, OtherPatternsMatchExactly) {
  EXPECT_EQ(conflictedType("On", std::string("On")), kConflictedTypeEqual);
  EXPECT_EQ(conflictedType("On", std::string("on")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("10", std::string("10.0")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("", std::string("")), kConflictedTypeEqual);
  EXPECT_EQ(conflictedType("__LESS__10", std::string("5")), kConflictedTypeNone);
  EXPECT_EQ(conflictedType("__LESS__10", std::string("__LESS__10")), kConflictedTypeEqual);
}

TEST(ValuePatternTest, BoundIsTheTextAfterThePrefix) {
  EXPECT_EQ(conflictedValue("__LESS__:10"), "10");
  EXPECT_EQ(conflictedValue("__GREATER__:2.5"), "2.5");
  EXPECT_EQ(conflictedValue("__GREATER__:"), "");
  EXPECT_EQ(conflictedValue("On"), "");
}

TEST(ValuePatternTest, DecimalNumberTextIsAWholeNumber) {
  for (const char* number : {"10", "-2.5", "+3", "0.25", ".5", "5.", "1e3", "2.5E-2"})
    EXPECT_TRUE(isDecimalNumberText(number)) << number;
  for (const char* text : {"", "abc", "10mm", "1e", "+", ".", "1.2.3", " 10", "10 "})
    EXPECT_FALSE(isDecimalNumberText(text)) << text;
}

}  // namespace
}  // namespace orval

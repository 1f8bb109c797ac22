#include "common/bool_string.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(BoolStringTest, StringsAreTrueOnlyAsTrueIgnoringCase) {
  EXPECT_TRUE(boolValueIfString(Value("True")));
  EXPECT_TRUE(boolValueIfString(Value("TRUE")));
  EXPECT_TRUE(boolValueIfString(Value("true")));
  // Texts that other readings of booleans would accept are false here.
  EXPECT_FALSE(boolValueIfString(Value("1")));
  EXPECT_FALSE(boolValueIfString(Value("YES")));
  EXPECT_FALSE(boolValueIfString(Value(" True")));
  EXPECT_FALSE(boolValueIfString(Value("Truest")));
  EXPECT_FALSE(boolValueIfString(Value("")));
}

TEST(BoolStringTest, OtherValuesByTheirOwnTruth) {
  EXPECT_TRUE(boolValueIfString(Value(true)));
  EXPECT_FALSE(boolValueIfString(Value(false)));
  EXPECT_TRUE(boolValueIfString(Value(2)));
  EXPECT_FALSE(boolValueIfString(Value(0)));
  EXPECT_TRUE(boolValueIfString(Value(0.5)));
  EXPECT_FALSE(boolValueIfString(Value()));
  EXPECT_FALSE(boolValueIfString(Value(Array{Value("True")})));
}

}  // namespace
}  // namespace orval

#include "platform/foundation/value.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orval {
namespace {

TEST(DictTest, KeepsInsertionOrderThroughReplaceAndRemove) {
  Dict d{{"b", 1}, {"a", 2}, {"c", 3}};
  d.set("a", "two");  // replacing keeps the position
  d.remove("b");
  d.set("b", 4);  // a removed key comes back at the end
  EXPECT_EQ(d.keys(), (std::vector<std::string>{"a", "c", "b"}));
  ASSERT_NE(d.find("c"), nullptr);
  EXPECT_EQ(*d.find("c"), Value(3));  // index still right after the removal shifted entries
  EXPECT_EQ(d.get("a"), Value("two"));
  EXPECT_TRUE(d.get("missing").isNull());
  EXPECT_FALSE(d.remove("missing"));
}

TEST(DictTest, EqualityIgnoresOrderButNotValues) {
  Dict a{{"x", 1}, {"y", "s"}};
  Dict b{{"y", "s"}, {"x", 1}};
  EXPECT_EQ(a, b);
  b.set("x", 2);
  EXPECT_FALSE(a == b);
  b.set("x", 1.0);  // numbers compare by value across integer and real
  EXPECT_EQ(a, b);
}

TEST(DictTest, MergeAndDeepCopy) {
  Dict inner{{"k", "v"}};
  Dict outer{{"inner", inner}};
  Dict copy = outer;
  copy.find("inner")->asDict()->set("k", "changed");
  EXPECT_EQ(outer.get("inner").asDict()->get("k"), Value("v"));
  Dict base{{"a", 1}, {"b", 2}};
  base.merge(Dict{{"b", 3}, {"c", 4}});
  EXPECT_EQ(base.keys(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(base.get("b"), Value(3));
}

TEST(ValueTest, TruthOfEveryKind) {
  EXPECT_TRUE(Value("True").truth());
  EXPECT_TRUE(Value("tRUE").truth());
  EXPECT_FALSE(Value("Yes").truth());
  EXPECT_FALSE(Value("1").truth());
  EXPECT_FALSE(Value(" True").truth());
  EXPECT_TRUE(Value(true).truth());
  EXPECT_TRUE(Value(2).truth());
  EXPECT_FALSE(Value(0.0).truth());
  EXPECT_FALSE(Value().truth());
  EXPECT_FALSE(Value(Array{Value(true)}).truth());
}

TEST(ValueTest, TextOfScalars) {
  EXPECT_EQ(Value(true).text(), "True");
  EXPECT_EQ(Value(false).text(), "False");
  EXPECT_EQ(Value(-42).text(), "-42");
  EXPECT_EQ(Value(2.0).text(), "2");
  EXPECT_EQ(Value(0.1).text(), "0.1");
  EXPECT_EQ(Value(Dict{}).text(), "");
}

TEST(ValueTest, DecimalReadingOfText) {
  EXPECT_DOUBLE_EQ(decimalValueOfString("  12.5mm"), 12.5);
  EXPECT_DOUBLE_EQ(decimalValueOfString("-3"), -3.0);
  EXPECT_DOUBLE_EQ(decimalValueOfString("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(decimalValueOfString("1e3x"), 1000.0);
  EXPECT_DOUBLE_EQ(decimalValueOfString("2e"), 2.0);  // a dangling exponent is not part of it
  EXPECT_EQ(decimalValueOfString("abc"), 0.0);
  EXPECT_EQ(decimalValueOfString("."), 0.0);
  EXPECT_EQ(decimalValueOfString(""), 0.0);
  EXPECT_TRUE(std::isinf(decimalValueOfString("1e999")));
  EXPECT_EQ(decimalValueOfString("1e-999"), 0.0);
  // Out of range the magnitude decides, not the look of the exponent.
  EXPECT_EQ(decimalValueOfString("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(decimalValueOfString("-0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(decimalValueOfString("1" + std::string(320, '0') + "e-10"), HUGE_VAL);
  EXPECT_EQ(decimalValueOfString("-1" + std::string(320, '0') + "e-10"), -HUGE_VAL);
  EXPECT_EQ(decimalValueOfString("0.0001e-330"), 0.0);
  EXPECT_EQ(decimalValueOfString("0.001e312"), HUGE_VAL);
  EXPECT_EQ(integerValueOfString("0." + std::string(400, '0') + "1"), 0);
  EXPECT_EQ(integerValueOfString("1" + std::string(320, '0') + "e-10"), INT64_MAX);
  EXPECT_EQ(integerValueOfString("7.9"), 7);
  EXPECT_EQ(integerValueOfString("-7.9"), -7);
  EXPECT_EQ(integerValueOfString("1e30"), INT64_MAX);
  EXPECT_EQ(Value("12").intValue(), 12);
  EXPECT_EQ(Value(true).intValue(), 1);
}

}  // namespace
}  // namespace orval

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
  EXPECT_EQ(d.get("a"), Value("two"));
  EXPECT_TRUE(d.get("missing").isNull());
}

TEST(DictTest, EqualityIgnoresOrderButNotValuesOrExtraEntries) {
  Dict a{{"x", 1}, {"y", "s"}};
  Dict b{{"y", "s"}, {"x", 1}};
  EXPECT_EQ(a, b);
  b.set("x", 2);
  EXPECT_FALSE(a == b);
  b.set("x", 1.0);  // numbers compare by value across integer and real
  EXPECT_EQ(a, b);
  b.set("z", 1);
  EXPECT_FALSE(a == b);  // nor with a larger one that holds all of its entries
}

TEST(ValueTest, TruthAndTextOfEveryKind) {
  for (const Value& v : {Value("tRUE"), Value(true), Value(2)}) EXPECT_TRUE(v.truth()) << v.text();
  for (const Value& v : {Value("Yes"), Value("1"), Value(" True"), Value(0.0), Value(), Value(Array{Value(true)})})
    EXPECT_FALSE(v.truth()) << v.text();
  for (const auto& [v, text] : {std::pair{Value(true), "True"}, {Value(false), "False"}, {Value(-42), "-42"},
                                {Value(2.0), "2"}, {Value(0.1), "0.1"}, {Value(Dict{}), ""}})
    EXPECT_EQ(v.text(), text);
}

TEST(ValueTest, DecimalReadingOfText) {
  const std::string tiny = "0." + std::string(400, '0') + "1", huge = "1" + std::string(320, '0') + "e-10";
  // Out of range the magnitude decides, not the look of the exponent; a dangling exponent is not part of the number.
  for (const auto& [text, value] :
       std::initializer_list<std::pair<std::string, double>>{
           {"  12.5mm", 12.5}, {"-3", -3.0}, {"+.5", 0.5}, {"1e3x", 1000.0}, {"2e", 2.0}, {"abc", 0.0}, {"", 0.0},
           {"1e999", HUGE_VAL}, {"1e-999", 0.0}, {tiny, 0.0}, {"-" + tiny, 0.0}, {huge, HUGE_VAL},
           {"-" + huge, -HUGE_VAL}})
    EXPECT_EQ(decimalValueOfString(text), value) << text.substr(0, 20);
  for (const auto& [text, value] : std::initializer_list<std::pair<std::string, long long>>{
           {huge, INT64_MAX}, {"7.9", 7}, {"-7.9", -7}, {"1e30", INT64_MAX}})
    EXPECT_EQ(integerValueOfString(text), value) << text.substr(0, 20);
  EXPECT_EQ(Value("12").intValue(), 12);
  EXPECT_EQ(Value(true).intValue(), 1);
}

}  // namespace
}  // namespace orval

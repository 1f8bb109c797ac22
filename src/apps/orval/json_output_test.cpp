#include "apps/orval/json_output.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orval::cli {
namespace {

TEST(JsonOutputTest, NullStaysNull) {
  EXPECT_EQ(toJson(Value()).dump(), "null");
}

TEST(JsonOutputTest, DatesAreUtcTextAndDataIsBase64) {
  EXPECT_EQ(toJson(Value(Date{-1})), "2000-12-31T23:59:59Z");
  EXPECT_EQ(toJson(Value(Date{86400.75})), "2001-01-02T00:00:00Z");
  EXPECT_EQ(toJson(Value(Data{})), "");
  EXPECT_EQ(toJson(Value(Data{'M', 'a'})), "TWE=");
  EXPECT_EQ(toJson(Value(Data{'M', 'a', 'n'})), "TWFu");
  EXPECT_EQ(toJson(Value(Data{0xff, 0xfe, 0x00, 0x80})), "//4AgA==");
}

TEST(JsonOutputTest, TextThatIsNotUtf8IsPrintedNotThrown) {
  std::ostringstream out;
  printJson(out, Json{{"text", std::string("Caf\xe9")}});
  EXPECT_EQ(out.str(), "{\n  \"text\": \"Caf\xef\xbf\xbd\"\n}\n");
}

}  // namespace
}  // namespace orval::cli

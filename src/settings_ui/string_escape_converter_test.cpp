#include "settings_ui/string_escape_converter.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

// The rules of the private entries of the job's print settings.
StringEscapeConverter ticketConverter() {
  StringEscapeConverter converter = StringEscapeConverter::emptyConverter();
  converter.replace("%", "%x25");
  converter.replace("'", "%x27");
  converter.replace(",", "%x2C");
  return converter;
}

TEST(StringEscapeConverterTest, EscapesInOnePassAndReadsBack) {
  const StringEscapeConverter converter = ticketConverter();
  for (const std::string value : {"%x27", "%%x25", "日本語,テキスト", ""})
    EXPECT_EQ(converter.unEscape(converter.escape(value)), value) << value;
}

TEST(StringEscapeConverterTest, FirstMatchingRuleWinsInBothDirections) {
  StringEscapeConverter converter = StringEscapeConverter::emptyConverter();
  converter.replace("ab", "1");
  converter.replace("a", "2");
  converter.replace("b", "1");
  EXPECT_EQ(converter.escape("aab"), "21");
  EXPECT_EQ(converter.escape("ba"), "12");
  EXPECT_EQ(converter.unEscape("121"), "abaab");
}

TEST(StringEscapeConverterTest, CopiesWholeCharactersAndIgnoresEmptyRules) {
  StringEscapeConverter converter = StringEscapeConverter::emptyConverter();
  converter.replace("", "x");
  converter.replace("\x97\xA5", "[tail]");  // the last two bytes of 日, never a character of their own
  converter.replace("z", "");
  EXPECT_EQ(converter.escape("日\x97\xA5zz"), "日[tail]");
  EXPECT_EQ(converter.unEscape("abc"), "abc");
}

}  // namespace
}  // namespace orval

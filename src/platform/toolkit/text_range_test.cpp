#include "platform/toolkit/text_range.h"

#include <gtest/gtest.h>

namespace orval::tk {
namespace {

// Two- and three-byte characters count 1, one outside the basic plane 2; a cut sequence is one replacement, an
// overlong form three bad bytes.
TEST(TextRangeTest, CountsUtf16UnitsLikeThePlatform) {
  for (const auto& [text, units] : std::initializer_list<std::pair<const char*, std::size_t>>{
           {"", 0}, {"abc", 3}, {"é¥", 2}, {"日本", 2}, {"a\xF0\x9F\x98\x80", 3}, {"a\xC3", 2}, {"\xE0\x80\x80", 3}})
    EXPECT_EQ(utf16Length(text), units) << text;
}

TEST(TextRangeTest, ReplacesByUtf16Positions) {
  const std::string text = "x\xF0\x9F\x98\x80y";  // x, emoji (2 units), y
  EXPECT_EQ(replacingRange(text, {1, 2}, "-"), "x-y");
  EXPECT_EQ(replacingRange(text, {3, 5}, "!"), "x\xF0\x9F\x98\x80!");  // clamped at the end
  EXPECT_EQ(replacingRange("abc", {10, 1}, "d"), "abcd");
  EXPECT_EQ(characterRangeBefore(text, 3), (Range{1, 2}));
  EXPECT_EQ(characterRangeAt(text, 1), (Range{1, 2}));
  EXPECT_EQ(characterRangeAt(text, 4), (Range{4, 0}));
  EXPECT_EQ(clampRange({2, 10}, 5), (Range{2, 3}));
}

}  // namespace
}  // namespace orval::tk

#include "platform/toolkit/text_range.h"

#include <gtest/gtest.h>

namespace orval::tk {
namespace {

TEST(TextRangeTest, CountsUtf16UnitsLikeThePlatform) {
  EXPECT_EQ(utf16Length(""), 0u);
  EXPECT_EQ(utf16Length("abc"), 3u);
  EXPECT_EQ(utf16Length("é¥"), 2u);             // two-byte characters
  EXPECT_EQ(utf16Length("日本"), 2u);            // three-byte characters
  EXPECT_EQ(utf16Length("a\xF0\x9F\x98\x80"), 3u);  // a character outside the basic plane counts 2
  EXPECT_EQ(utf16Length("a\xC3"), 2u);           // a cut sequence counts as one replacement
  EXPECT_EQ(utf16Length("\xE0\x80\x80"), 3u);    // an overlong form is three bad bytes
}

TEST(TextRangeTest, ReplacesByUtf16Positions) {
  const std::string text = "x\xF0\x9F\x98\x80y";  // x, emoji (2 units), y
  EXPECT_EQ(replacingRange(text, {1, 2}, "-"), "x-y");
  EXPECT_EQ(replacingRange(text, {3, 5}, "!"), "x\xF0\x9F\x98\x80!");  // clamped at the end
  EXPECT_EQ(replacingRange("abc", {10, 1}, "d"), "abcd");
  EXPECT_EQ(characterRangeBefore(text, 3), (Range{1, 2}));
  EXPECT_EQ(characterRangeBefore(text, 0), (Range{0, 0}));
  EXPECT_EQ(characterRangeAt(text, 1), (Range{1, 2}));
  EXPECT_EQ(characterRangeAt(text, 4), (Range{4, 0}));
  EXPECT_EQ(clampRange({2, 10}, 5), (Range{2, 3}));
}

}  // namespace
}  // namespace orval::tk

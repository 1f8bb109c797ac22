#include "common/byte_length.h"

#include <gtest/gtest.h>

#include "platform/foundation/text_encoding.h"

namespace orval {
namespace {

class ByteLengthTest : public ::testing::Test {
 protected:
  void TearDown() override { resetDefaultCStringEncoding(); }
};

TEST_F(ByteLengthTest, CountsBytesOfTheDefaultEncoding) {
  setDefaultCStringEncoding(TextEncoding::UTF8);
  EXPECT_EQ(lengthByBytes(""), 0u);
  EXPECT_EQ(lengthByBytes("Job"), 3u);
  EXPECT_EQ(lengthByBytes("あい"), 6u);
  EXPECT_EQ(lengthByBytes("ｱ"), 3u);

  // On a Japanese system a kana counts two bytes and a half-width kana one.
  setDefaultCStringEncoding(TextEncoding::CP932);
  EXPECT_EQ(lengthByBytes("Job"), 3u);
  EXPECT_EQ(lengthByBytes("あい"), 4u);
  EXPECT_EQ(lengthByBytes("ｱ"), 1u);
  EXPECT_EQ(lengthByBytes("Aあｱ"), 4u);
}

TEST_F(ByteLengthTest, TextThatDoesNotConvertIsCountedLossily) {
  // An emoji has no CP932 form: its substitute counts instead of the whole text failing.
  setDefaultCStringEncoding(TextEncoding::CP932);
  ASSERT_FALSE(encodeText("a😀b", TextEncoding::CP932).has_value());
  const std::size_t length = lengthByBytes("a😀b");
  EXPECT_GE(length, 3u);
  EXPECT_EQ(length, encodeText("a😀b", TextEncoding::CP932, true)->size());
}

}  // namespace
}  // namespace orval

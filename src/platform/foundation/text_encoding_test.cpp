#include "platform/foundation/text_encoding.h"

#include <gtest/gtest.h>

#include "platform/foundation/environment_test_support.h"

namespace orval {
namespace {

using foundation_testing::ScopedEnvironment;

class TextEncodingTest : public ::testing::Test {
 protected:
  void TearDown() override { resetDefaultCStringEncoding(); }
};

// Both forward to the conversions tested below: these rows prove the wiring.
TEST_F(TextEncodingTest, ByteLengthsFollowTheDefaultEncoding) {
  setDefaultCStringEncoding(TextEncoding::CP932);
  EXPECT_EQ(byteLengthInDefaultEncoding("日本😀"), 5u);  // lossy: the emoji is one "?"
  EXPECT_EQ(utf16Length("日本😀"), 4u);
  EXPECT_EQ(utf16Length("\xFF" "a"), 2u);  // an invalid byte counts as one replacement
}

TEST_F(TextEncodingTest, DefaultEncodingComesFromTheLocale) {
  ScopedEnvironment all("LC_ALL", std::nullopt);
  ScopedEnvironment type("LC_CTYPE", std::nullopt);
  ScopedEnvironment lang("LANG", "zh_TW.Big5");
  setDefaultCStringEncoding(TextEncoding::MacRoman);  // holds until reset
  resetDefaultCStringEncoding();
  EXPECT_EQ(defaultCStringEncoding(), TextEncoding::CP950);
  ScopedEnvironment ctype("LC_CTYPE", "ja_JP.SJIS");
  EXPECT_EQ(defaultCStringEncoding(), TextEncoding::CP932);
  ScopedEnvironment empty("LC_ALL", "");  // an empty variable does not count
  EXPECT_EQ(defaultCStringEncoding(), TextEncoding::CP932);
  ScopedEnvironment everything("LC_ALL", "ja_JP.eucJP@modifier");
  EXPECT_EQ(defaultCStringEncoding(), TextEncoding::EUCJP);
  ScopedEnvironment plain("LC_ALL", "C");
  EXPECT_EQ(defaultCStringEncoding(), TextEncoding::UTF8);
}

TEST_F(TextEncodingTest, StrictConversionFailsWhereLossySubstitutes) {
  // WAVE DASH has no exact CP932 form; the lossy conversion falls back to 0x8160.
  for (const auto& [text, lossy] : {std::pair{"a😀b", "a?b"}, {"\u301C", "\x81\x60"}}) {
    EXPECT_EQ(encodeText(text, TextEncoding::CP932), std::nullopt) << text;
    EXPECT_EQ(encodeText(text, TextEncoding::CP932, true), lossy);
  }
  // Decoding: a byte ASCII lacks, a cut-off double-byte character, a byte CP932 lacks (U+FFFD, not U+001A).
  for (const auto& [bytes, encoding, lossy] : {std::tuple{"a\x80" "b", TextEncoding::ASCII, "a\uFFFD" "b"},
                                               {"a\x93", TextEncoding::CP932, "a\uFFFD"},
                                               {"a\xFF", TextEncoding::CP932, "a\uFFFD"}}) {
    EXPECT_EQ(decodeText(bytes, encoding), std::nullopt) << bytes;
    EXPECT_EQ(decodeText(bytes, encoding, true), lossy);
  }
  EXPECT_EQ(encodeText("", TextEncoding::CP932), "");
}

TEST_F(TextEncodingTest, InvalidUtf8IsRecognised) {
  EXPECT_TRUE(isValidUtf8("plain é 日本 😀"));
  EXPECT_TRUE(isValidUtf8(std::string_view("a\0b", 3)));
  // A broken sequence, an overlong "/", a surrogate, a cut-off character.
  for (const char* broken : {"\xC3\x28", "\xC0\xAF", "\xED\xA0\x80", "\xE6\x97"}) EXPECT_FALSE(isValidUtf8(broken));
  EXPECT_EQ(encodeText("x\xC3\x28", TextEncoding::CP1252), std::nullopt);
  EXPECT_EQ(encodeText("x\xC3\x28", TextEncoding::CP1252, true), "x?(");
}

TEST_F(TextEncodingTest, KnownByteSequencesOfEachCodec) {
  struct Case {
    TextEncoding encoding;
    std::string text;
    std::string bytes;
  };
  const Case cases[] = {
      // The Windows table: ASCII stays ASCII (no yen sign for "\", no overline for "~"); FULLWIDTH TILDE, NEC row 13
      // (circled one), an IBM extension, half-width katakana.
      {TextEncoding::CP932, "~\\\uFF5E\u2460\u9AD9\uFF71日本", "~\\\x81\x60\x87\x40\xFB\xFC\xB1\x93\xFA\x96\x7B"},
      {TextEncoding::CP1252, "é€", "\xE9\x80"},
      {TextEncoding::EUCJP, "日本ｱ", "\xC6\xFC\xCB\xDC\x8E\xB1"},
      // The Windows tables: the euro sign, and the Korean letters beyond EUC-KR.
      {TextEncoding::CP936, "中文€", "\xD6\xD0\xCE\xC4\x80"},
      {TextEncoding::CP950, "中文€", "\xA4\xA4\xA4\xE5\xA3\xE1"},
      {TextEncoding::CP949, "한국갂", "\xC7\xD1\xB1\xB9\x81\x41"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(icuConverterName(c.encoding));
    EXPECT_EQ(encodeText(c.text, c.encoding), c.bytes);
    EXPECT_EQ(decodeText(c.bytes, c.encoding), c.text);
  }
}

TEST_F(TextEncodingTest, NamesInTheirUsualSpellings) {
  for (const auto& [name, encoding] : std::initializer_list<std::pair<const char*, std::optional<TextEncoding>>>{
           {"utf8", TextEncoding::UTF8}, {"windows-31j", TextEncoding::CP932}, {"ISOLatin1", TextEncoding::CP1252},
           {"GBK", TextEncoding::CP936}, {"IBM850", TextEncoding::CP850},
           {"GB18030", std::nullopt} /* not a subset of GBK */, {"", std::nullopt}})
    EXPECT_EQ(textEncodingFromName(name), encoding) << name;
}

}  // namespace
}  // namespace orval

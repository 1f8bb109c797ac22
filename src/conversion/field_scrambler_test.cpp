#include "conversion/field_scrambler.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "platform/foundation/text_encoding.h"

namespace orval {
namespace {

constexpr std::string_view kKey = kFieldScramblerKey;

// The salts of these seeds are the C library's first rand() % 255 after srand:
// 12345 gives 219 (0xdb), 424242 gives 41 (0x29), 1 gives 163 (0xa3).
TEST(FieldScrambler, KnownVectorsBothWays) {
  for (const auto& [clear, seed, scrambled] :
       {std::tuple{"abc", 12345u, "db4f85bc"}, std::tuple{"", 12345u, "db"},
        std::tuple{"correct horse battery", 424242u, "29fe5a987ae707166ce62ef61db59b9e4a8b628f7198"},  // the key wraps
        std::tuple{"p\xC3\xA4sswort", 1u, "a3661e967bd6021cd47b"}}) {                          // UTF-8 bytes
    std::string out(2 + 2 * std::string_view(clear).size() + 1, '#');
    EXPECT_TRUE(Encryption(kKey, clear, out, seed));
    EXPECT_EQ(std::string(out.c_str()), scrambled);
    EXPECT_EQ(decryptString(kKey, scrambled), clear);
  }
  EXPECT_NE(decryptString("another-key-20-chars", "db4f85bc"), "abc");
  EXPECT_EQ(encryptString("", "abc"), "");
}

// Every byte value after every salt reads back, above all the byte 0xFF after a pair
// that scrambles to 0xFF (chaining those two the plain way gives a zero byte).
TEST(FieldScrambler, EveryByteAfterEverySaltReadsBack) {
  std::vector<unsigned> seedOfSalt(255, 0);
  std::size_t found = 0;
  for (unsigned seed = 1; found < seedOfSalt.size(); ++seed) {
    std::srand(seed);
    unsigned& slot = seedOfSalt[static_cast<unsigned>(std::rand()) % 255];
    if (slot == 0) slot = seed, ++found;
  }
  for (const unsigned seed : seedOfSalt) {
    for (int first = 1; first < 256; ++first) {
      const std::string clear{static_cast<char>(first), '\xFF', static_cast<char>(first), '\xFF'};
      std::array<char, 11> scrambled{};
      ASSERT_TRUE(Encryption(kKey, clear, scrambled, seed));
      std::array<char, 5> back{};
      ASSERT_TRUE(Decryption(kKey, scrambled.data(), back)) << scrambled.data();
      ASSERT_EQ(std::string(back.data()), clear) << scrambled.data();
    }
  }
}

TEST(FieldScrambler, MalformedInputAndBufferBounds) {
  for (const char* bad : {"", "d", "zz", "db4f8xbc", "db-f85bc", "ff72"}) {  // "ff72": a zero byte after 0xff
    std::array<char, 8> out;
    out.fill('#');
    EXPECT_FALSE(Decryption(kKey, bad, out)) << bad;
    EXPECT_EQ(out[0], '\0') << bad;
  }
  // After the salt 0xdb, 0xb1 scrambles to 0xff, after which 0xff would chain to a zero byte: the next salt is
  // taken (that it reads back: every byte after every salt). Bytes beyond UTF-8 are no text.
  std::array<char, 12> out{};
  ASSERT_TRUE(Encryption(kKey, "\xB1\xFF", out, 12345));
  EXPECT_EQ(std::string(out.data()), "dcfcc8");
  EXPECT_EQ(decryptString(kKey, "dcfcc8"), "");
  EXPECT_EQ(decryptString(kKey, "DB4F85BC7"), "abc");  // uppercase digits read; a trailing odd digit is ignored
  EXPECT_EQ(decryptString("", "db4f85bc"), "");
  out.fill('#');
  // "abc" needs 2 + 6 digits and the terminator: 9 bytes.
  EXPECT_FALSE(Encryption(kKey, "abc", std::span(out).first(8), 1));
  EXPECT_EQ(std::string(out.data(), out.size()), std::string("\0#######", 8) + "####");
  EXPECT_TRUE(Encryption(kKey, "abc", std::span(out).first(9), 1));
  EXPECT_EQ(out[9], '#');
  out.fill('#');
  EXPECT_FALSE(Decryption(kKey, "db4f85bc", std::span(out).first(3)));  // "abc" needs 4
  EXPECT_EQ(std::string(out.data(), 4), std::string("\0###", 4));
  EXPECT_FALSE(Encryption(kKey, std::string_view("a\0b", 3), out, 1));  // would not unscramble
}

TEST(FieldScrambler, BufferLengthIsAlwaysRoomForTheScrambledForm) {
  // Two characters of three UTF-8 bytes, which CP932 counts two bytes each: the scrambled form needs UTF-8's.
  setDefaultCStringEncoding(TextEncoding::CP932);
  EXPECT_EQ(encryptionBufLen("\xE6\x97\xA5\xE6\x9C\xAC"), 15);
  EXPECT_EQ(encryptionBufLen(""), 3);
  resetDefaultCStringEncoding();
}

}  // namespace
}  // namespace orval

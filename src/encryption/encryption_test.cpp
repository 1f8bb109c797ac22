#include "encryption.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

// Encodes through both entry points, as the wrapper does; "" with the status on failure.
std::string encoded(std::string_view clear, int* status = nullptr) {
  size_t length = 0;
  int s = encryption_encode_guess_count(clear.data(), clear.size(), &length);
  std::string out(length, '\0');
  if (s == ENCRYPTION_OK) s = encryption_encode(clear.data(), clear.size(), out.data(), &length);
  if (status != nullptr) *status = s;
  return s == ENCRYPTION_OK ? out.substr(0, length) : std::string();
}

std::string decoded(std::string_view text, int* status = nullptr) {
  size_t length = 0;
  int s = encryption_decode_guess_count(text.data(), text.size(), &length);
  std::string out(length, '\0');
  if (s == ENCRYPTION_OK) s = encryption_decode(text.data(), text.size(), out.data(), &length);
  if (status != nullptr) *status = s;
  return s == ENCRYPTION_OK ? out.substr(0, length) : std::string();
}

TEST(EncryptionLibrary, EncodesKnownVectors) {
  EXPECT_EQ(encoded("abc"), "ENC1:28C4AD");
  EXPECT_EQ(encoded("p\xC3\xA4sswort"), "ENC1:39656AF8190DEF46B4");
  EXPECT_EQ(encoded(""), "ENC1:");
  EXPECT_EQ(decoded("ENC1:28C4AD"), "abc");
  EXPECT_EQ(decoded("ENC1:"), "");
}

TEST(EncryptionLibrary, RoundTripsEveryNonZeroByteWithoutZeroInTheEncodedForm) {
  std::string clear;
  for (int b = 1; b <= 255; ++b) clear += static_cast<char>(b);
  clear += clear;  // the keystream goes on past the first 255 bytes
  const std::string text = encoded(clear);
  EXPECT_EQ(text.size(), 5 + 2 * clear.size());
  EXPECT_EQ(text.find('\0'), std::string::npos);
  EXPECT_EQ(text.find_first_not_of("ENC1:0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(decoded(text), clear);
}

TEST(EncryptionLibrary, RefusesClearTextWithAZeroByte) {
  int status = 0;
  encoded(std::string_view("a\0b", 3), &status);
  EXPECT_EQ(status, ENCRYPTION_ERR_INPUT);
}

TEST(EncryptionLibrary, RejectsMalformedEncodedForms) {
  for (const char* bad : {"", "28C4AD", "ENC1", "enc1:28C4AD", "ENC2:28C4AD", "ENC1:28C4A", "ENC1:28c4ad",
                          "ENC1:28C4AG", "ENC1:28 4AD",
                          "ENC1:49"}) {  // 0x49 is the first keystream byte: it decodes to a zero byte
    int status = 0;
    decoded(bad, &status);
    EXPECT_EQ(status, ENCRYPTION_ERR_INPUT) << bad;
  }
}

TEST(EncryptionLibrary, NeverWritesPastTheGivenCapacity) {
  char out[16];
  std::memset(out, '#', sizeof out);
  size_t capacity = 10;  // "ENC1:28C4AD" needs 11
  EXPECT_EQ(encryption_encode("abc", 3, out, &capacity), ENCRYPTION_ERR_BUFFER);
  EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, '#'));
  capacity = 11;
  ASSERT_EQ(encryption_encode("abc", 3, out, &capacity), ENCRYPTION_OK);
  EXPECT_EQ(capacity, 11u);
  EXPECT_EQ(out[11], '#');

  capacity = 2;
  EXPECT_EQ(encryption_decode("ENC1:28C4AD", 11, out, &capacity), ENCRYPTION_ERR_BUFFER);
}

TEST(EncryptionLibrary, ChecksItsArguments) {
  size_t length = 0;
  char out[8];
  EXPECT_EQ(encryption_encode_guess_count("abc", 3, nullptr), ENCRYPTION_ERR_ARGUMENT);
  EXPECT_EQ(encryption_encode("abc", 3, out, nullptr), ENCRYPTION_ERR_ARGUMENT);
  EXPECT_EQ(encryption_decode("ENC1:", 5, out, nullptr), ENCRYPTION_ERR_ARGUMENT);
  EXPECT_EQ(encryption_encode_guess_count(nullptr, 3, &length), ENCRYPTION_ERR_ARGUMENT);
  length = sizeof out;
  EXPECT_EQ(encryption_encode("abc", 3, nullptr, &length), ENCRYPTION_ERR_ARGUMENT);
  ASSERT_EQ(encryption_encode(nullptr, 0, out, &length), ENCRYPTION_OK);  // nothing to encode
  EXPECT_EQ(std::string(out, length), "ENC1:");
}

}  // namespace

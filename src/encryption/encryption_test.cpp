#include "encryption.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Codes text through both entry points of one direction, as the wrapper does; "" with the status on failure.
std::string coded(bool encode, std::string_view text, int* status = nullptr) {
  size_t length = 0;
  int s = (encode ? encryption_encode_guess_count : encryption_decode_guess_count)(text.data(), text.size(), &length);
  std::string out(length, '\0');
  if (s == ENCRYPTION_OK)
    s = (encode ? encryption_encode : encryption_decode)(text.data(), text.size(), out.data(), &length);
  if (status != nullptr) *status = s;
  return s == ENCRYPTION_OK ? out.substr(0, length) : std::string();
}

// (The encoded form and its round trips: the password encoder's tests, which compute the form themselves.)
TEST(EncryptionLibrary, AZeroByteAndMalformedFormsAreRefused) {
  int status = 0;
  coded(true, std::string_view("a\0b", 3), &status);
  EXPECT_EQ(status, ENCRYPTION_ERR_INPUT);
  for (const char* bad : {"", "ENC1", "enc1:28C4AD", "ENC1:28C4A", "ENC1:28c4ad", "ENC1:28C4AG",
                          "ENC1:49"}) {  // 0x49 is the first keystream byte: it decodes to a zero byte
    coded(false, bad, &status);
    EXPECT_EQ(status, ENCRYPTION_ERR_INPUT) << bad;
  }
}

TEST(EncryptionLibrary, NeverWritesPastTheGivenCapacityAndChecksItsArguments) {
  char out[16];
  std::memset(out, '#', sizeof out);
  size_t capacity = 10;  // "ENC1:28C4AD" needs 11
  EXPECT_EQ(encryption_encode("abc", 3, out, &capacity), ENCRYPTION_ERR_BUFFER);
  EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, '#'));
  capacity = 11;
  ASSERT_EQ(encryption_encode("abc", 3, out, &capacity), ENCRYPTION_OK);
  EXPECT_EQ(out[11], '#');
  capacity = 2;
  EXPECT_EQ(encryption_decode("ENC1:28C4AD", 11, out, &capacity), ENCRYPTION_ERR_BUFFER);
  EXPECT_EQ(encryption_decode("ENC1:", 5, out, nullptr), ENCRYPTION_ERR_ARGUMENT);
  capacity = sizeof out;
  EXPECT_EQ(encryption_encode("abc", 3, nullptr, &capacity), ENCRYPTION_ERR_ARGUMENT);
  ASSERT_EQ(encryption_encode(nullptr, 0, out, &capacity), ENCRYPTION_OK);  // nothing to encode
  EXPECT_EQ(std::string(out, capacity), "ENC1:");
}

}  // namespace

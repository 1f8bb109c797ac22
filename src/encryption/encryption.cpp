// The password encoding library (libencryption.so), loaded at run time.
//
// Encoded form (version 1). For a clear text of n bytes b[0..n-1], none of
// them zero, the encoded form is the ASCII string
//
//     "ENC1:" E[0] E[1] ... E[n-1]
//
// of 5 + 2n bytes, where E[i] is the byte b[i] XOR k[i] written as two
// uppercase hexadecimal digits ("0"-"9", "A"-"F"), high digit first. The
// keystream k is fixed, taken from a 32-bit linear congruential generator:
//
//     s = 0x2C5A7E19
//     for i = 0, 1, ...:  s = (s * 1103515245 + 12345) mod 2^32
//                         k[i] = (s >> 16) mod 256
//
// (k begins 0x49, 0xA6, 0xCE, 0x8B; "abc" encodes as "ENC1:28C4AD".) The
// same clear text always gives the same encoded form. The encoded form never
// contains a zero byte, and the empty text encodes as "ENC1:". A password of
// up to 509 bytes fits a 1023-byte string.
//
// Decoding reverses this and accepts only that exact shape: the tag
// "ENC1:", an even number of uppercase hexadecimal digits, and no pair that
// decodes to a zero byte; anything else is ENCRYPTION_ERR_INPUT. Clear text
// containing a zero byte is refused by the encoder for the same reason, so
// decode(encode(x)) = x for every text the encoder accepts.
//
// This is an encoding that keeps passwords out of plain sight in the job,
// not a cipher: anyone with this description can decode it.
//
// The library depends on the C library only and exports exactly the four
// entry points of encryption.h.
#include "encryption.h"

#include <stdint.h>
#include <string.h>

#define ENCRYPTION_EXPORT __attribute__((visibility("default")))

namespace {

const char kTag[] = "ENC1:";
constexpr size_t kTagLength = sizeof(kTag) - 1;
const char kDigits[] = "0123456789ABCDEF";

// The keystream of the format above, one byte per call.
class Keystream {
 public:
  unsigned char next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<unsigned char>(state_ >> 16);
  }

 private:
  uint32_t state_ = 0x2C5A7E19u;
};

// The value of an uppercase hexadecimal digit, or -1.
int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int encodedLength(const char* input, size_t inputLength, size_t* length) {
  if (length == nullptr || (input == nullptr && inputLength > 0)) return ENCRYPTION_ERR_ARGUMENT;
  if (inputLength > 0 && memchr(input, 0, inputLength) != nullptr) return ENCRYPTION_ERR_INPUT;
  if (inputLength > (SIZE_MAX - kTagLength) / 2) return ENCRYPTION_ERR_LENGTH;
  *length = kTagLength + 2 * inputLength;
  return ENCRYPTION_OK;
}

// Checks the whole encoded form (tag, digits, no zero byte) and gives its decoded length.
int decodedLength(const char* input, size_t inputLength, size_t* length) {
  if (length == nullptr || (input == nullptr && inputLength > 0)) return ENCRYPTION_ERR_ARGUMENT;
  if (inputLength < kTagLength || memcmp(input, kTag, kTagLength) != 0) return ENCRYPTION_ERR_INPUT;
  const size_t digits = inputLength - kTagLength;
  if (digits % 2 != 0) return ENCRYPTION_ERR_INPUT;
  Keystream keystream;
  for (size_t i = kTagLength; i < inputLength; i += 2) {
    const int high = digitValue(input[i]);
    const int low = digitValue(input[i + 1]);
    if (high < 0 || low < 0) return ENCRYPTION_ERR_INPUT;
    if ((static_cast<unsigned char>(high << 4 | low) ^ keystream.next()) == 0) return ENCRYPTION_ERR_INPUT;
  }
  *length = digits / 2;
  return ENCRYPTION_OK;
}

}  // namespace

extern "C" {

ENCRYPTION_EXPORT int encryption_encode_guess_count(const char* input, size_t input_length,
                                                    size_t* output_length) {
  return encodedLength(input, input_length, output_length);
}

ENCRYPTION_EXPORT int encryption_encode(const char* input, size_t input_length, char* output,
                                        size_t* output_length) {
  if (output_length == nullptr) return ENCRYPTION_ERR_ARGUMENT;
  size_t needed = 0;
  if (const int status = encodedLength(input, input_length, &needed); status != ENCRYPTION_OK) return status;
  if (output == nullptr) return ENCRYPTION_ERR_ARGUMENT;
  if (*output_length < needed) return ENCRYPTION_ERR_BUFFER;
  memcpy(output, kTag, kTagLength);
  Keystream keystream;
  char* out = output + kTagLength;
  for (size_t i = 0; i < input_length; ++i) {
    const unsigned char e = static_cast<unsigned char>(input[i]) ^ keystream.next();
    *out++ = kDigits[e >> 4];
    *out++ = kDigits[e & 0x0F];
  }
  *output_length = needed;
  return ENCRYPTION_OK;
}

ENCRYPTION_EXPORT int encryption_decode_guess_count(const char* input, size_t input_length,
                                                    size_t* output_length) {
  return decodedLength(input, input_length, output_length);
}

ENCRYPTION_EXPORT int encryption_decode(const char* input, size_t input_length, char* output,
                                        size_t* output_length) {
  if (output_length == nullptr) return ENCRYPTION_ERR_ARGUMENT;
  size_t needed = 0;
  if (const int status = decodedLength(input, input_length, &needed); status != ENCRYPTION_OK) return status;
  if (output == nullptr && needed > 0) return ENCRYPTION_ERR_ARGUMENT;
  if (*output_length < needed) return ENCRYPTION_ERR_BUFFER;
  Keystream keystream;
  for (size_t i = 0; i < needed; ++i) {
    const char* pair = input + kTagLength + 2 * i;
    const int e = digitValue(pair[0]) << 4 | digitValue(pair[1]);
    output[i] = static_cast<char>(e ^ keystream.next());
  }
  *output_length = needed;
  return ENCRYPTION_OK;
}

}  // extern "C"

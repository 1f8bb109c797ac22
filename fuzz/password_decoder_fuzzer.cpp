// Encoded passwords, as a job or a favorite brings them: the password
// library's entry points on the input's exact bytes with output buffers of
// every size, and the wrapper the system calls on it as zero-terminated text
// (and as a clear password to encode). Decoding and encoding undo each
// other exactly: the encoded form is unique.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "conversion/password_encoder.h"
#include "encryption/encryption.h"
#include "fuzz_support.h"

using namespace orval;

namespace {

// The library entry points on bytes with an output of exactly capacity bytes.
void checkLibrary(std::string_view bytes, std::size_t capacity) {
  std::size_t guessed = 0;
  const int guess = encryption_decode_guess_count(bytes.data(), bytes.size(), &guessed);
  std::vector<char> output(capacity);
  std::size_t length = capacity;
  const int status = encryption_decode(bytes.data(), bytes.size(), output.data(), &length);
  ORVAL_FUZZ_CHECK((status == ENCRYPTION_OK) == (guess == ENCRYPTION_OK && guessed <= capacity));
  if (status == ENCRYPTION_OK) {
    ORVAL_FUZZ_CHECK(length == guessed);
    std::vector<char> again(bytes.size());
    std::size_t againLength = again.size();
    ORVAL_FUZZ_CHECK(encryption_encode(output.data(), length, again.data(), &againLength) == ENCRYPTION_OK);
    ORVAL_FUZZ_CHECK(std::string_view(again.data(), againLength) == bytes);
  }
  length = capacity;
  encryption_encode(bytes.data(), bytes.size(), output.data(), &length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool loaded = fuzz::silenceStandardOutput(),
                    library = loadEncDec(fuzz::encryptionLibraryFolder().c_str()) == 0;
  if (!loaded || !library) fuzz::fail("cannot load libencryption.so");
  if (size == 0) return 0;
  const std::string_view bytes = fuzz::textOf(data, size - 1);
  checkLibrary(bytes, data[size - 1] % 2 == 0 ? bytes.size() : data[size - 1] / 2u);

  const std::string text(bytes.substr(0, bytes.find('\0')));
  char clear[kEncDecBufferSize] = {};
  // A text longer than an encoding buffer can hold still decodes (it was not written by this
  // wrapper), but its clear text cannot be encoded back into one buffer.
  if (decode(text.c_str(), clear) == 0 && text.size() < kEncDecBufferSize) {
    char encoded[kEncDecBufferSize] = {};
    ORVAL_FUZZ_CHECK(encode(clear, encoded) == 0);
    ORVAL_FUZZ_CHECK(text == encoded);
  }
  char encoded[kEncDecBufferSize] = {};
  if (encode(text.c_str(), encoded) == 0) {
    char decoded[kEncDecBufferSize] = {};
    ORVAL_FUZZ_CHECK(decode(encoded, decoded) == 0);
    ORVAL_FUZZ_CHECK(text == decoded);
  }
  return 0;
}

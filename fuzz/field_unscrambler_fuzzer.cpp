// Scrambled field values, as option sets and favorites bring them: the field
// unscrambler on the input with the system's key (or a key from the input)
// into outputs of every size, and the text form the panes use. Whatever
// unscrambles scrambles and unscrambles back to itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "conversion/field_scrambler.h"
#include "fuzz_support.h"

using namespace orval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool ownKey = input.ConsumeBool();
  const std::string key = ownKey ? input.ConsumeRandomLengthString(32) : std::string(kFieldScramblerKey);
  const std::size_t capacity = input.ConsumeIntegralInRange<std::size_t>(0, 4096);
  const unsigned seed = input.ConsumeIntegral<unsigned>();
  const std::string scrambled = input.ConsumeRemainingBytesAsString();

  std::vector<char> clear(capacity);
  if (Decryption(key, scrambled, clear)) {
    const std::string text(clear.data());
    std::vector<char> again(2 + 2 * text.size() + 1);
    if (Encryption(key, text, again, seed)) {
      std::vector<char> back(text.size() + 1);
      ORVAL_FUZZ_CHECK(Decryption(key, std::string_view(again.data()), back));
      ORVAL_FUZZ_CHECK(text == back.data());
    } else {
      // Refused only for a byte ff that would not unscramble.
      ORVAL_FUZZ_CHECK(text.find('\xFF') != std::string::npos);
    }
  } else if (capacity > 0) {
    ORVAL_FUZZ_CHECK(clear[0] == '\0');
  }

  const std::string text = decryptString(key, scrambled);
  if (!text.empty()) ORVAL_FUZZ_CHECK(decryptString(key, encryptString(key, text)) == text);
  return 0;
}

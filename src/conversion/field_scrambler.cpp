#include "conversion/field_scrambler.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/foundation/text_encoding.h"

namespace orval {
namespace {

const char kHexDigits[] = "0123456789abcdef";

void appendPair(char*& out, unsigned value) {
  *out++ = kHexDigits[(value >> 4) & 0x0F];
  *out++ = kHexDigits[value & 0x0F];
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of the pair of digits at text[at], or -1 when either is not hexadecimal.
int pairValue(std::string_view text, std::size_t at) {
  const int high = digitValue(text[at]);
  const int low = digitValue(text[at + 1]);
  return high < 0 || low < 0 ? -1 : high << 4 | low;
}

// Walks the key cyclically; the first call answers its first byte.
class KeyCursor {
 public:
  explicit KeyCursor(std::string_view key) : key_(key), index_(key.size() - 1) {}
  unsigned next() {
    index_ = index_ + 1 == key_.size() ? 0 : index_ + 1;
    return static_cast<unsigned char>(key_[index_]);
  }

 private:
  std::string_view key_;
  std::size_t index_;
};

bool fail(std::span<char> out) {
  if (!out.empty()) out[0] = '\0';
  return false;
}

// Scrambles clear after salt into out (2 + 2 x clear.size() + 1 bytes), zero-terminated;
// false when the form would not unscramble: after a pair of 0xFF, the clear byte 0xFF
// chains to 0, which reads back as a zero byte.
bool scrambleWithSalt(std::string_view key, std::string_view clear, unsigned salt, char* out) {
  unsigned previous = salt;
  appendPair(out, previous);
  KeyCursor keyCursor(key);
  for (const char c : clear) {
    const unsigned byte = static_cast<unsigned char>(c);
    if (previous == 0xFF && byte == 0xFF) return false;
    previous = keyCursor.next() ^ ((previous + byte) % 255);
    appendPair(out, previous);
  }
  *out = '\0';
  return true;
}

}  // namespace

bool Encryption(std::string_view key, std::string_view clear, std::span<char> out) {
  return Encryption(key, clear, out, static_cast<unsigned>(std::time(nullptr)));
}

bool Encryption(std::string_view key, std::string_view clear, std::span<char> out, unsigned seed) {
  if (key.empty() || out.size() < 2 + 2 * clear.size() + 1) return fail(out);
  if (clear.find('\0') != std::string_view::npos) return fail(out);  // would not unscramble
  std::srand(seed);
  const unsigned drawn = static_cast<unsigned>(std::rand()) % 255;
  // A salt whose form would not read back gives way to the next one.
  for (unsigned step = 0; step < 255; ++step)
    if (scrambleWithSalt(key, clear, (drawn + step) % 255, out.data())) return true;
  return fail(out);
}

bool Decryption(std::string_view key, std::string_view scrambled, std::span<char> out) {
  if (key.empty() || scrambled.size() < 2) return fail(out);
  const std::size_t clearLength = scrambled.size() / 2 - 1;
  if (out.size() < clearLength + 1) return fail(out);
  int previous = pairValue(scrambled, 0);
  if (previous < 0) return fail(out);
  KeyCursor keyCursor(key);
  for (std::size_t i = 0; i < clearLength; ++i) {
    const int pair = pairValue(scrambled, 2 + 2 * i);
    if (pair < 0) return fail(out);
    const int v = static_cast<int>(keyCursor.next()) ^ pair;
    const int byte = previous < v ? v - previous : v - previous + 255;
    if (byte == 0) return fail(out);  // no clear text holds a zero byte
    out[i] = static_cast<char>(byte);
    previous = pair;
  }
  out[clearLength] = '\0';
  return true;
}

std::string encryptString(std::string_view key, std::string_view clear) {
  std::vector<char> buffer(clear.size() * 2 + 4);
  if (!Encryption(key, clear, buffer)) return {};
  return buffer.data();
}

std::string decryptString(std::string_view key, std::string_view scrambled) {
  std::vector<char> buffer(scrambled.size() + 1);
  if (!Decryption(key, scrambled, buffer)) return {};
  std::string clear = buffer.data();
  return isValidUtf8(clear) ? clear : std::string();
}

int encryptionBufLen(std::string_view text) {
  // Encryption scrambles the UTF-8 bytes, which a shorter default encoding (CP932) would undercount:
  // a buffer of this length must always be enough.
  const std::size_t bytes = std::max(byteLengthInDefaultEncoding(text), text.size());
  if (bytes > static_cast<std::size_t>(INT_MAX - 3) / 2) return INT_MAX;
  return static_cast<int>(bytes * 2 + 3);
}

}  // namespace orval

// The field scrambler: the system's own reversible scrambling of the values of
// password fields with a fixed key, so that a pane's secure text field is
// kept in the option set (and in favorites) as a string of hexadecimal digits.
//
// A scrambled value is lowercase hexadecimal digit pairs: one pair for a
// random salt (0 to 254), then one pair per byte of the clear text, each
// chained to the one before; its length is 2 + 2 x (clear length). The salt
// comes from the C library's pseudo-random generator, reseeded from the clock
// on every call, so the same text scrambles differently from call to call;
// compare passwords on their unscrambled text. A salt whose form would not
// unscramble (a pair of 0xFF followed by the clear byte 0xFF chains to a
// zero byte, which no text holds) gives way to the next salt, so every form
// written reads back; UTF-8 text never holds 0xFF.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace orval {

// The system's fixed scrambler key (20 ASCII characters).
inline constexpr std::string_view kFieldScramblerKey = "r4Tq8LmZ2xVw7NcJ5bHs";
static_assert(kFieldScramblerKey.size() == 20);

// Scrambles the clear bytes with key into out, zero-terminated; false (and out left empty)
// when key is empty, clear holds a zero byte, out has fewer than 2 + 2 x clear.size() + 1
// bytes, or no salt gives a form that reads back.
bool Encryption(std::string_view key, std::string_view clear, std::span<char> out);
// The same with the pseudo-random generator seeded with seed instead of the clock.
bool Encryption(std::string_view key, std::string_view clear, std::span<char> out, unsigned seed);
// Unscrambles into out, zero-terminated; false (and out left empty) when key is empty, scrambled
// is malformed (no salt pair, a non-hexadecimal digit, a pair giving a zero byte) or out is too small.
// A trailing odd digit is ignored.
bool Decryption(std::string_view key, std::string_view scrambled, std::span<char> out);

// The scrambled form of the UTF-8 text clear (its bytes); "" when Encryption refuses it.
std::string encryptString(std::string_view key, std::string_view clear);
// The clear UTF-8 text of scrambled; "" when it does not unscramble to UTF-8 text with key.
std::string decryptString(std::string_view key, std::string_view scrambled);
// The byte length of text in the default byte encoding (or in UTF-8 when longer) x 2 + 3: room for
// Encryption's form of text.
int encryptionBufLen(std::string_view text);

}  // namespace orval

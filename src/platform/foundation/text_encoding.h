// Text encodings through ICU converters.
//
// Strings inside Orval are UTF-8; byte strings in other encodings appear at
// the edges (printer descriptions, profiles, the byte-limited fields). The
// default byte-string encoding is taken from the locale and can be set (tests
// set CP932 to check two-byte lengths).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orval {

enum class TextEncoding {
  UTF8,
  ASCII,
  CP932,      // Japanese (Shift JIS, Windows); stands in for Mac Japanese too
  EUCJP,
  CP1252,     // Western (Windows Latin 1)
  CP936,      // Simplified Chinese (GBK)
  CP850,      // Western (DOS Latin 1)
  CP950,      // Traditional Chinese (Big5)
  CP949,      // Korean
  MacRoman,
};

// The ICU converter name of an encoding.
const char* icuConverterName(TextEncoding encoding);
// The encoding for a name such as "UTF-8", "CP932", "ISOLatin1"...; nullopt when unknown.
std::optional<TextEncoding> textEncodingFromName(std::string_view name);

// UTF-8 text converted to bytes of encoding. Strict: nullopt when a character
// has no form there (or text is not valid UTF-8). Lossy: such characters
// become the encoding's substitute ("?").
std::optional<std::string> encodeText(std::string_view utf8, TextEncoding encoding, bool lossy = false);
// Bytes of encoding converted to UTF-8. Strict: nullopt on an invalid or
// unmapped sequence. Lossy: those become U+FFFD.
std::optional<std::string> decodeText(std::string_view bytes, TextEncoding encoding, bool lossy = false);

// The default byte-string encoding: set by setDefaultCStringEncoding, else
// from the locale's codeset (LC_ALL, LC_CTYPE, LANG), else UTF-8.
TextEncoding defaultCStringEncoding();
void setDefaultCStringEncoding(TextEncoding encoding);
// Forgets a set default, so the locale decides again.
void resetDefaultCStringEncoding();

// The number of bytes text takes in the default byte encoding, converted
// lossily when it does not convert exactly.
std::size_t byteLengthInDefaultEncoding(std::string_view utf8);
// The number of UTF-16 code units of text (the length the platform's strings report).
std::size_t utf16Length(std::string_view utf8);
// True when text is valid UTF-8.
bool isValidUtf8(std::string_view text);

}  // namespace orval

// The text encodings of favorite files: the language code a file carries on
// its third line, the encoding each code stands for, and the local encoding
// this system writes in.
//
// Codes 0 (CP932), 2 (EUC-JP), 3 (CP1252) and 4 (CP936) are shared with
// every other reader of favorite files; any other digit, and a file without
// the line, reads as CP932. Codes 5 (CP950) and 6 (CP949) are this system's
// own: without them Traditional Chinese and Korean text would be written in
// an encoding that every reader takes for CP932. A reader that does not know
// them reads such files as CP932, exactly as it would with code 0.
#pragma once

#include <optional>
#include <string>

#include "platform/foundation/text_encoding.h"

namespace orval {

// The writing system of the user's locale.
enum class LocalScript { Roman, Japanese, TraditionalChinese, Korean, SimplifiedChinese, Other };

// The language code a file read without one has.
inline constexpr int kFavoriteLanguageCodeCP932 = 0;

// The text encoding of the lines after the header for a language code.
TextEncoding favoriteTextEncodingForLanguageCode(int code);
// The language code a writer puts before text in encoding.
int favoriteLanguageCodeForTextEncoding(TextEncoding encoding);

// The name of the locale that governs character handling: the first set of
// LC_ALL, LC_CTYPE and LANG ("" when none is).
std::string favoriteCharacterLocale();
// The script of that locale. The C and POSIX locales, and no locale, are Roman.
LocalScript favoriteLocalScript();
// The encoding favorites are written in for script: Roman CP1252, Japanese
// CP932, Traditional Chinese CP950, Korean CP949, Simplified Chinese CP936,
// none for any other.
std::optional<TextEncoding> favoriteEncodingForScript(LocalScript script);

}  // namespace orval

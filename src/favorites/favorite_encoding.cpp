#include "favorites/favorite_encoding.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

namespace orval {

namespace {

// Languages whose text CP1252 holds: the Western European ones and a few
// more written in the same alphabet.
constexpr std::string_view kRomanLanguages[] = {"af", "br", "ca", "da", "de", "en", "es", "et", "eu", "fi", "fo",
                                                "fr", "ga", "gd", "gl", "id", "is", "it", "lb", "ms", "nb", "nl",
                                                "nn", "no", "oc", "pt", "sq", "sv", "sw", "tl", "wa", "fil"};

}  // namespace

std::string favoriteCharacterLocale() {
  // As the C library chooses the locale of the character type.
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

TextEncoding favoriteTextEncodingForLanguageCode(int code) {
  switch (code) {
    case 2: return TextEncoding::EUCJP;
    case 3: return TextEncoding::CP1252;
    case 4: return TextEncoding::CP936;
    case 5: return TextEncoding::CP950;
    case 6: return TextEncoding::CP949;
    default: return TextEncoding::CP932;
  }
}

int favoriteLanguageCodeForTextEncoding(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::EUCJP: return 2;
    case TextEncoding::CP1252: return 3;
    case TextEncoding::CP936: return 4;
    case TextEncoding::CP950: return 5;
    case TextEncoding::CP949: return 6;
    default: return kFavoriteLanguageCodeCP932;
  }
}

LocalScript favoriteLocalScript() {
  // "language_TERRITORY.codeset@modifier"
  const std::string locale = favoriteCharacterLocale();
  const std::string_view name(locale);
  const std::string_view language = name.substr(0, name.find_first_of("_.@"));
  if (language.empty() || language == "C" || language == "POSIX") return LocalScript::Roman;
  if (language == "ja") return LocalScript::Japanese;
  if (language == "ko") return LocalScript::Korean;
  if (language == "zh") {
    std::string_view rest = name.substr(language.size());
    const bool traditional = rest.starts_with("_TW") || rest.starts_with("_HK") || rest.starts_with("_MO") ||
                             rest.find("@hant") != std::string_view::npos;
    return traditional ? LocalScript::TraditionalChinese : LocalScript::SimplifiedChinese;
  }
  if (std::ranges::find(kRomanLanguages, language) != std::end(kRomanLanguages)) return LocalScript::Roman;
  return LocalScript::Other;
}

std::optional<TextEncoding> favoriteEncodingForScript(LocalScript script) {
  switch (script) {
    case LocalScript::Roman: return TextEncoding::CP1252;
    case LocalScript::Japanese: return TextEncoding::CP932;
    case LocalScript::TraditionalChinese: return TextEncoding::CP950;
    case LocalScript::Korean: return TextEncoding::CP949;
    case LocalScript::SimplifiedChinese: return TextEncoding::CP936;
    case LocalScript::Other: return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace orval

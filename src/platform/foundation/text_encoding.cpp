#include "platform/foundation/text_encoding.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

namespace orval {

namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// A name reduced to lower-case letters and digits, so that "Shift_JIS",
// "shift-jis" and "SHIFTJIS" meet.
std::string normalizedName(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c))) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

// The spellings each encoding answers to, normalized. Subsets are read as
// their superset: GB2312/EUC-CN as GBK, EUC-KR as CP949, ISO Latin 1 as
// CP1252 (they differ only in the C1 control range, which text never uses).
// Mac Japanese has no converter of its own; CP932 stands in for it.
constexpr std::pair<std::string_view, TextEncoding> kNames[] = {
    {"utf8", TextEncoding::UTF8},
    {"ascii", TextEncoding::ASCII},
    {"usascii", TextEncoding::ASCII},
    {"ansix341968", TextEncoding::ASCII},
    {"iso646us", TextEncoding::ASCII},
    {"cp932", TextEncoding::CP932},
    {"shiftjis", TextEncoding::CP932},
    {"sjis", TextEncoding::CP932},
    {"windows31j", TextEncoding::CP932},
    {"windows932", TextEncoding::CP932},
    {"ms932", TextEncoding::CP932},
    {"mskanji", TextEncoding::CP932},
    {"pck", TextEncoding::CP932},
    {"macjapanese", TextEncoding::CP932},
    {"eucjp", TextEncoding::EUCJP},
    {"ujis", TextEncoding::EUCJP},
    {"cp1252", TextEncoding::CP1252},
    {"windows1252", TextEncoding::CP1252},
    {"isolatin1", TextEncoding::CP1252},
    {"iso88591", TextEncoding::CP1252},
    {"latin1", TextEncoding::CP1252},
    {"cp936", TextEncoding::CP936},
    {"gbk", TextEncoding::CP936},
    {"windows936", TextEncoding::CP936},
    {"ms936", TextEncoding::CP936},
    {"gb2312", TextEncoding::CP936},
    {"euccn", TextEncoding::CP936},
    {"cp850", TextEncoding::CP850},
    {"ibm850", TextEncoding::CP850},
    {"doslatin1", TextEncoding::CP850},
    {"cp950", TextEncoding::CP950},
    {"big5", TextEncoding::CP950},
    {"windows950", TextEncoding::CP950},
    {"ms950", TextEncoding::CP950},
    {"cp949", TextEncoding::CP949},
    {"windows949", TextEncoding::CP949},
    {"ms949", TextEncoding::CP949},
    {"uhc", TextEncoding::CP949},
    {"euckr", TextEncoding::CP949},
    {"macroman", TextEncoding::MacRoman},
    {"macintosh", TextEncoding::MacRoman},
    {"xmacroman", TextEncoding::MacRoman},
};

// Lossy decoding writes U+FFFD for every bad sequence (ICU's own substitute
// callback would write U+001A for some single-byte code pages).
void substituteReplacementCharacter(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                                    UConverterCallbackReason reason, UErrorCode* error) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
  *error = U_ZERO_ERROR;
  static constexpr UChar kReplacement = 0xFFFD;
  ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, error);
}

// A converter for encoding: strict ones stop at the first unmappable or
// invalid sequence; lossy ones use fallback mappings (U+301C WAVE DASH still
// becomes 0x8160 in CP932) and substitute the rest.
Converter openConverter(TextEncoding encoding, bool lossy) {
  UErrorCode error = U_ZERO_ERROR;
  Converter converter(ucnv_open(icuConverterName(encoding), &error));
  if (U_FAILURE(error)) return nullptr;
  if (lossy) {
    ucnv_setFallback(converter.get(), true);
    ucnv_setSubstChars(converter.get(), "?", 1, &error);
    ucnv_setToUCallBack(converter.get(), substituteReplacementCharacter, nullptr, nullptr, nullptr, &error);
  } else {
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  }
  if (U_FAILURE(error)) return nullptr;
  return converter;
}

// ICU counts in 32-bit integers; with every buffer at most a few times the
// input, inputs up to this size cannot overflow them.
bool withinConversionLimit(std::size_t size) { return size <= static_cast<std::size_t>(INT32_MAX / 8); }

// UTF-8 to UTF-16; invalid sequences fail, or become U+FFFD when lossy.
std::optional<std::u16string> utf16FromUtf8(std::string_view utf8, bool lossy) {
  if (!withinConversionLimit(utf8.size())) return std::nullopt;
  std::u16string out(utf8.size(), u'\0');  // never more units than bytes
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                       static_cast<int32_t>(utf8.size()), lossy ? 0xFFFD : U_SENTINEL, nullptr, &error);
  if (U_FAILURE(error)) return std::nullopt;
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::optional<std::string> utf8FromUtf16(std::u16string_view utf16) {
  std::string out(utf16.size() * 3, '\0');  // at most three bytes per unit
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf16.data(),
                     static_cast<int32_t>(utf16.size()), 0xFFFD, nullptr, &error);
  if (U_FAILURE(error)) return std::nullopt;
  out.resize(static_cast<std::size_t>(length));
  return out;
}

// Locale names look like "language_TERRITORY.codeset@modifier".
std::optional<TextEncoding> encodingOfLocale(std::string_view locale) {
  const auto dot = locale.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::string_view codeset = locale.substr(dot + 1);
  codeset = codeset.substr(0, codeset.find('@'));
  return textEncodingFromName(codeset);
}

std::optional<TextEncoding>& defaultOverride() {
  static std::optional<TextEncoding> encoding;
  return encoding;
}

}  // namespace

const char* icuConverterName(TextEncoding encoding) {
  // Canonical ICU names: ICU's alias "cp932" is IBM's 942, "cp950" and
  // "cp949" are IBM's too; the Windows tables are these.
  switch (encoding) {
    case TextEncoding::UTF8: return "UTF-8";
    case TextEncoding::ASCII: return "US-ASCII";
    case TextEncoding::CP932: return "ibm-943_P15A-2003";  // windows-31j: 0x5C is "\", 0x8160 is U+FF5E
    case TextEncoding::EUCJP: return "euc-jp-2007";
    case TextEncoding::CP1252: return "ibm-5348_P100-1997";
    case TextEncoding::CP936: return "windows-936-2000";
    case TextEncoding::CP850: return "ibm-850_P100-1995";
    case TextEncoding::CP950: return "windows-950-2000";
    case TextEncoding::CP949: return "windows-949-2000";
    case TextEncoding::MacRoman: return "macos-0_2-10.2";
  }
  return "UTF-8";
}

std::optional<TextEncoding> textEncodingFromName(std::string_view name) {
  const std::string key = normalizedName(name);
  for (const auto& [spelling, encoding] : kNames) {
    if (spelling == key) return encoding;
  }
  return std::nullopt;
}

std::optional<std::string> encodeText(std::string_view utf8, TextEncoding encoding, bool lossy) {
  const auto utf16 = utf16FromUtf8(utf8, lossy);
  if (!utf16) return std::nullopt;
  if (utf16->empty()) return std::string();
  Converter converter = openConverter(encoding, lossy);
  if (!converter) return std::nullopt;
  const auto capacity = UCNV_GET_MAX_BYTES_FOR_STRING(utf16->size(), ucnv_getMaxCharSize(converter.get()));
  std::string out(static_cast<std::size_t>(capacity), '\0');
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length = ucnv_fromUChars(converter.get(), out.data(), static_cast<int32_t>(out.size()),
                                         utf16->data(), static_cast<int32_t>(utf16->size()), &error);
  if (U_FAILURE(error)) return std::nullopt;
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::optional<std::string> decodeText(std::string_view bytes, TextEncoding encoding, bool lossy) {
  if (bytes.empty()) return std::string();
  if (!withinConversionLimit(bytes.size())) return std::nullopt;
  Converter converter = openConverter(encoding, lossy);
  if (!converter) return std::nullopt;
  // Measure first: a byte may give two units (a surrogate pair, a sequence).
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length = ucnv_toUChars(converter.get(), nullptr, 0, bytes.data(),
                                       static_cast<int32_t>(bytes.size()), &error);
  if (error != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(error)) return std::nullopt;
  std::u16string utf16(static_cast<std::size_t>(length) + 1, u'\0');
  error = U_ZERO_ERROR;
  ucnv_toUChars(converter.get(), utf16.data(), static_cast<int32_t>(utf16.size()), bytes.data(),
                static_cast<int32_t>(bytes.size()), &error);
  if (U_FAILURE(error)) return std::nullopt;
  utf16.resize(static_cast<std::size_t>(length));
  return utf8FromUtf16(utf16);
}

TextEncoding defaultCStringEncoding() {
  if (defaultOverride()) return *defaultOverride();
  // The first of these that is set names the locale of the character type;
  // a locale without a codeset ("C", "POSIX", "ja_JP") or with one we have no
  // converter for counts as UTF-8.
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    return encodingOfLocale(value).value_or(TextEncoding::UTF8);
  }
  return TextEncoding::UTF8;
}

void setDefaultCStringEncoding(TextEncoding encoding) { defaultOverride() = encoding; }

void resetDefaultCStringEncoding() { defaultOverride().reset(); }

std::size_t byteLengthInDefaultEncoding(std::string_view utf8) {
  // A lossy conversion equals the exact one whenever the exact one succeeds.
  const auto bytes = encodeText(utf8, defaultCStringEncoding(), /*lossy=*/true);
  return bytes ? bytes->size() : 0;
}

std::size_t utf16Length(std::string_view utf8) {
  const auto utf16 = utf16FromUtf8(utf8, /*lossy=*/true);
  return utf16 ? utf16->size() : 0;
}

bool isValidUtf8(std::string_view text) { return utf16FromUtf8(text, /*lossy=*/false).has_value(); }

}  // namespace orval

// Whole texts through the text checks of the settings fields: page ranges,
// mail address lists, the escape converter (the system's rules and rules from
// the input), character sets, byte and character lengths in the default byte
// encodings, the numeric fields' number check, the value patterns of the
// constraint tables and the text encodings.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/byte_length.h"
#include "fuzz_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/text_encoding.h"
#include "settings_ui/character_set.h"
#include "settings_ui/kora_secure_text_field.h"
#include "settings_ui/kora_text_field.h"
#include "settings_ui/mail_address_formatter.h"
#include "settings_ui/max_length_formatter.h"
#include "settings_ui/page_range_formatter.h"
#include "settings_ui/string_escape_converter.h"
#include "settings_ui/text_field_attach.h"
#include "settings_ui/value_pattern.h"

using namespace orval;

namespace {

constexpr TextEncoding kEncodings[] = {TextEncoding::UTF8,  TextEncoding::ASCII, TextEncoding::CP932,
                                       TextEncoding::EUCJP, TextEncoding::CP1252, TextEncoding::CP936,
                                       TextEncoding::CP850, TextEncoding::CP950, TextEncoding::CP949,
                                       TextEncoding::MacRoman};

// The system's escape rules read back every text without the two characters
// they fold into others (YEN SIGN, and LINE SEPARATOR, which reads back as a line feed).
void checkSystemEscapes(const std::string& text, bool japanese) {
  MaxLengthFormatterWithEscape formatter(0, 1 << 20);
  attachEscapeRule(&formatter, [japanese] { return japanese; });
  const StringEscapeConverter& converter = formatter.escapeConverter();
  const std::string escaped = converter.escape(text);
  const std::string back = converter.unEscape(escaped);
  const bool folds = text.find("\xC2\xA5") != std::string::npos || text.find("\xE2\x80\xA8") != std::string::npos ||
                     (japanese && text.find('\\') != std::string::npos);
  if (!folds) ORVAL_FUZZ_CHECK(back == text);
  converter.unEscape(text);
}

template <class Field>
void checkNumber(FuzzedDataProvider& input, const std::string& text) {
  Field field;
  field.setNum(true);
  field.setUnit(input.ConsumeIntegralInRange(0, 10));
  field.setDigit(input.ConsumeIntegralInRange(0, 40));
  field.setMin(input.ConsumeFloatingPoint<double>());
  field.setMax(input.ConsumeFloatingPoint<double>());
  field.isNumFormat(text);
  field.isTextFormat(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LogCapture quiet(LogCapture::Sinks::Silenced);
  FuzzedDataProvider input(data, size);
  const std::string text = input.ConsumeRandomLengthString(4096);
  const std::string other = input.ConsumeRandomLengthString(256);

  PageRangeFormatter(0, 1 << 20).isValid(text);
  MailAddressFormatter(0, 1 << 20).isValid(text);
  if (isValidUtf8(text)) {
    checkSystemEscapes(text, false);
    checkSystemEscapes(text, true);
  }

  StringEscapeConverter converter;
  for (int rules = input.ConsumeIntegralInRange(0, 4); rules > 0; --rules) {
    const std::string original = input.ConsumeRandomLengthString(8);
    converter.replace(original, input.ConsumeRandomLengthString(8));
  }
  converter.unEscape(converter.escape(text));

  const CharacterSet set = CharacterSet::characterSetWithCharactersInString(other);
  set.containsEveryCharacterOf(text);
  set.containsAnyCharacterOf(text);
  CharacterSet::controlCharacterSet().containsAnyCharacterOf(text);

  setDefaultCStringEncoding(input.PickValueInArray(kEncodings));
  lengthByBytes(text);
  utf16Length(text);
  resetDefaultCStringEncoding();
  for (const TextEncoding encoding : kEncodings) {
    if (const std::optional<std::string> decoded = decodeText(text, encoding)) encodeText(*decoded, encoding);
    encodeText(text, encoding, true);
  }

  checkNumber<KORATextField>(input, text);
  checkNumber<KORASecureTextField>(input, text);

  conflictedType(text, other);
  conflictedValue(text);
  isDecimalNumberText(text);
  return 0;
}

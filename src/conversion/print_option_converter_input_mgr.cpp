// Canonical <-> InputMgr: the form favorites are stored in, driven by the
// keyword convert table. Each table entry maps one canonical main keyword to
// its tag key and says how its values convert: by a list of choices ("items",
// a choice ending in "%d" standing for a numbered family), as a boolean, by a
// decimal factor ("magnification") or through a number format pattern.
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "common/message_format.h"
#include "conversion/decimal_number.h"
#include "conversion/number_pattern.h"
#include "conversion/print_option_converter.h"

namespace orval {
namespace {

constexpr std::string_view kNumberedSuffix = "%d";

// The choices of an entry, or nullptr when it has none.
const Array* itemsOf(const Dict& entry) { return entry.get("items").asArray(); }

bool isBooleanEntry(const Dict& entry) {
  const Value& type = entry.get("tagValueType");
  return type.isString() && *type.asString() == "Boolean";
}

// True when text begins (after white space) with a decimal number.
bool beginsWithNumber(std::string_view text) {
  std::size_t i = text.find_first_not_of(" \t\n\r\f\v");
  if (i == std::string_view::npos) return false;
  if (text[i] == '+' || text[i] == '-') ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

// A value as an exact decimal number; none for text that is not a number and for other types.
std::optional<DecimalNumber> decimalOf(const Value& value) {
  if (const std::int64_t* integer = value.asInteger()) return DecimalNumber(*integer);
  if (const bool* boolean = value.asBool()) return DecimalNumber(*boolean ? 1 : 0);
  if (const double* real = value.asReal()) {
    if (!std::isfinite(*real)) return std::nullopt;
    return DecimalNumber::parse(formatReal(*real));
  }
  if (const std::string* text = value.asString()) {
    if (!beginsWithNumber(*text)) return std::nullopt;
    return DecimalNumber::parse(*text);
  }
  return std::nullopt;
}

// dividend / divisor, exact to as many fraction digits as the range allows.
std::optional<DecimalNumber> quotient(const DecimalNumber& dividend, const DecimalNumber& divisor) {
  for (int digits = 30; digits >= 0; digits -= 6) {
    if (std::optional<DecimalNumber> result = dividend.dividedBy(divisor, digits)) return result;
  }
  return std::nullopt;
}

// number rendered with the entry's "format" pattern, or as plain decimal text without one.
std::optional<Value> formatted(const Dict& entry, const DecimalNumber& number) {
  const Value& pattern = entry.get("format");
  if (!pattern.isString()) return Value(number.toString());
  std::optional<std::string> text = formatDecimalWithPattern(number, *pattern.asString());
  if (!text) return std::nullopt;
  return Value(std::move(*text));
}

// Every yen sign (U+00A5) of text replaced by a backslash: a Japanese system shows the
// backslash of a path or form name as a yen sign.
std::string yenSignsToBackslashes(std::string text) {
  static constexpr std::string_view kYenSign = "\xC2\xA5";
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, kYenSign.size(), kYenSign) == 0) {
      result += '\\';
      i += kYenSign.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

// The InputMgr number of a numbered choice: the value's digits from its first decimal digit on,
// plus the choice's tag value; none when the value holds no digit.
std::optional<Value> numberedTagValue(std::string_view value, const Value& tagValue) {
  const std::size_t firstDigit = value.find_first_of("0123456789");
  if (firstDigit == std::string_view::npos) return std::nullopt;
  const std::int64_t number = integerValueOfString(value.substr(firstDigit));
  std::int64_t sum = 0;
  if (__builtin_add_overflow(number, tagValue.intValue(), &sum)) return std::nullopt;
  return Value(sum);
}

// The RGB colour correction named by the favorite's "CL_RGBMD" number.
constexpr std::string_view kRgbColorCorrections[] = {"None",           "sRGB",           "RGB",
                                                     "AdobeRGB",       "sRGBAutoAdjust", "sRGBAutoPerson",
                                                     "sRGBAutoScene",  "sRGBAutoOnSitePhoto"};

// The rules of the InputMgr keys that set canonical keywords of their own.
void applyExtraRules(const PrintOption& inputMgr, PrintOption& canonical) {
  if (const Value* mode = inputMgr.find("CL_RGBMD")) {
    const std::int64_t number = mode->intValue();
    if (number >= 0 && number < static_cast<std::int64_t>(std::size(kRgbColorCorrections)))
      canonical.set("QZRGBColorCorrect", kRgbColorCorrections[number]);
    canonical.remove("QZSRGBAuto");
    canonical.remove("QZSRGBAutoType");
  }
  if (const Value* saveFile = inputMgr.find("SP_SAVEFT")) {
    const std::string kind = saveFile->text();
    if (kind == "0") {
      canonical.set("QZSaveFile", "None");
    } else if (kind == "1" || kind == "2") {
      const Value* dpi = inputMgr.find("SP_TFDPI");
      const std::int64_t resolution = dpi != nullptr && dpi->intValue() >= 1 ? dpi->intValue() : 600;
      canonical.set("QZSaveFile", stringWithFormat("%@%@dpi", kind == "1" ? "TIFF" : "PDF", resolution));
    }
  }
}

}  // namespace

std::optional<Value> PrintOptionConverter::_inputMgrTagValue(const Dict& entry, const Value& value) {
  if (value.isNull()) return std::nullopt;
  if (const Array* items = itemsOf(entry)) {
    const std::string text = value.isString() ? *value.asString() : std::string(value.truth() ? "True" : "False");
    for (const Value& itemValue : *items) {
      const Dict* item = itemValue.asDict();
      if (item == nullptr || !item->get("optionKeyword").isString()) continue;
      const std::string& keyword = *item->get("optionKeyword").asString();
      const Value& tagValue = item->get("tagValue");
      if (keyword.ends_with(kNumberedSuffix)) {
        const std::string_view prefix(keyword.data(), keyword.size() - kNumberedSuffix.size());
        if (prefix.empty() || text.starts_with(prefix)) return numberedTagValue(text, tagValue);
      } else if (keyword == text) {
        if (tagValue.isNull()) return std::nullopt;
        return tagValue;
      }
    }
    return std::nullopt;
  }
  if (value.isString() && !isBooleanEntry(entry)) {
    const Value& magnification = entry.get("magnification");
    if (magnification.isNull()) return value;
    const std::optional<DecimalNumber> number = decimalOf(value);
    const std::optional<DecimalNumber> factor = decimalOf(magnification);
    if (!number || !factor) return std::nullopt;
    const std::optional<DecimalNumber> product = number->times(*factor);
    if (!product) return std::nullopt;
    return Value(product->toString());
  }
  return Value(value.truth());
}

std::optional<Value> PrintOptionConverter::_optionKeyword(const Dict& entry, const Value& inputMgrTagValue) {
  if (inputMgrTagValue.isNull()) return std::nullopt;
  std::optional<Value> result;
  if (const Array* items = itemsOf(entry)) {
    for (const Value& itemValue : *items) {
      const Dict* item = itemValue.asDict();
      if (item == nullptr || !item->get("optionKeyword").isString()) continue;
      const std::string& keyword = *item->get("optionKeyword").asString();
      const std::int64_t tagValue = item->get("tagValue").intValue();
      if (keyword.ends_with(kNumberedSuffix)) {
        std::int64_t number = 0;
        if (__builtin_sub_overflow(inputMgrTagValue.intValue(), tagValue, &number)) return std::nullopt;
        result = Value(stringWithFormat(keyword, number));
        break;
      }
      if (tagValue == inputMgrTagValue.intValue()) {
        result = Value(keyword);
        break;
      }
    }
  } else if (isBooleanEntry(entry)) {
    result = Value(inputMgrTagValue.intValue() == 1);
  } else if (const Value& magnification = entry.get("magnification"); !magnification.isNull()) {
    const std::optional<DecimalNumber> number = decimalOf(inputMgrTagValue);
    const std::optional<DecimalNumber> factor = decimalOf(magnification);
    if (!number || !factor || factor->isZero()) return std::nullopt;
    const std::optional<DecimalNumber> canonical = quotient(*number, *factor);
    if (!canonical) return std::nullopt;
    result = formatted(entry, *canonical);
  } else if (entry.get("format").isString()) {
    const std::optional<DecimalNumber> number = decimalOf(inputMgrTagValue);
    if (!number) return std::nullopt;
    result = formatted(entry, *number);
  } else {
    result = inputMgrTagValue;
  }
  if (result && result->isString()) result = Value(yenSignsToBackslashes(*result->asString()));
  return result;
}

PrintOption PrintOptionConverter::toInputMgrFormat(const PrintOption* options) const {
  PrintOption result;
  if (options == nullptr) return result;
  const std::shared_ptr<const Dict> table = convertTable();
  if (!table) return result;
  for (const auto& [keyword, value] : *options) {
    const Dict* entry = table->get(keyword).asDict();
    if (entry == nullptr) continue;
    const Value& tagKey = entry->get("tagKey");
    if (!tagKey.isString()) continue;
    if (std::optional<Value> tagValue = _inputMgrTagValue(*entry, value)) result.set(*tagKey.asString(), *tagValue);
  }
  return result;
}

PrintOption PrintOptionConverter::toPpdKeywordFormat(const PrintOption* options) const {
  PrintOption result;
  if (options == nullptr) return result;
  const std::shared_ptr<const Dict> table = convertTable();
  if (!table) return result;
  // Tag key -> the first entry that names it, in the table's order.
  std::unordered_map<std::string, const Dict::Entry*> entriesByTagKey;
  for (const Dict::Entry& entry : *table) {
    const Dict* fields = entry.second.asDict();
    if (fields == nullptr || !fields->get("tagKey").isString()) continue;
    entriesByTagKey.try_emplace(*fields->get("tagKey").asString(), &entry);
  }
  for (const auto& [tagKey, value] : *options) {
    const auto found = entriesByTagKey.find(tagKey);
    if (found == entriesByTagKey.end()) continue;
    const auto& [keyword, fields] = *found->second;
    if (std::optional<Value> canonical = _optionKeyword(*fields.asDict(), value)) result.set(keyword, *canonical);
  }
  applyExtraRules(*options, result);
  return result;
}

std::optional<Value> PrintOptionConverter::inputMgrTagValue(std::string_view keyword, const Value& value) const {
  const std::shared_ptr<const Dict> table = convertTable();
  if (!table) return std::nullopt;
  const Dict* entry = table->get(keyword).asDict();
  if (entry == nullptr) return std::nullopt;
  return _inputMgrTagValue(*entry, value);
}

}  // namespace orval

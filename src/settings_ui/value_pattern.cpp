#include "settings_ui/value_pattern.h"

#include <cctype>

#include "platform/foundation/value.h"

namespace orval {
namespace {

bool hasPrefix(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

int conflictedType(std::string_view pattern, const std::optional<std::string>& value) {
  if (!value) return kConflictedTypeNone;
  if (hasPrefix(pattern, kLessPatternPrefix)) {
    if (*value == kAllValue) return kConflictedTypeNone;
    const double bound = decimalValueOfString(pattern.substr(kLessPatternPrefix.size()));
    return decimalValueOfString(*value) < bound ? kConflictedTypeLess : kConflictedTypeNone;
  }
  if (hasPrefix(pattern, kGreaterPatternPrefix)) {
    if (*value == kAllValue) return kConflictedTypeNone;
    const double bound = decimalValueOfString(pattern.substr(kGreaterPatternPrefix.size()));
    return decimalValueOfString(*value) > bound ? kConflictedTypeGreater : kConflictedTypeNone;
  }
  return pattern == *value ? kConflictedTypeEqual : kConflictedTypeNone;
}

std::string conflictedValue(std::string_view pattern) {
  if (hasPrefix(pattern, kLessPatternPrefix)) return std::string(pattern.substr(kLessPatternPrefix.size()));
  if (hasPrefix(pattern, kGreaterPatternPrefix))
    return std::string(pattern.substr(kGreaterPatternPrefix.size()));
  return {};
}

bool isTitleOrMessageKey(std::string_view key) { return key == "title" || key == "message"; }

bool isDecimalNumberText(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

}  // namespace orval

// How the conversions read a PrintOption's values: every value by its text
// (a string as it is, a boolean as "True"/"False", a number in decimal), and
// a key counts as set when it is present and its text is not empty.
#pragma once

#include <string>
#include <string_view>

#include "platform/foundation/value.h"

namespace orval {

// The text of key's value; empty when key is absent.
inline std::string optionText(const PrintOption& options, std::string_view key) {
  const Value* value = options.find(key);
  return value != nullptr ? value->text() : std::string();
}

// True when key is present and its text is not empty.
inline bool isOptionSet(const PrintOption& options, std::string_view key) {
  const Value* value = options.find(key);
  return value != nullptr && !value->text().empty();
}

// Replaces the value of each set key of keyList by convert(its text).
template <typename Keys, typename Convert>
void convertEachSetOption(PrintOption& options, const Keys& keyList, Convert convert) {
  for (const std::string_view key : keyList) {
    if (isOptionSet(options, key)) options.set(key, convert(optionText(options, key)));
  }
}

}  // namespace orval

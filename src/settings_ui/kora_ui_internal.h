// Internal helpers of KORAUI's implementation files: reading a control
// description's entries the one way the builder and the value mapping read
// them, and the names of the control types.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/value.h"

namespace orval::kora_ui_detail {

inline constexpr std::string_view kTextFieldText = "TextField_text";
inline constexpr std::string_view kSecureTextFieldText = "SecureTextField_text";
inline constexpr std::string_view kTextFieldNumber = "TextField_number";
inline constexpr std::string_view kCheckBox = "CheckBox";
inline constexpr std::string_view kPopupButton = "PopupButton";
inline constexpr std::string_view kRadioButton = "RadioButton";
inline constexpr std::string_view kHRadioButton = "HRadioButton";
inline constexpr std::string_view kSlider = "Slider";
inline constexpr std::string_view kDatePicker = "DatePicker";

// The third element of a replacement-list entry that stands for a separator.
inline constexpr const char* kSeparatorMark = "separator";

// True when a replacement-list entry is a separator.
inline bool isSeparatorEntry(const Array& entry) { return entry.size() > 2 && entry[2].text() == kSeparatorMark; }

// Seconds from 1970-01-01 to the property-list reference date 2001-01-01.
inline constexpr double kSecondsFrom1970ToReferenceDate = 978307200.0;

// The dates a date picker's value may name, in seconds since 1970: from the
// start of year 1 to the end of year 9999 (both fit a 64-bit integer exactly).
inline constexpr double kEarliestSecondsSince1970 = -62135596800.0;
inline constexpr double kLatestSecondsSince1970 = 253402300799.0;

// seconds held within those dates (a number that is none counts as 0); a
// number outside them is logged.
double secondsWithinDates(double seconds);

// True when text begins with prefix.
inline bool hasPrefix(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The text of an entry (strings as they are, numbers in decimal, booleans as
// "True"/"False"); none when the entry is missing or has no text form.
inline std::optional<std::string> entryText(const Dict& dict, std::string_view key) {
  const Value* v = dict.find(key);
  if (v == nullptr) return std::nullopt;
  if (!v->isString() && !v->isNumber() && !v->isBool()) return std::nullopt;
  return v->text();
}

// The text of an entry, or "" when it has none.
inline std::string entryString(const Dict& dict, std::string_view key) {
  return entryText(dict, key).value_or(std::string());
}

// The truth of an entry (a property-list boolean, or "True" as text); false when missing.
inline bool entryFlag(const Dict& dict, std::string_view key) {
  const Value* v = dict.find(key);
  return v != nullptr && v->truth();
}

// The builder's default text: "defchoice" when present, else "default".
inline std::optional<std::string> defchoiceOrDefault(const Dict& dict) {
  if (auto v = entryText(dict, "defchoice")) return v;
  return entryText(dict, "default");
}

}  // namespace orval::kora_ui_detail

#include "settings_ui/kora_text_field_base.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cfloat>
#include <filesystem>
#include <limits>
#include <system_error>

#include "common/message_format.h"
#include "common/notify_unit.h"
#include "common/principal_bundle.h"
#include "platform/foundation/text_encoding.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/window.h"
#include "settings_ui/text_entry_messages.h"

namespace orval {
namespace {

constexpr const char* kValidateNotification = "VALIDATE";
constexpr const char* kValidateCancelNotification = "TEXTFIELD_VALIDATE_CANCEL";
constexpr const char* kOutOfRangeMessageKey = "IDM_MSG58";

// True when the whole of text matches the regular expression pattern.
bool matchesWhole(const char* pattern, const std::string& text) {
  UErrorCode status = U_ZERO_ERROR;
  icu::RegexMatcher matcher(icu::UnicodeString::fromUTF8(pattern), icu::UnicodeString::fromUTF8(text), 0, status);
  if (U_FAILURE(status)) return false;
  const bool matched = matcher.matches(status);
  return U_SUCCESS(status) && matched;
}

// The decimals a number may have while it is typed, by unit; 0 for whole numbers.
int decimalsOfUnit(int unit) {
  switch (unit) {
    case 1:
    case 4:
      return 2;
    case 3:
      return 1;
    case 5:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

std::shared_ptr<Bundle> KORATextFieldBundle() {
  const std::shared_ptr<Bundle> principal = BSPrincipalBundle();
  if (!principal) return nullptr;
  if (principal->bundleIdentifier() == kKORATextFieldBundleIdentifier) return principal;
  std::error_code ec;
  const std::filesystem::path frameworks = principal->contentsPath() / "Frameworks";
  for (std::filesystem::directory_iterator it(frameworks, ec), end; !ec && it != end; it.increment(ec)) {
    std::shared_ptr<Bundle> candidate = Bundle::bundleWithPath(it->path());
    if (candidate && candidate->bundleIdentifier() == kKORATextFieldBundleIdentifier) return candidate;
  }
  return nullptr;
}

template <class FieldClass>
KORATextFieldBase<FieldClass>::~KORATextFieldBase() {
  NotifyUnit::removeObserver(this);
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::awakeFromInterfaceFile() {
  isNum = true;
  mUnit = 2;
  mMaxDigit = 4;
  mMinValue = -DBL_MAX;
  mMaxValue = DBL_MAX;
  NotifyUnit::addObserver(this, [this](const Notification&) { validate(); }, kValidateNotification);
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::setUnit(int unit) {
  mUnit = unit;
  if (unit <= 6) this->setStringValue(stringWithFormat(unitFormat(), this->doubleValue()));
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::setMax(double maximum) {
  mMaxValue = maximum;
  mMaxDigit = static_cast<std::int32_t>(utf16Length(stringWithFormat(unitCFormat(), maximum)));
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::setKeyword(const std::string& keyword) {
  koratextkeyword = keyword;
  this->setScrollable(true);
}

template <class FieldClass>
double KORATextFieldBase<FieldClass>::doubleValueInRange() const {
  double value = this->doubleValue();
  if (value < mMinValue) value = mMinValue;
  if (value > mMaxValue) value = mMaxValue;
  return value;
}

template <class FieldClass>
std::int32_t KORATextFieldBase<FieldClass>::intValueInRange() const {
  // The default range is the whole double range: hold the truncation within
  // what an integer can take instead of overflowing it.
  const double value = doubleValueInRange();
  if (!(value > static_cast<double>(std::numeric_limits<std::int32_t>::min())))
    return std::numeric_limits<std::int32_t>::min();
  if (!(value < static_cast<double>(std::numeric_limits<std::int32_t>::max())))
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::setDoubleValue(double value) {
  this->setStringValue(stringWithFormat("%lf", value));
  validateTextField();
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::setIntValue(std::int64_t value) {
  FieldClass::setIntValue(value);
  validateTextField();
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::setStringValue(const std::string& text) {
  FieldClass::setStringValue(text);
  if (sValue && this->stringValue() != *sValue) sValue.reset();
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::takeIntValueFrom(const tk::Control& sender) {
  setIntValue(sender.intValue());
  if (tk::Window* window = this->window()) window->makeFirstResponder(this);
  textDidEndEditing(std::nullopt);
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::validateTextField() {
  this->setStringValue(stringWithFormat(unitFormat(), doubleValueInRange()));
  this->setTextColor(tk::Color::blackColor());
}

template <class FieldClass>
std::string KORATextFieldBase<FieldClass>::unitFormat() const {
  switch (mUnit) {
    case 1:
    case 4:
      return "%.02f";
    case 3:
      return "%.01f";
    case 5:
      return "%.03f";
    default:
      return "%.0f";
  }
}

template <class FieldClass>
std::string KORATextFieldBase<FieldClass>::unitCFormat() const {
  switch (mUnit) {
    case 1:
    case 4:
      return "%.2f";
    case 3:
      return "%.01f";
    case 5:
      return "%.03f";
    default:
      return "%.0f";
  }
}

template <class FieldClass>
bool KORATextFieldBase<FieldClass>::checkNumFormat(const std::string& text, bool allRules) const {
  if (text.empty()) return true;
  const int decimals = decimalsOfUnit(mUnit);
  if (!matchesWhole(decimals > 0 ? "^-?[0-9]*[.]?[0-9]*$" : "^-?[0-9]*$", text)) return false;
  const bool negative = text.front() == '-';
  if (mMinValue >= 0 && negative) return false;
  const std::int64_t limit = static_cast<std::int64_t>(mMaxDigit) + (negative ? 1 : 0);
  if (static_cast<std::int64_t>(utf16Length(text)) > limit) return false;
  if (decimals > 0) {
    const std::size_t point = text.find('.');
    if (point != std::string::npos && text.size() - point - 1 > static_cast<std::size_t>(decimals)) return false;
  }
  if (!allRules) return true;
  if (mMinValue > 0 && text.size() >= 2 && text[0] == '0' && text[1] != '.') return false;
  return text.size() <= utf16Length(text);
}

template <class FieldClass>
bool KORATextFieldBase<FieldClass>::isTextFormat(const std::string& text) const {
  if (text.empty()) return true;
  const char* pattern = nullptr;
  switch (mUnit) {
    case 7:
      pattern = "^[0-9a-zA-Z][0-9a-zA-Z_+-.]+@[0-9a-zA-Z][0-9a-zA-Z_.-]+.[0-9a-zA-Z]+$";
      break;
    case 9:
      // Page numbers: the characters ",", "-" and the digits.
      pattern = "[,\\-0-9]*";
      break;
    default:
      pattern = "[A-Z0-9a-z._%+-]*";
      break;
  }
  return matchesWhole(pattern, text) && static_cast<std::int64_t>(utf16Length(text)) <= mMaxDigit;
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::errorMsg() const {
  const std::shared_ptr<Bundle> bundle = KORATextFieldBundle();
  if (!bundle) return;
  const std::string minimum = stringWithFormat(unitCFormat(), mMinValue);
  const std::string maximum = stringWithFormat(unitCFormat(), mMaxValue);
  tk::Alert alert;
  alert.setMessageText("");
  alert.setInformativeText(stringWithFormat(bundle->localizedString(kOutOfRangeMessageKey), minimum, maximum));
  alert.addButtonWithTitle(localizedMessage("OK"));
  alert.runModal();
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::validate() {
  // Only a numeric field is re-formatted: a text field keeps its text.
  if (!this->isEnabled() || !isNum) return;
  const double number = this->doubleValue();
  if (number < mMinValue || number > mMaxValue) {
    NotifyUnit::postNotificationName(kValidateCancelNotification);
    errorMsg();
  }
  validateTextField();
}

template <class FieldClass>
void KORATextFieldBase<FieldClass>::textDidEndEditing(std::optional<tk::TextMovement> movement) {
  const std::string text = this->stringValue();
  if (sValue && text == *sValue) return;
  if (isNum) {
    const double number = this->doubleValue();
    if (number < mMinValue || number > mMaxValue) errorMsg();
    validateTextField();
  } else {
    sValue = text;
  }
  if (movement) FieldClass::textDidEndEditing(movement);
  NotifyUnit::postNotificationName(koratextkeyword);
}

template class KORATextFieldBase<tk::TextField>;
template class KORATextFieldBase<tk::SecureTextField>;

}  // namespace orval

// KORATextFieldBase: what the value fields of the settings controls share,
// KORATextField (a one-line text field) and KORASecureTextField (a password
// field).
//
// A field either takes a number (numeric mode) or free text. In numeric mode
// its unit code decides the decimals and the display format; while the
// person types, each keystroke's text must stay a number of at most mMaxDigit
// characters (isNumFormat); when editing ends, a number outside [mMinValue,
// mMaxValue] is reported ("IDM_MSG58") and clamped, and the text is
// re-formatted. Either way, the end of editing of a changed text is
// announced under the field's keyword, which makes the settings engine
// validate the control.
//
// The shared code is a class template over the toolkit field class,
// instantiated for tk::TextField and tk::SecureTextField only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/bundle.h"
#include "platform/toolkit/geometry.h"
#include "platform/toolkit/text_field.h"

namespace orval {

// The identifier of the bundle that holds the out-of-range message "IDM_MSG58".
inline constexpr const char* kKORATextFieldBundleIdentifier = "jp.quillant.kora.KORATextField";

// The bundle with kKORATextFieldBundleIdentifier: the principal bundle
// itself, or a bundle in its "Contents/Frameworks" folder; nullptr when none is.
std::shared_ptr<Bundle> KORATextFieldBundle();

template <class FieldClass>
class KORATextFieldBase : public FieldClass {
 public:
  // Stops listening to "VALIDATE".
  ~KORATextFieldBase() override;

  // Configuration ---------------------------------------------------------

  // Numeric (true) or text (false) mode.
  void setNum(bool num) { isNum = num; }
  // Sets the unit code; for codes up to 6 the shown number is re-formatted at once.
  void setUnit(int unit);
  // Sets the most characters of a number (not counting a leading "-").
  void setDigit(int digits) { mMaxDigit = digits; }
  // Sets the minimum (a number below it may be typed, and is caught when editing ends).
  void setMin(double minimum) { mMinValue = minimum; }
  // Sets the maximum, and the most characters to those of the maximum printed with unitCFormat.
  void setMax(double maximum);
  // Sets the keyword announced at the end of editing; the field scrolls horizontally.
  void setKeyword(const std::string& keyword);

  // The settings, as set above.
  bool isNumeric() const { return isNum; }
  int unit() const { return mUnit; }
  int maxDigit() const { return mMaxDigit; }
  double minValue() const { return mMinValue; }
  double maxValue() const { return mMaxValue; }
  const std::string& keyword() const { return koratextkeyword; }
  // The text at the last end of editing in text mode; nullopt before the first,
  // and again once the program has shown another text.
  const std::optional<std::string>& lastEndEditingText() const { return sValue; }

  // Values ----------------------------------------------------------------

  // The field's number clamped to [minimum, maximum].
  double doubleValueInRange() const;
  // doubleValueInRange truncated (and held within the 32-bit range).
  std::int32_t intValueInRange() const;
  // Shows value printed with "%lf", then validateTextField.
  void setDoubleValue(double value) override;
  // Shows value, then validateTextField.
  void setIntValue(std::int64_t value) override;
  // Shows text; a text other than that of the last end of editing makes the
  // field forget that one, so that the person's next end of editing is
  // announced whatever the text (the settings engine puts a refused value
  // back this way, and typing the refused text again must be validated again).
  void setStringValue(const std::string& text) override;
  // Takes sender's integer value, becomes first responder and ends editing
  // (the end-of-editing checks and announcement, without the usual handling).
  void takeIntValueFrom(const tk::Control& sender) override;
  // Shows doubleValueInRange printed with unitFormat, in black.
  void validateTextField();

  // The display format of the unit ("%.02f", "%.01f", "%.03f" or "%.0f").
  std::string unitFormat() const;
  // The byte-string format of the unit ("%.2f", "%.01f", "%.03f" or "%.0f").
  std::string unitCFormat() const;
  // True when text may stand in the field in numeric mode.
  virtual bool isNumFormat(const std::string& text) const = 0;
  // True when text suits the field's text kind (unit 7 e-mail, 9 page
  // numbers, others plain ASCII) and is at most mMaxDigit characters long.
  // No check of the system consults it.
  bool isTextFormat(const std::string& text) const;
  // Shows the out-of-range alert "IDM_MSG58" filled with the printed minimum
  // and maximum; nothing without the KORATextField bundle.
  void errorMsg() const;
  // The "VALIDATE" notification: an enabled numeric field with a number out of
  // range posts "TEXTFIELD_VALIDATE_CANCEL" and shows errorMsg, then validateTextField.
  void validate();

  // Editing ends: nothing for the text of the last end of editing; otherwise
  // numeric mode reports and clamps, text mode remembers the text; then the
  // usual handling (with a movement) and the keyword is posted.
  void textDidEndEditing(std::optional<tk::TextMovement> movement) override;

 protected:
  // A field made by the control builder: every setting zero.
  explicit KORATextFieldBase(tk::Rect frame) : FieldClass(frame) {}
  // The settings of a field loaded from an interface file: numeric, unit 2,
  // four digits, the whole finite double range; listens to "VALIDATE".
  void awakeFromInterfaceFile();
  // isNumFormat's checks: the first five rules, and with allRules also the
  // leading-zero and byte-length rules.
  bool checkNumFormat(const std::string& text, bool allRules) const;

 private:
  bool isNum = false;
  std::int32_t mUnit = 0;
  std::int32_t mMaxDigit = 0;
  double mMaxValue = 0;
  double mMinValue = 0;
  std::optional<std::string> sValue;
  std::string koratextkeyword;
};

extern template class KORATextFieldBase<tk::TextField>;
extern template class KORATextFieldBase<tk::SecureTextField>;

}  // namespace orval

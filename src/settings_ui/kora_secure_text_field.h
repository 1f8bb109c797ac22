// KORASecureTextField: the password value field of the settings controls
// ("SecureTextField_text"), with the same modes and settings as KORATextField.
//
// Its checks are looser: in numeric mode a keystroke needs only the number
// pattern, sign rule, digit count and decimals (no leading-zero, byte-length
// or maximum check); in text mode every keystroke is taken.
#pragma once

#include <memory>
#include <string>

#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/text_range.h"
#include "settings_ui/kora_text_field_base.h"

namespace orval {

class KORASecureTextField : public KORATextFieldBase<tk::SecureTextField> {
 public:
  // A field as the control builder makes it: every setting zero, to be configured.
  explicit KORASecureTextField(tk::Rect frame = {}) : KORATextFieldBase(frame) {}
  // A field as an interface file makes it: numeric, unit 2, four digits, any
  // finite number; it listens to "VALIDATE".
  static std::unique_ptr<KORASecureTextField> fromInterfaceFile(tk::Rect frame = {});

  // The class name the system knows this field by.
  std::string className() const override { return "KORASecureTextField"; }

  // Empty, or a number matching the unit's pattern, sign rule, digit count and decimals.
  bool isNumFormat(const std::string& text) const override;
  // The typing check (textView:shouldChangeTextInRange:replacementString:).
  bool shouldChangeTextInRange(tk::FieldEditor& editor, tk::Range range, const std::string& replacement) override;
};

}  // namespace orval

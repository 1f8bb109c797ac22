// KORATextField: the one-line value field of the settings controls, in
// numeric mode (the "TextField_number" controls) or text mode (the
// "TextField_text" controls).
//
// In numeric mode a keystroke is silently not applied when its text would
// not be a number the field may hold (isNumFormat) or would be above the
// maximum; a number below the minimum may be typed and is caught when
// editing ends. In text mode every keystroke is taken.
#pragma once

#include <memory>
#include <string>

#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/text_range.h"
#include "settings_ui/kora_text_field_base.h"

namespace orval {

class KORATextField : public KORATextFieldBase<tk::TextField> {
 public:
  // A field as the control builder makes it: every setting zero, to be configured.
  explicit KORATextField(tk::Rect frame = {}) : KORATextFieldBase(frame) {}
  // A field as an interface file makes it: numeric, unit 2, four digits, any
  // finite number; it listens to "VALIDATE".
  static std::unique_ptr<KORATextField> fromInterfaceFile(tk::Rect frame = {});

  // The class name the system knows this field by.
  std::string className() const override { return "KORATextField"; }

  // Empty, or a number matching the unit's pattern, sign rule, digit count,
  // decimals, leading-zero rule (for a positive minimum) and single-byte characters.
  bool isNumFormat(const std::string& text) const override;
  // The typing check (textView:shouldChangeTextInRange:replacementString:).
  bool shouldChangeTextInRange(tk::FieldEditor& editor, tk::Range range, const std::string& replacement) override;
};

}  // namespace orval

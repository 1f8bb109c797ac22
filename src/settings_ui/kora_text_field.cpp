#include "settings_ui/kora_text_field.h"

#include "platform/foundation/value.h"

namespace orval {

std::unique_ptr<KORATextField> KORATextField::fromInterfaceFile(tk::Rect frame) {
  auto field = std::make_unique<KORATextField>(frame);
  field->awakeFromInterfaceFile();
  return field;
}

bool KORATextField::isNumFormat(const std::string& text) const { return checkNumFormat(text, /*allRules=*/true); }

bool KORATextField::shouldChangeTextInRange(tk::FieldEditor& editor, tk::Range range, const std::string& replacement) {
  if (!isNumeric()) return true;
  const std::string proposed = tk::replacingRange(editor.string(), range, replacement);
  return isNumFormat(proposed) && decimalValueOfString(proposed) <= maxValue();
}

}  // namespace orval

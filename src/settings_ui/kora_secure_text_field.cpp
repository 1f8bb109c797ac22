#include "settings_ui/kora_secure_text_field.h"

namespace orval {

std::unique_ptr<KORASecureTextField> KORASecureTextField::fromInterfaceFile(tk::Rect frame) {
  auto field = std::make_unique<KORASecureTextField>(frame);
  field->awakeFromInterfaceFile();
  return field;
}

bool KORASecureTextField::isNumFormat(const std::string& text) const {
  return checkNumFormat(text, /*allRules=*/false);
}

bool KORASecureTextField::shouldChangeTextInRange(tk::FieldEditor& editor, tk::Range range,
                                                  const std::string& replacement) {
  // Text mode takes every keystroke: the text kind (isTextFormat) restricts nothing.
  if (!isNumeric()) return true;
  return isNumFormat(tk::replacingRange(editor.string(), range, replacement));
}

}  // namespace orval

#include "settings_ui/validation_formatter.h"

#include <utility>

#include "platform/toolkit/window.h"
#include "settings_ui/text_entry_messages.h"

namespace orval {

ValidationFormatter::ValidationFormatter(int minBytes, int maxBytes, std::optional<CharacterSet> characterSet,
                                         std::optional<std::string> messageString)
    : MaxBytesFormatterWithCharacterSet(minBytes, maxBytes, std::move(characterSet)),
      _messageString(std::move(messageString)) {}

std::shared_ptr<ValidationFormatter> ValidationFormatter::setValidationFormatter(
    tk::TextField* field, int maxBytes, std::optional<CharacterSet> characterSet,
    std::optional<std::string> messageString) {
  return attachValidationFormatter<ValidationFormatter>(field, maxBytes, std::move(characterSet),
                                                        std::move(messageString));
}

bool ValidationFormatter::isValid(const std::string&) const { return true; }

bool ValidationFormatter::textShouldEndEditing(tk::TextField& control, tk::FieldEditor& editor) {
  tk::Window* window = control.window();
  if (!window || !window->isVisible()) return true;
  if (isValid(editor.string())) return true;
  showFieldSheet(window, localizedMessage(_messageString.value_or("--")));
  return false;
}

}  // namespace orval
